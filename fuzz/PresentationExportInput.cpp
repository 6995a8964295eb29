#include "fuzz/PresentationExportInput.h"

#include "component/PPTInfo.h"
#include "engine/EngineRuntime.h"
#include "engine/package/FileSniffer.h"
#include "fuzz/NoWaitSleeper.h"
#include "fuzz/WorkFolder.h"

namespace quillmere::fuzz {

int ExportPresentationBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& workFolder) {
  WorkFolder work(workFolder);
  std::string deck = work.WriteInput("deck.pptx", bytes).string();
  if (engine::SniffFile(deck) != engine::FileKind::OpenXml) return -1;

  engine::EngineOptions engineOptions;
  engineOptions.drawImages = false;
  PPTInfo info(PPTInfoOptions{std::make_shared<engine::EngineRuntime>(engineOptions),
                              std::make_shared<NoWaitSleeper>()});
  std::string xmlPath;
  return info.PPTPresentation(deck, xmlPath, work.MakeFolder("out").string());
}

}  // namespace quillmere::fuzz
