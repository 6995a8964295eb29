#include "engine/package/GzipCompression.h"

#include <zlib.h>

#include <stdexcept>

namespace quillmere::engine {
namespace {

constexpr int kGzipWindowBits = 15 + 16;  // the largest window, with a gzip header and trailer
constexpr int kMemoryLevel = 8;

}  // namespace

std::string GzipCompressed(std::string_view bytes) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("zlib cannot start compressing");
  std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::runtime_error("zlib cannot compress the picture");
  return out;
}

}  // namespace quillmere::engine
