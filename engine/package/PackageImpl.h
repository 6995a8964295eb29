#pragma once
// The state behind Package, shared by its reading and its saving halves.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/package/ContentTypes.h"
#include "engine/package/Package.h"
#include "engine/package/RelationshipsPart.h"
#include "engine/package/ZipReading.h"

namespace quillmere::engine {

inline constexpr char kContentTypesKey[] = "[content_types].xml";

struct PartState {
  std::string name;                      // the part's name
  std::optional<std::string> putBytes;   // set by PutPart
  std::unique_ptr<pugi::xml_document> xml;
  bool parsed = false;                   // parsing was tried; xml may be null
  bool modified = false;                 // xml is newer than the bytes
  std::optional<std::string> bytesWritten;  // the bytes as the DOM writes them out, once asked
};

// Lets the maps keyed by part name be searched with a string_view.
struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

struct Package::Impl {
  ZipHandle zip;
  std::vector<ZipEntry> entries;                             // archive order
  std::unordered_map<std::string, size_t> entryByKey;        // part key → entries index
  std::unordered_map<std::string, PartState> parts;          // part key → cached or put state
  std::vector<std::string> added;                            // keys put that the zip lacks, in order
  std::unordered_set<std::string> addedKeys;
  std::unordered_set<std::string> removed;                   // keys of zip entries removed
  std::unordered_map<std::string, RelationshipList> rels;    // rels part key → its relationships
  // Source part name as asked → its rels part key: working the key out
  // (slashes, percent-decoding, case) took most of a relationship lookup.
  std::unordered_map<std::string, std::string, NameHash, std::equal_to<>> relsKeyBySource;
  // Part name as asked → its key, for the same reason: the writers ask for the same few parts all the time.
  std::unordered_map<std::string, std::string, NameHash, std::equal_to<>> keyByName;
  // DOMs of removed parts, kept so that nodes handed out of them stay valid memory.
  std::vector<std::unique_ptr<pugi::xml_document>> retired;
  std::unique_ptr<pugi::xml_document> contentTypesXml;
  std::unique_ptr<ContentTypes> contentTypes;
  std::optional<std::string> contentTypesWritten;  // the zip's content types as the DOM writes them out
  std::string mainPart;
  std::uint64_t revision = 0;
  std::unordered_map<std::string, std::uint64_t> changedAt;  // part key → revision of its last change

  const ZipEntry* Entry(const std::string& key) const;
  bool Has(const std::string& key) const;
  // Bytes SaveAs must write instead of copying the entry: the DOM when it was
  // changed, else the put bytes; nothing when the zip's entry still holds.
  std::optional<std::string> NewBytes(const std::string& key) const;
  // Nothing put, changed, added or removed, in a zip of parts alone: a save may copy the file.
  bool Unchanged() const;
  // Throws PackageError(Corrupt) when the part is missing or unreadable.
  std::string Bytes(const std::string& key) const;
  // Parsed once; nullptr when not well-formed. Throws like Bytes.
  pugi::xml_document* Load(const std::string& key);
  // Load for a part that may be missing or unreadable: nullptr then.
  pugi::xml_document* Find(const std::string& key);
  RelationshipList& RelationshipsOf(std::string_view sourcePart);
  const std::string& KeyOf(std::string_view partName);
};

}  // namespace quillmere::engine
