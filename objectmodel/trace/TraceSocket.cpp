#include "objectmodel/trace/TraceSocket.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "support/files/Paths.h"

namespace quillmere {

std::string TraceSocketPath() {
  static constexpr const char* kName = "CorvantaDebugWindow" "_TRACEWIN";
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/')
    return AddPathSeparator(runtime) + kName;
  std::error_code ec;
  std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  return AddPathSeparator(temp.string()) + "quillmere-" + std::to_string(getuid()) + "/" + kName;
}

bool TraceSocketAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace quillmere
