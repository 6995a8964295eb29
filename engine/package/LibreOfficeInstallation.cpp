#include "engine/package/LibreOfficeInstallation.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

namespace quillmere::engine {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxReportedOutput = 300;

// LibreOffice takes its profile as a URL; bytes outside the unreserved set are escaped.
std::string FileUrl(const fs::path& absolute) {
  std::string url = "file://";
  for (unsigned char c : absolute.string()) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      url += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      url += escaped;
    }
  }
  return url;
}

}  // namespace

bool IsExecutable(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error) && access(file.c_str(), X_OK) == 0;
}

fs::path FindSoffice() {
  if (const char* path = std::getenv("PATH")) {
    std::string_view dirs = path;
    while (!dirs.empty()) {
      size_t colon = dirs.find(':');
      std::string_view dir = dirs.substr(0, colon);
      dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
      if (!dir.empty() && IsExecutable(fs::path(dir) / "soffice")) return fs::path(dir) / "soffice";
    }
  }
  for (const char* known : {"/usr/bin/soffice", "/usr/lib/libreoffice/program/soffice"})
    if (IsExecutable(known)) return known;
  return {};
}

fs::path OfficeProgramFolder(const fs::path& soffice) {
  std::error_code error;
  fs::path real = fs::canonical(soffice, error);
  return error ? fs::path() : real.parent_path();
}

std::string InstalledOfficeVersion(const fs::path& soffice) {
  fs::path program = OfficeProgramFolder(soffice);
  if (program.empty()) return {};
  std::ifstream in(program.parent_path() / "share" / "registry" / "main.xcd", std::ios::binary);
  std::string xcd((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  constexpr std::string_view kProperty = "oor:name=\"ooSetupVersion\">", kOpen = "<value>", kClose = "</value>";
  size_t at = xcd.find(kProperty);
  if (at == std::string::npos) return {};
  size_t begin = xcd.find(kOpen, at);
  size_t end = begin == std::string::npos ? begin : xcd.find(kClose, begin);
  if (end == std::string::npos) return {};
  std::string version = xcd.substr(begin + kOpen.size(), end - begin - kOpen.size());
  bool plain = !version.empty() && version.find_first_not_of("0123456789.") == std::string::npos;
  return plain ? version : std::string();
}

std::string InstalledOfficeBuildId(const fs::path& soffice) {
  fs::path program = OfficeProgramFolder(soffice);
  if (program.empty()) return {};
  std::ifstream in(program / "versionrc");
  constexpr std::string_view kKey = "buildid=";
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with(kKey)) return line.substr(kKey.size());
  }
  return {};
}

void SeedOfficeProfile(const fs::path& soffice, const fs::path& profile) {
  std::error_code error;
  const fs::path user = profile / "user", settings = user / "registrymodifications.xcu";
  if (fs::exists(settings, error)) return;
  if (std::string version = InstalledOfficeVersion(soffice); !version.empty()) {
    fs::create_directories(user, error);
    std::ofstream(settings, std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" xmlns:xs=\"http://www.w3.org/2001/XMLSchema\""
           " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
           "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" oor:op=\"fuse\">"
           "<value>"
        << version << "</value></prop></item>\n</oor:items>\n";
  }
  if (std::string build = InstalledOfficeBuildId(soffice); !build.empty()) {
    fs::create_directories(user / "extensions", error);
    std::ofstream(user / "extensions" / "buildid", std::ios::binary) << build;
  }
}

std::vector<std::string> HeadlessOfficeArguments(const fs::path& absoluteProfileFolder) {
  return {"-env:UserInstallation=" + FileUrl(absoluteProfileFolder), "--headless", "--invisible", "--norestore",
          "--nologo"};
}

std::string OfficeOutputSummary(const fs::path& log) {
  std::ifstream in(log);
  std::string all, errors, line;
  while (std::getline(in, line) && all.size() < 4 * kMaxReportedOutput) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::string& into = line.starts_with("Error") ? errors : all;
    if (!into.empty()) into += "; ";
    into += line;
  }
  return (errors.empty() ? all : errors).substr(0, kMaxReportedOutput);
}

}  // namespace quillmere::engine
