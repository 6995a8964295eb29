#pragma once
// The service runs in a program of its own, quillmere-serve beside the tool:
// only that program loads the HTTP library and the TLS and compression
// libraries it brings, which would add about 3 ms to every start of the tool.

namespace quillmere::service {

// The exit code when the service cannot run (EX_UNAVAILABLE): its program
// cannot be started, it cannot listen, or its data folder cannot be made.
constexpr int kServiceUnavailable = 69;

// Replaces this process with quillmere-serve (QUILLMERE_SERVE_PROGRAM when
// set), given the same arguments. Returns only when it cannot, after saying why on stderr.
int StartServeProgram(char** argv);

}  // namespace quillmere::service
