#pragma once
// An Open XML package (.pptx and friends) read through libzip. Parts are read
// and parsed on first use and never twice; relationships likewise. Parts the
// engine changes are marked modified and serialised again by SaveAs, every
// other entry is copied over unchanged.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "support/zip/ZipLimits.h"

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

// The guards Open applies before it trusts a zip (shared with the unzip utility).
using PackageLimits = quillmere::ZipLimits;

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
  static std::unique_ptr<Package> Open(const std::filesystem::path& file, const PackageLimits& limits = {});
  // A part written beside or instead of a package's own: its name, bytes
  // and content type (empty: the package's default for the name's extension).
  struct AddedPart {
    std::string name, bytes, contentType;
  };
  // A package made in memory from its parts, the package relationships among
  // them (a new presentation): it has no file, and every part saves from the
  // bytes given, under the content type given (none: the default for its
  // extension). Throws PackageError like Open when it holds no presentation.
  static std::unique_ptr<Package> FromParts(const std::vector<AddedPart>& parts);
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
  // The list and pointers into it stay valid until that rels part is changed.
  const std::vector<Relationship>& Relationships(std::string_view sourcePart);
  const Relationship* FindRelationship(std::string_view sourcePart, std::string_view id);
  // The first relationship whose type ends with "/" + typeName (e.g. "slideLayout").
  const Relationship* FindRelationshipOfType(std::string_view sourcePart, std::string_view typeName);
  std::string ContentType(std::string_view partName);
  // The part the package relationship "officeDocument" points at.
  std::string MainPartName();

  // Counts the changes made since the package was opened: 0 while it is
  // still its file; whoever shows it again compares this number.
  std::uint64_t Revision() const;
  // The revision at which the part was last put, marked modified or removed;
  // 0 while it is still its file's. What is worked out from a few parts can
  // stay valid across edits of others.
  std::uint64_t PartRevision(std::string_view partName) const;

  // The DOM of this part was changed; SaveAs writes it from the DOM.
  void MarkModified(std::string_view partName);
  // A new or replaced part with the given bytes and content type.
  void PutPart(std::string_view partName, std::string bytes, std::string_view contentType);
  // Removes the part, its relationships part and its content-type override.
  // The DOMs of removed parts are kept until the package closes, so nodes
  // handed out of them stay valid memory (they belong to no part any more).
  void RemovePart(std::string_view partName);
  // Adds a relationship of the given type (a full URI) from a part ("" for
  // the package) to an internal part, its target written relative to the
  // source; the relationships part is made when the source has none. Returns
  // the new id: the first "rIdN" the source does not use.
  std::string AddRelationship(std::string_view sourcePart, std::string_view type, std::string_view targetPart);
  // The same for a relationship as read (an internal target a part name, an
  // external one as written), under its id when the source does not use it yet.
  std::string AddRelationship(std::string_view sourcePart, const Relationship& wanted);
  // Points the relationship with that id at another internal part; false when there is no such relationship.
  bool RetargetRelationship(std::string_view sourcePart, std::string_view id, std::string_view targetPart);
  // Removes the relationship with that id; nothing when there is none.
  void RemoveRelationship(std::string_view sourcePart, std::string_view id);
  // A part marked modified ([Content_Types].xml included) whose DOM reads
  // again exactly as its own bytes do, because an edit was undone, is saved
  // from those bytes again, so that a package edited and put back saves byte
  // for byte as it was. Returns whether the part now saves from its bytes.
  bool RestoreIfUnchanged(std::string_view partName);
  // Writes the package as it is now; this object keeps reading its own file.
  // A main content type given saves the package as that kind of document (a
  // template or show saved as a presentation) without changing this one.
  // Throws PackageError(WriteFailed).
  void SaveAs(const std::filesystem::path& file, std::string_view mainContentType = {});
  // The same with some parts' bytes replaced in the written file only (the
  // part name as in Relationship::target, without a leading "/").
  using ReplacedParts = std::map<std::string, std::string, std::less<>>;
  // Parts the copy has beside the package's own (AddedPart).
  void SaveCopyWith(const std::filesystem::path& file, const ReplacedParts& replaced,
                    const std::vector<AddedPart>& added = {});

 private:
  explicit Package(std::filesystem::path file);
  // Finds the main part through the package relationships and checks that it is a presentation.
  void FindMainPart();
  // replaced: by part key.
  void Save(const std::filesystem::path& file, std::string_view mainContentType, const ReplacedParts& replaced,
            const std::vector<AddedPart>& added = {});
  struct Impl;
  std::filesystem::path file_;
  std::unique_ptr<Impl> impl_;
};

// Resolves a relationship target against the folder of its source part
// ("ppt/slides/slide1.xml" + "../slideLayouts/slideLayout2.xml").
std::string ResolvePartName(std::string_view sourcePart, std::string_view target);
// The reverse: the target a relationship of the source part writes for a
// part ("ppt/slides/slide1.xml", "ppt/slideLayouts/slideLayout2.xml" →
// "../slideLayouts/slideLayout2.xml"); from the package ("") the part name itself.
std::string RelativeTarget(std::string_view sourcePart, std::string_view targetPart);

}  // namespace quillmere::engine
