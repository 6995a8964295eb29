#pragma once
// Files the package tests write and read: a temporary folder, corpus paths,
// and zips built byte by byte so that they can be broken on purpose.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/helpers/TestFiles.h"

namespace quillmere::engine::packagetest {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::filesystem::path CorpusFile(const std::string& name);
// The corpus files listed in MANIFEST.tsv with their container ("zip" or "cfb").
std::vector<std::pair<std::string, std::string>> CorpusManifest();

using quillmere::testing::ReadFile;
using quillmere::testing::WriteFile;

struct StoredEntry {
  std::string name;
  std::string data;
  bool badCrc = false;  // the CRC written does not match the data
};
// An uncompressed zip with exactly these entries, duplicates and odd names included.
std::string StoredZip(const std::vector<StoredEntry>& entries);

// A small valid presentation: content types, package and presentation
// relationships (absolute, relative, "./", percent-encoded and external
// targets), one slide whose only text run is a single space, and one image
// whose name holds a space.
std::vector<StoredEntry> MinimalDeck();

}  // namespace quillmere::engine::packagetest
