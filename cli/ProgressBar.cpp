#include "cli/ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <string>

#include <fmt/format.h>

namespace quillmere::cli {
namespace {

constexpr int kBarWidth = 30;

// "[#######-----------------------] 7/30 23%"
std::string ProgressLine(std::int32_t current, std::int32_t max) {
  // The library keeps current <= max, but a bar must never overflow its frame.
  const std::int64_t top = std::max<std::int32_t>(max, 0);
  const std::int64_t done = std::clamp<std::int64_t>(current, 0, top);
  const std::int64_t percent = top == 0 ? 0 : done * 100 / top;
  const auto filled = static_cast<std::size_t>(top == 0 ? 0 : done * kBarWidth / top);
  return fmt::format("[{}{}] {}/{} {}%", std::string(filled, '#'), std::string(kBarWidth - filled, '-'), done, top,
                     percent);
}

}  // namespace

ProgressBar::ProgressBar(std::FILE* out) : out_(out), enabled_(isatty(fileno(out)) == 1) {}

void ProgressBar::Update(std::int32_t current, std::int32_t max) {
  if (!enabled_) return;
  // Back to the line's start, draw, and clear what a longer previous line left.
  std::fputs(("\r" + ProgressLine(current, max) + "\x1b[K").c_str(), out_);
  std::fflush(out_);
  drawn_ = true;
  lastMax_ = max;
}

void ProgressBar::Finish(bool exportSucceeded) {
  if (!drawn_) return;
  if (exportSucceeded) Update(lastMax_, lastMax_);
  std::fputc('\n', out_);
  std::fflush(out_);
  drawn_ = false;
}

void ProgressBar::Clear() {
  if (!drawn_) return;
  std::fputs("\r\x1b[K", out_);
  std::fflush(out_);
  drawn_ = false;
}

}  // namespace quillmere::cli
