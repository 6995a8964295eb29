#include "engine/package/LibreOfficeConverter.h"

#include <cstdio>
#include <random>
#include <system_error>
#include <vector>

#include "engine/package/ChildProcess.h"
#include "engine/package/LibreOfficeInstallation.h"

namespace quillmere::engine {
namespace {

namespace fs = std::filesystem;

std::string RandomTag() {
  std::random_device random;
  char tag[17];
  std::snprintf(tag, sizeof tag, "%08x%08x", random(), random());
  return tag;
}

std::optional<fs::path> ProducedPptx(const fs::path& folder) {
  std::error_code error;
  for (const fs::directory_entry& e : fs::directory_iterator(folder, error))
    if (e.path().extension() == ".pptx" && e.is_regular_file(error) && e.file_size(error) > 0) return e.path();
  return std::nullopt;
}

}  // namespace

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

  SeedOfficeProfile(soffice, profile);
  std::vector<std::string> argv = {soffice.string()};
  for (std::string& option : HeadlessOfficeArguments(profile)) argv.push_back(std::move(option));
  argv.insert(argv.end(), {"--convert-to", "pptx", "--outdir", outdir.string(), fs::absolute(input, error).string()});
  ProcessOutcome outcome = RunProcess(argv, log, timeout);
  std::string output = OfficeOutputSummary(log);
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
