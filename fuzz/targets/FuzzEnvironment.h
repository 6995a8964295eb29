#pragma once
// What a fuzz target sets up once per process: every per-user folder the
// library uses (config, data, runtime, temp) points below one fresh folder, in
// memory when /dev/shm is there, so that inputs never touch the user's own
// files; the engine is registered as the installed PowerPoint there. The
// folder is removed when the process exits normally.

#include <filesystem>

namespace quillmere::fuzz {

// The empty folder each input works in. Made on the first call.
const std::filesystem::path& FuzzWorkFolder();

}  // namespace quillmere::fuzz
