#pragma once
// An Open XML package (.pptx and friends) read through libzip. Parts are read
// and parsed on first use and never twice; relationships likewise. Parts the
// engine changes are marked modified and serialised again by SaveAs, every
// other entry is copied over unchanged.

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

typedef struct zip zip_t;

namespace quillmere::engine {

class PackageError : public std::runtime_error {
 public:
  enum class Kind { NotFound, NotAZip, Corrupt, NotAPresentation, TooLarge, WriteFailed };
  PackageError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
  Kind GetKind() const { return kind_; }

 private:
  Kind kind_;
};

struct Relationship {
  std::string id;
  std::string type;    // full relationship type URI
  std::string target;  // internal targets: the resolved part name without a leading "/" ("ppt/slides/slide1.xml")
  bool external = false;
};

class Package {
 public:
  // Throws PackageError. The zip is checked against size, entry-count and
  // compression-ratio limits and for duplicate or unsafe entry names.
  static std::unique_ptr<Package> Open(const std::filesystem::path& file);
  ~Package();
  Package(const Package&) = delete;
  Package& operator=(const Package&) = delete;

  const std::filesystem::path& File() const { return file_; }
  bool HasPart(std::string_view partName) const;
  std::vector<std::string> PartNames() const;
  // Raw bytes of a part; throws PackageError(Corrupt) when missing or unreadable.
  std::string ReadBytes(std::string_view partName) const;
  // Parsed part, or nullptr when the part is missing or not well-formed XML.
  pugi::xml_document* FindXml(std::string_view partName);
  // Relationships of a part ("" for the package's own). Missing rels part: empty.
  const std::vector<Relationship>& Relationships(std::string_view sourcePart);
  const Relationship* FindRelationship(std::string_view sourcePart, std::string_view id);
  // The first relationship whose type ends with "/" + typeName (e.g. "slideLayout").
  const Relationship* FindRelationshipOfType(std::string_view sourcePart, std::string_view typeName);
  std::string ContentType(std::string_view partName);
  // The part the package relationship "officeDocument" points at.
  std::string MainPartName();

  // The DOM of this part was changed; SaveAs writes it from the DOM.
  void MarkModified(std::string_view partName);
  // A new or replaced part with the given bytes and content type.
  void PutPart(std::string_view partName, std::string bytes, std::string_view contentType);
  void RemovePart(std::string_view partName);
  // Writes the package as it is now. Throws PackageError(WriteFailed).
  void SaveAs(const std::filesystem::path& file);

 private:
  explicit Package(std::filesystem::path file);
  struct Impl;
  std::filesystem::path file_;
  std::unique_ptr<Impl> impl_;
};

// Resolves a relationship target against the folder of its source part
// ("ppt/slides/slide1.xml" + "../slideLayouts/slideLayout2.xml").
std::string ResolvePartName(std::string_view sourcePart, std::string_view target);

}  // namespace quillmere::engine
