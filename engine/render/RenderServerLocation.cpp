#include "engine/render/RenderServerLocation.h"

#include <cstdlib>
#include <system_error>

#include "engine/package/LibreOfficeInstallation.h"

namespace quillmere::engine {

namespace fs = std::filesystem;

fs::path FindRenderServer() {
  if (const char* chosen = std::getenv("QUILLMERE_RENDER_SERVER"); chosen && *chosen) return chosen;
  std::error_code error;
  fs::path running = fs::read_symlink("/proc/self/exe", error);
  if (!error && IsExecutable(running.parent_path() / "quillmere-render")) return running.parent_path() / "quillmere-render";
  fs::path built = QUILLMERE_RENDER_SERVER_BUILD_PATH;
  return !built.empty() && IsExecutable(built) ? built : fs::path();
}

}  // namespace quillmere::engine
