#pragma once
// The export's progress as one line on a terminal, redrawn in place. Draws
// nothing when the stream is not a terminal, so logs and pipes stay clean.

#include <cstdint>
#include <cstdio>

namespace quillmere::cli {

class ProgressBar {
 public:
  explicit ProgressBar(std::FILE* out);
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;
  // Ends the line if one was drawn.
  ~ProgressBar() { Finish(); }

  void Update(std::int32_t current, std::int32_t max);
  // Ends the line so that what follows starts on a fresh one.
  void Finish();

 private:
  std::FILE* out_;
  bool enabled_;
  bool drawn_ = false;
};

}  // namespace quillmere::cli
