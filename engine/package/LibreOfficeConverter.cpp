#include "engine/package/LibreOfficeConverter.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/package/ChildProcess.h"

namespace quillmere::engine {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxReportedOutput = 300;

bool IsExecutable(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error) && access(file.c_str(), X_OK) == 0;
}

std::string RandomTag() {
  std::random_device random;
  char tag[17];
  std::snprintf(tag, sizeof tag, "%08x%08x", random(), random());
  return tag;
}

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

// What LibreOffice printed, for the error text: its "Error:" lines when it
// printed any, as the rest is start-up noise (a missing Java and the like).
std::string OutputSummary(const fs::path& log) {
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

std::optional<fs::path> ProducedPptx(const fs::path& folder) {
  std::error_code error;
  for (const fs::directory_entry& e : fs::directory_iterator(folder, error))
    if (e.path().extension() == ".pptx" && e.is_regular_file(error) && e.file_size(error) > 0) return e.path();
  return std::nullopt;
}

}  // namespace

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

ConversionResult ConvertToPptx(const fs::path& input, const fs::path& workFolder, std::chrono::seconds timeout) {
  return ConvertToPptxWith(FindSoffice(), input, workFolder, timeout);
}

ConversionResult ConvertToPptxWith(const fs::path& soffice, const fs::path& input, const fs::path& workFolder,
                                   std::chrono::seconds timeout) {
  if (soffice.empty() || !IsExecutable(soffice)) return {std::nullopt, "LibreOffice is not installed"};
  std::error_code error;
  fs::path folder = fs::absolute(workFolder, error);
  std::string tag = RandomTag();
  fs::path outdir = folder / tag, profile = folder / ("lo-profile-" + tag), log = folder / ("lo-output-" + tag + ".txt");
  if (!fs::create_directories(outdir, error) && error)
    return {std::nullopt, "cannot create the folder " + outdir.string() + ": " + error.message()};

  std::vector<std::string> argv = {soffice.string(), "-env:UserInstallation=" + FileUrl(profile), "--headless",
                                   "--invisible",    "--norestore",  "--nologo",  "--convert-to",
                                   "pptx",           "--outdir",     outdir.string(), fs::absolute(input, error).string()};
  ProcessOutcome outcome = RunProcess(argv, log, timeout);
  std::string output = OutputSummary(log);
  fs::remove_all(profile, error);
  fs::remove(log, error);

  std::optional<fs::path> pptx = outcome.end == ProcessOutcome::End::TimedOut ? std::nullopt : ProducedPptx(outdir);
  if (pptx) return {pptx, {}};
  fs::remove_all(outdir, error);
  switch (outcome.end) {
    case ProcessOutcome::End::NotStarted: return {std::nullopt, "LibreOffice could not be started: " + outcome.error};
    case ProcessOutcome::End::TimedOut:
      return {std::nullopt, "LibreOffice timed out converting the file (after " + std::to_string(timeout.count()) + " s)"};
    default:
      return {std::nullopt, "LibreOffice could not convert the file" + (output.empty() ? "" : " (" + output + ")")};
  }
}

}  // namespace quillmere::engine
