#include "fuzz/ProjectArchiveInput.h"

#include "engine/package/CompoundFileSniffer.h"
#include "fuzz/NoWaitSleeper.h"
#include "fuzz/WorkFolder.h"
#include "utilities/archive/ProjectArchiveContents.h"
#include "utilities/archive/ProjectFileHandler.h"

namespace quillmere::fuzz {

void ReadProjectArchiveBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& workFolder) {
  WorkFolder work(workFolder);
  const std::string archive = work.WriteInput("project.qpk", bytes).string();
  engine::SniffCompoundFile(archive);

  auto sleeper = std::make_shared<NoWaitSleeper>();
  ListProjectArchive(archive, *sleeper);
  ExtractProjectArchive(archive, work.MakeFolder("whole").string(), *sleeper);

  cProjectFileHandler handler(sleeper);
  handler.SetExtractToFolder(work.MakeFolder("narration").string());
  std::string projectFile = archive, track = "narration.wav";
  handler.SetProjectFilename(projectFile);
  handler.ExtractNarration(track);
}

}  // namespace quillmere::fuzz
