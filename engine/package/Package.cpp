#include "engine/package/Package.h"

#include <functional>

#include "engine/package/PackageImpl.h"
#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

using Kind = PackageError::Kind;

constexpr char kRelationshipsNamespace[] = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr char kRelationshipsContentType[] = "application/vnd.openxmlformats-package.relationships+xml";
// The content types of a package made in memory before its parts are put.
constexpr char kNewContentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>";

void RefuseContentTypesPart(const std::string& key) {
  if (key == kContentTypesKey)
    throw PackageError(Kind::WriteFailed, "[Content_Types].xml is kept by the package itself");
}

// The Relationship element of a rels part with that Id, or an empty node.
pugi::xml_node RelationshipElement(pugi::xml_document* rels, std::string_view id) {
  if (!rels) return {};
  for (pugi::xml_node n = rels->document_element().first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_element && XmlLocalName(n) == "Relationship" && n.attribute("Id").value() == id)
      return n;
  return {};
}

// The wanted id when no relationship has it yet, else the first free "rId<n>";
// one pass over the ids in use, as a part may hold hundreds.
std::string FreeRelationshipId(const pugi::xml_document& rels, const std::string& wanted) {
  std::unordered_set<std::string_view> used;
  for (pugi::xml_node n = rels.document_element().first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_element && XmlLocalName(n) == "Relationship") used.insert(n.attribute("Id").value());
  if (!wanted.empty() && !used.contains(wanted)) return wanted;
  std::string id;
  for (int n = 1; id.empty() || used.contains(id); ++n) id = "rId" + std::to_string(n);
  return id;
}

// "Relationship" with the prefix of the root element, if it has one.
std::string RelationshipElementName(const pugi::xml_node& root) {
  std::string_view name = root.name();
  size_t colon = name.find(':');
  return (colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1))) + "Relationship";
}

// Whether the DOM writes out as the bytes parsed do. Every temporary slide
// asks again for the same few parts, so what the bytes write out as is kept.
bool SameAsBytes(pugi::xml_document& xml, std::optional<std::string>& bytesWritten,
                 const std::function<std::string()>& bytes) {
  try {
    if (!bytesWritten) {
      std::unique_ptr<pugi::xml_document> original = ParseXml(bytes());
      if (!original) return false;
      bytesWritten = SerializeXml(*original);
    }
    return *bytesWritten == SerializeXml(xml);
  } catch (const PackageError&) {
    return false;  // the bytes cannot be read again: the DOM stays what is saved
  }
}

}  // namespace

const ZipEntry* Package::Impl::Entry(const std::string& key) const {
  auto it = entryByKey.find(key);
  return it == entryByKey.end() ? nullptr : &entries[it->second];
}

bool Package::Impl::Has(const std::string& key) const {
  if (removed.count(key)) return false;
  auto it = parts.find(key);
  return (it != parts.end() && it->second.putBytes) || Entry(key);
}

std::optional<std::string> Package::Impl::NewBytes(const std::string& key) const {
  if (key == kContentTypesKey) {
    if (contentTypes->Changed()) return SerializeXml(*contentTypesXml);
    return std::nullopt;
  }
  auto it = parts.find(key);
  if (it == parts.end()) return std::nullopt;
  if (it->second.modified && it->second.xml) return SerializeXml(*it->second.xml);
  return it->second.putBytes;
}

std::string Package::Impl::Bytes(const std::string& key) const {
  if (!Has(key)) throw PackageError(Kind::Corrupt, "the package has no part " + key);
  if (std::optional<std::string> bytes = NewBytes(key)) return std::move(*bytes);
  return ReadEntry(zip.get(), *Entry(key));
}

pugi::xml_document* Package::Impl::Load(const std::string& key) {
  if (key == kContentTypesKey) return contentTypesXml.get();
  PartState& state = parts[key];
  if (!state.parsed) {
    state.parsed = true;
    state.xml = ParseXml(Bytes(key));
  }
  return state.xml.get();
}

pugi::xml_document* Package::Impl::Find(const std::string& key) {
  // A part parsed before answers from one lookup: a removed part has no state left.
  if (auto it = parts.find(key); it != parts.end() && it->second.parsed) return it->second.xml.get();
  if (!Has(key)) return nullptr;
  try {
    return Load(key);
  } catch (const PackageError&) {
    return nullptr;  // an unreadable part counts as a damaged one
  }
}

const std::string& Package::Impl::KeyOf(std::string_view partName) {
  auto known = keyByName.find(partName);
  if (known == keyByName.end()) known = keyByName.emplace(partName, PartKey(partName)).first;
  return known->second;
}

RelationshipList& Package::Impl::RelationshipsOf(std::string_view sourcePart) {
  auto known = relsKeyBySource.find(sourcePart);
  if (known == relsKeyBySource.end())
    known = relsKeyBySource.emplace(sourcePart, PartKey(RelationshipsPartName(sourcePart))).first;
  const std::string& relsKey = known->second;
  auto it = rels.find(relsKey);
  if (it == rels.end()) it = rels.emplace(relsKey, ReadRelationships(Find(relsKey), CanonicalPartName(sourcePart))).first;
  return it->second;
}

Package::Package(std::filesystem::path file) : file_(std::move(file)), impl_(std::make_unique<Impl>()) {}

Package::~Package() = default;

std::unique_ptr<Package> Package::Open(const std::filesystem::path& file, const PackageLimits& limits) {
  std::unique_ptr<Package> package(new Package(file));
  Impl& im = *package->impl_;
  im.zip = OpenZip(file);
  im.entries = ListEntries(im.zip.get(), limits);
  im.entryByKey.reserve(im.entries.size());
  for (size_t i = 0; i < im.entries.size(); ++i) im.entryByKey.emplace(PartKey(im.entries[i].partName), i);
  package->FindMainPart();

  const ZipEntry* types = im.Entry(kContentTypesKey);
  if (!types) throw PackageError(Kind::Corrupt, "the package has no [Content_Types].xml");
  im.contentTypesXml = ParseXml(ReadEntry(im.zip.get(), *types));
  if (!im.contentTypesXml) throw PackageError(Kind::Corrupt, "[Content_Types].xml is not well-formed XML");
  im.contentTypes = std::make_unique<ContentTypes>(*im.contentTypesXml);
  return package;
}

std::unique_ptr<Package> Package::FromParts(const std::vector<AddedPart>& parts) {
  std::unique_ptr<Package> package(new Package(std::filesystem::path()));
  Impl& im = *package->impl_;
  im.contentTypesXml = ParseXml(kNewContentTypes);
  im.contentTypes = std::make_unique<ContentTypes>(*im.contentTypesXml);
  im.contentTypes->MarkChanged();  // there is no file to copy it from
  for (const AddedPart& part : parts) package->PutPart(part.name, part.bytes, part.contentType);
  package->FindMainPart();
  return package;
}

void Package::FindMainPart() {
  Impl& im = *impl_;
  // The main part is parsed now: the engine reads it first anyway, and a zip
  // that is not a presentation is turned away before anything else is read.
  const Relationship* main = FindRelationshipOfType("", "officeDocument");
  if (!main || main->external) throw PackageError(Kind::NotAPresentation, "the zip is not an Open XML package");
  std::string mainKey = PartKey(main->target);
  if (!im.Has(mainKey))
    throw PackageError(Kind::NotAPresentation, "the package's main part " + main->target + " is missing");
  pugi::xml_document* mainXml = im.Load(mainKey);
  if (!mainXml) throw PackageError(Kind::Corrupt, "the main part " + main->target + " is not well-formed XML");
  std::string_view rootName = XmlLocalName(mainXml->document_element());
  if (rootName != "presentation")
    throw PackageError(Kind::NotAPresentation, "the package holds a " + std::string(rootName) + ", not a presentation");
  im.mainPart = main->target;
}

bool Package::HasPart(std::string_view partName) const { return impl_->Has(PartKey(partName)); }

std::vector<std::string> Package::PartNames() const {
  std::vector<std::string> names;
  names.reserve(impl_->entries.size() + impl_->added.size());
  for (const ZipEntry& e : impl_->entries)
    if (!impl_->removed.count(PartKey(e.partName))) names.push_back(e.partName);
  for (const std::string& key : impl_->added)
    if (impl_->Has(key)) names.push_back(impl_->parts.at(key).name);
  return names;
}

std::string Package::ReadBytes(std::string_view partName) const { return impl_->Bytes(PartKey(partName)); }

pugi::xml_document* Package::FindXml(std::string_view partName) { return impl_->Find(impl_->KeyOf(partName)); }

const std::vector<Relationship>& Package::Relationships(std::string_view sourcePart) {
  return impl_->RelationshipsOf(sourcePart).items;
}

const Relationship* Package::FindRelationship(std::string_view sourcePart, std::string_view id) {
  const RelationshipList& list = impl_->RelationshipsOf(sourcePart);
  auto it = list.byId.find(std::string(id));
  return it == list.byId.end() ? nullptr : &list.items[it->second];
}

const Relationship* Package::FindRelationshipOfType(std::string_view sourcePart, std::string_view typeName) {
  for (const Relationship& r : Relationships(sourcePart)) {
    std::string_view type = r.type;
    if (type.size() > typeName.size() && type.ends_with(typeName) && type[type.size() - typeName.size() - 1] == '/')
      return &r;
  }
  return nullptr;
}

std::string Package::ContentType(std::string_view partName) {
  return HasPart(partName) ? impl_->contentTypes->Find(partName) : std::string();
}

std::string Package::MainPartName() { return impl_->mainPart; }

std::uint64_t Package::Revision() const { return impl_->revision; }

std::uint64_t Package::PartRevision(std::string_view partName) const {
  auto found = impl_->changedAt.find(PartKey(partName));
  return found == impl_->changedAt.end() ? 0 : found->second;
}

void Package::MarkModified(std::string_view partName) {
  std::string key = PartKey(partName);
  impl_->changedAt[key] = ++impl_->revision;
  if (key == kContentTypesKey) {
    // Changed from outside: read the entries again from the DOM.
    impl_->contentTypes = std::make_unique<ContentTypes>(*impl_->contentTypesXml);
    impl_->contentTypes->MarkChanged();
    return;
  }
  auto it = impl_->parts.find(key);
  if (it == impl_->parts.end() || !it->second.xml) return;
  it->second.modified = true;
  impl_->rels.erase(key);
}

void Package::PutPart(std::string_view partName, std::string bytes, std::string_view contentType) {
  std::string key = PartKey(partName);
  RefuseContentTypesPart(key);
  Impl& im = *impl_;
  im.changedAt[key] = ++im.revision;
  im.removed.erase(key);
  const ZipEntry* entry = im.Entry(key);
  PartState& state = im.parts[key];
  state = PartState{};
  state.name = entry ? entry->partName : CanonicalPartName(partName);
  state.putBytes = std::move(bytes);
  if (!entry && im.addedKeys.insert(key).second) im.added.push_back(key);
  if (!contentType.empty()) im.contentTypes->SetOverride(state.name, contentType);
  im.rels.erase(key);
}

void Package::RemovePart(std::string_view partName) {
  std::string key = PartKey(partName);
  RefuseContentTypesPart(key);
  Impl& im = *impl_;
  if (!im.Has(key)) return;
  im.changedAt[key] = ++im.revision;
  if (im.Entry(key)) im.removed.insert(key);
  if (auto it = im.parts.find(key); it != im.parts.end()) {
    if (it->second.xml) im.retired.push_back(std::move(it->second.xml));
    im.parts.erase(it);
  }
  im.rels.erase(key);
  im.contentTypes->RemoveOverride(partName);
  RemovePart(RelationshipsPartName(partName));
}

std::string Package::AddRelationship(std::string_view sourcePart, std::string_view type, std::string_view targetPart) {
  return AddRelationship(sourcePart, Relationship{{}, std::string(type), std::string(targetPart), false});
}

std::string Package::AddRelationship(std::string_view sourcePart, const Relationship& wanted) {
  Impl& im = *impl_;
  std::string relsName = RelationshipsPartName(sourcePart);
  std::string relsKey = PartKey(relsName);
  pugi::xml_document* rels = im.Find(relsKey);
  if (!rels || !rels->document_element()) {
    // A source without relationships gets a part for them; an unreadable one is replaced.
    bool typed = !im.contentTypes->Find(relsName).empty();
    PutPart(relsName,
            std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Relationships xmlns=\"") +
                kRelationshipsNamespace + "\"/>",
            typed ? "" : kRelationshipsContentType);
    rels = im.Load(relsKey);
  }
  pugi::xml_node root = rels->document_element();
  std::string id = FreeRelationshipId(*rels, wanted.id);
  pugi::xml_node r = root.append_child(RelationshipElementName(root).c_str());
  r.append_attribute("Id").set_value(id.c_str());
  r.append_attribute("Type").set_value(wanted.type.c_str());
  r.append_attribute("Target").set_value(
      (wanted.external ? wanted.target : RelativeTarget(sourcePart, wanted.target)).c_str());
  if (wanted.external) r.append_attribute("TargetMode").set_value("External");
  auto kept = im.rels.extract(relsKey);
  MarkModified(relsName);
  if (kept) {
    ElementAdded(kept.mapped(), r, CanonicalPartName(sourcePart));
    im.rels.insert(std::move(kept));
  }
  return id;
}

bool Package::RetargetRelationship(std::string_view sourcePart, std::string_view id, std::string_view targetPart) {
  std::string relsName = RelationshipsPartName(sourcePart);
  pugi::xml_node r = RelationshipElement(impl_->Find(PartKey(relsName)), id);
  if (!r) return false;
  r.remove_attribute("TargetMode");
  pugi::xml_attribute target = r.attribute("Target");
  if (!target) target = r.append_attribute("Target");
  target.set_value(RelativeTarget(sourcePart, targetPart).c_str());
  MarkModified(relsName);
  return true;
}

void Package::RemoveRelationship(std::string_view sourcePart, std::string_view id) {
  Impl& im = *impl_;
  std::string relsName = RelationshipsPartName(sourcePart);
  std::string relsKey = PartKey(relsName);
  pugi::xml_node r = RelationshipElement(im.Find(relsKey), id);
  if (!r) return;
  auto kept = im.rels.extract(relsKey);
  if (kept) ElementRemoved(kept.mapped(), r);
  r.parent().remove_child(r);
  MarkModified(relsName);
  if (kept) im.rels.insert(std::move(kept));
}

bool Package::RestoreIfUnchanged(std::string_view partName) {
  Impl& im = *impl_;
  std::string key = PartKey(partName);
  if (key == kContentTypesKey) {
    if (!im.contentTypes->Changed()) return true;
    const ZipEntry* entry = im.Entry(kContentTypesKey);
    if (!entry) return false;  // a package made in memory has only its DOM
    if (!SameAsBytes(*im.contentTypesXml, im.contentTypesWritten, [&] { return ReadEntry(im.zip.get(), *entry); }))
      return false;
    im.contentTypes->MarkUnchanged();
    return true;
  }
  auto it = im.parts.find(key);
  if (it == im.parts.end() || !it->second.modified) return true;
  PartState& state = it->second;
  if (!state.xml) return false;
  const ZipEntry* entry = im.Entry(key);
  if (!state.putBytes && !entry) return false;
  if (!SameAsBytes(*state.xml, state.bytesWritten,
                   [&] { return state.putBytes ? *state.putBytes : ReadEntry(im.zip.get(), *entry); }))
    return false;
  state.modified = false;
  return true;
}

}  // namespace quillmere::engine
