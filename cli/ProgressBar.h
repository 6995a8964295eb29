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

  void Update(std::int32_t current, std::int32_t max);
  // Ends the line so that what follows starts on a fresh one. A finished
  // export shows a full bar even when its last report fell short of the end.
  void Finish(bool exportSucceeded);
  // Erases the bar so that a line can be printed in its place; the next
  // Update draws it again.
  void Clear();

 private:
  std::FILE* out_;
  bool enabled_;
  bool drawn_ = false;
  std::int32_t lastMax_ = 0;
};

}  // namespace quillmere::cli
