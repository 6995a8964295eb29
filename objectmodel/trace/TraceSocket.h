#pragma once
// The rendezvous of Trace and the trace viewer: a datagram socket of a fixed
// name in the user's runtime folder.

#include <sys/un.h>

#include <string>

namespace quillmere {

// $XDG_RUNTIME_DIR/CorvantaDebugWindow_TRACEWIN, or the same name in
// <temp>/quillmere-<uid>/ when there is no runtime folder. Read per call.
std::string TraceSocketPath();

// The socket address of path; false when the path is too long for one.
bool TraceSocketAddress(const std::string& path, sockaddr_un& address);

}  // namespace quillmere
