#pragma once
// Reading back the images the renderer wrote: a PNG's pixels, whether a file is an EMF.

#include <png.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace quillmere::testing {

struct Rgba {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
  int Alpha(int x, int y) const { return pixels[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};

inline std::optional<Rgba> ReadPng(const std::filesystem::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  Rgba rgba{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  rgba.pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.pixels.data(), 0, nullptr)) return std::nullopt;
  return rgba;
}

// An EMF starts with its header record (type 1) whose signature is " EMF".
inline bool IsEmf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  unsigned char head[44] = {};
  if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return false;
  return head[0] == 1 && head[1] == 0 && head[2] == 0 && head[3] == 0 && std::string(head + 40, head + 44) == " EMF";
}

}  // namespace quillmere::testing
