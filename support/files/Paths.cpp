#include "support/files/Paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <random>
#include <system_error>

namespace quillmere {
namespace fs = std::filesystem;
namespace {

thread_local std::string tempFolderName;

// The system temp folder with a separator, or empty text (the current folder)
// when the environment names no usable one.
std::string SystemTempFolder() {
  std::error_code ec;
  fs::path temp = fs::temp_directory_path(ec);
  return ec ? std::string() : AddPathSeparator(Utf8NativeText(temp));
}

std::string PerThreadFolder(const std::string& systemTemp) {
  return systemTemp + "corvanta" + kPathSeparator + "lumidesk" + kPathSeparator + tempFolderName + kPathSeparator;
}

char LowerAsciiChar(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

std::string GetTempFolder() {
  if (tempFolderName.empty()) tempFolderName = RandomName(8);
  std::string temp = SystemTempFolder();
  std::string folder = PerThreadFolder(temp);
  if (!FolderExists(folder)) CreateFolderPath(folder);
  return FolderExists(folder) ? folder : temp;
}

void RemoveTempFolder() {
  if (tempFolderName.empty()) return;
  std::error_code ec;
  fs::remove_all(Utf8Path(PerThreadFolder(SystemTempFolder())), ec);
}

namespace {

// Windows takes either separator, and a host's folder ends in a backslash;
// elsewhere a backslash belongs to the name.
#ifdef _WIN32
constexpr std::string_view kSeparators = "/\\";
#else
constexpr std::string_view kSeparators = "/";
#endif

bool EndsWithSeparator(std::string_view path) {
  return !path.empty() && kSeparators.find(path.back()) != std::string_view::npos;
}

}  // namespace

std::string AddPathSeparator(std::string_view path) {
  std::string out(path);
  if (!out.empty() && !EndsWithSeparator(out)) out += kPathSeparator;
  return out;
}

std::string StripTrailingSeparator(std::string_view path) {
  if (EndsWithSeparator(path)) path.remove_suffix(1);
  return std::string(path);
}

void CreateFolderPath(std::string_view path) {
  std::string folder = StripTrailingSeparator(path);
  if (folder.empty()) return;
  std::error_code ec;
  fs::create_directories(Utf8Path(folder), ec);
}

std::string GetParentFolder(std::string_view path) {
  std::size_t slash = path.find_last_of(kSeparators);
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string GetFileBaseName(std::string_view path, std::string_view suffix, bool stripExtension) {
  std::size_t slash = path.find_last_of(kSeparators);
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (stripExtension) {
    std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
  }
  if (!suffix.empty() && name.size() > suffix.size() &&
      std::equal(suffix.begin(), suffix.end(), name.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                 [](char a, char b) { return LowerAsciiChar(a) == LowerAsciiChar(b); }))
    name.remove_suffix(suffix.size());
  return std::string(name);
}

std::string RandomName(std::size_t length) {
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::string name(length, '\0');
  for (char& c : name) c = LowerAsciiChar(kAlphabet[pick(engine)]);
  return name;
}

bool FileExistsByFind(std::string_view path) {
  std::error_code ec;
  return !path.empty() && fs::exists(fs::symlink_status(Utf8Path(path), ec));
}

fs::path Utf8Path(std::string_view utf8) {
  return fs::path(std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8Text(const fs::path& path) {
  std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

std::string Utf8NativeText(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool FolderExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(Utf8Path(path), ec);
}

bool PathExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(Utf8Path(path), ec);
}

bool CopyFileOverwriting(const std::string& source, const std::string& target) {
  std::error_code ec;
  return fs::copy_file(Utf8Path(source), Utf8Path(target), fs::copy_options::overwrite_existing, ec);
}

std::string TaggedFileName(std::string_view taggedPath) {
  std::size_t cut = taggedPath.find_last_of("/\\");
  return std::string(cut == std::string_view::npos ? taggedPath : taggedPath.substr(cut + 1));
}

}  // namespace quillmere
