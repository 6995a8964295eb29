#include "support/registry/RegistryStore.h"

namespace quillmere {

std::string_view NormalisedKeyPath(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

std::string_view ParentKeyPath(std::string_view path) {
  std::size_t cut = path.rfind('\\');
  return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut);
}

}  // namespace quillmere
