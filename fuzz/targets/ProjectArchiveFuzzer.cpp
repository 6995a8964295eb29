// libFuzzer target: every input is a project archive, sniffed, listed and extracted.

#include <cstddef>
#include <cstdint>

#include "fuzz/ProjectArchiveInput.h"
#include "fuzz/targets/FuzzEnvironment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillmere::fuzz::ReadProjectArchiveBytes({data, size}, quillmere::fuzz::FuzzWorkFolder());
  return 0;
}
