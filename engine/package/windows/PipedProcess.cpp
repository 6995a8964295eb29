// The Windows build starts no helper programs (the only one, the image renderer, runs LibreOffice),
// so no PipedProcess is ever made there.
#include "engine/package/PipedProcess.h"

#include <system_error>

namespace quillmere::engine {

PipedProcess::PipedProcess(const std::vector<std::string>& argv, const std::filesystem::path&) {
  throw std::system_error(std::make_error_code(std::errc::function_not_supported),
                          "the Windows build starts no helper programs" + (argv.empty() ? "" : ": " + argv[0]));
}

PipedProcess::~PipedProcess() = default;

}  // namespace quillmere::engine
