// libFuzzer target: every input is a deck exported without images.

#include <cstddef>
#include <cstdint>

#include "fuzz/PresentationExportInput.h"
#include "fuzz/targets/FuzzEnvironment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillmere::fuzz::ExportPresentationBytes({data, size}, quillmere::fuzz::FuzzWorkFolder());
  return 0;
}
