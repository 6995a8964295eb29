#pragma once
// Where the quillmere-render executable is.

#include <filesystem>

namespace quillmere::engine {

// $QUILLMERE_RENDER_SERVER when it is set (as it is, whether it exists or
// not); else quillmere-render beside the running executable; else the one
// this build produced. Empty when none of them exists.
std::filesystem::path FindRenderServer();

}  // namespace quillmere::engine
