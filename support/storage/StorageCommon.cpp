#include "support/storage/StorageCommon.h"

#include <algorithm>
#include <vector>

#include "support/files/Paths.h"
#include "support/zip/ZipFileWriting.h"

namespace quillmere::storage {

std::int32_t CopyStreamTo(const std::string& destinationPath, std::uint64_t size,
                          const std::function<bool(char* buffer, std::size_t n)>& read, std::time_t modified) {
  std::string name = GetFileBaseName(destinationPath);
  std::string parent = GetParentFolder(destinationPath);
  FolderHandle folder = OpenExtractionFolder(parent.empty() ? std::string(".") : parent);
  if (name.empty() || !folder.IsOpen()) return kStorageWriteFault;
  ExtractedFile out(folder, name);
  if (!out.IsOpen()) return kStorageWriteFault;
  std::vector<char> buffer(kCopyChunk);
  for (std::uint64_t left = size; left > 0;) {
    std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, kCopyChunk));
    if (!read(buffer.data(), n)) return kStorageReadFault;
    if (!out.Write(buffer.data(), n)) return kStorageWriteFault;
    left -= n;
  }
  return out.Commit(modified) ? kStorageOk : kStorageWriteFault;
}

}  // namespace quillmere::storage
