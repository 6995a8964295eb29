#pragma once
// presentationinfo.xml of a Windows export beside the Linux build's for the
// same deck: output folders and the random names of files made in them
// written the same way, and the first line that differs named.

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace quillmere::testing {

inline std::string Comparable(std::string xml, const std::string& outputFolder) {
  for (std::size_t at = xml.find(outputFolder); at != std::string::npos; at = xml.find(outputFolder, at))
    xml.replace(at, outputFolder.size(), "<out>/");
  return std::regex_replace(xml, std::regex("<out>/[a-z0-9]{8}\\."), "<out>/<random>.");
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline void ExpectSameLines(const std::string& windows, const std::string& fromLinux) {
  std::vector<std::string> a = Lines(windows), b = Lines(fromLinux);
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) {
      ADD_FAILURE() << "line " << i + 1 << ":\n  Windows: " << a[i] << "\n  Linux:   " << b[i];
      return;
    }
  EXPECT_EQ(a.size(), b.size());
}

}  // namespace quillmere::testing
