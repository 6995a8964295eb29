#include <algorithm>
#include <cstdio>
#include <random>
#include <system_error>

#include "engine/package/PackageImpl.h"
#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"
#include "support/files/Paths.h"
#include "support/zip/ZipWriter.h"

namespace quillmere::engine {
namespace {

// A hidden name in the target's folder, so the final rename stays on one file system.
std::filesystem::path TempNameNextTo(const std::filesystem::path& file) {
  std::random_device random;
  char suffix[17];
  std::snprintf(suffix, sizeof suffix, "%08x%08x", random(), random());
  return file.parent_path() / Utf8Path("." + Utf8Text(file.filename()) + "." + suffix + ".saving");
}

// The finished temporary file takes the target's place.
void Replace(const std::filesystem::path& temp, const std::filesystem::path& file) {
  std::error_code error, ignored;
  std::filesystem::rename(temp, file, error);
  if (error) {
    std::filesystem::remove(temp, ignored);
    throw PackageError(PackageError::Kind::WriteFailed,
                       Utf8NativeText(file) + ": cannot replace the file (" + error.message() + ")");
  }
}

}  // namespace

bool Package::Impl::Unchanged() const {
  if (!removed.empty() || !added.empty() || contentTypes->Changed()) return false;
  for (const auto& [key, state] : parts)
    if ((state.modified && state.xml) || state.putBytes) return false;
  // Only a zip that holds nothing but its parts, [Content_Types].xml first,
  // is already what a rewrite would make of it.
  return !entries.empty() && entries.front().index == 0 && PartKey(entries.front().partName) == kContentTypesKey &&
         static_cast<zip_int64_t>(entries.size()) == zip_get_num_entries(zip.get(), 0);
}

void Package::SaveAs(const std::filesystem::path& file, std::string_view mainContentType) {
  Save(file, mainContentType, {});
}

void Package::SaveCopyWith(const std::filesystem::path& file, const ReplacedParts& replaced,
                           const std::vector<AddedPart>& added) {
  ReplacedParts byKey;
  for (const auto& [name, bytes] : replaced) byKey.emplace(PartKey(name), bytes);
  Save(file, {}, byKey, added);
}

void Package::Save(const std::filesystem::path& file, std::string_view mainContentType, const ReplacedParts& byKey,
                   const std::vector<AddedPart>& added) {
  Impl& im = *impl_;
  const ZipEntry* typesEntry = im.Entry(kContentTypesKey);
  const std::string typesName = typesEntry ? typesEntry->zipName : "[Content_Types].xml";
  std::filesystem::path temp = TempNameNextTo(file);
  std::error_code ignored;
  // An unchanged package is its file: the kernel copies it without a pass through the zip.
  const bool sameType = mainContentType.empty() || im.contentTypes->Find(im.mainPart) == mainContentType;
  if (byKey.empty() && added.empty() && sameType && im.zip && im.Unchanged()) {
    std::error_code error;
    std::filesystem::copy_file(File(), temp, error);
    if (!error) {
      Replace(temp, file);
      return;
    }
    std::filesystem::remove(temp, ignored);
  }
  try {
    ZipWriter out(temp);
    auto write = [&](const std::string& key, const std::string& name) {
      if (auto found = byKey.find(key); found != byKey.end()) out.AddBytes(name, found->second);
      else if (std::optional<std::string> bytes = im.NewBytes(key)) out.AddBytes(name, std::move(*bytes));
      else {
        const ZipEntry& entry = *im.Entry(key);
        out.AddCopy(im.zip.get(), entry.index, entry.zipName, entry.method == ZIP_CM_STORE);
      }
    };
    // [Content_Types].xml first: readers that stream a package need it first.
    bool addsTypes = std::any_of(added.begin(), added.end(), [](const AddedPart& p) { return !p.contentType.empty(); });
    if (addsTypes || !sameType) {
      pugi::xml_document types;
      types.reset(*im.contentTypesXml);
      ContentTypes contentTypes(types);
      if (!mainContentType.empty()) contentTypes.SetOverride(im.mainPart, mainContentType);
      for (const AddedPart& part : added)
        if (!part.contentType.empty()) contentTypes.SetOverride(part.name, part.contentType);
      out.AddBytes(typesName, SerializeXml(types));
    } else {
      write(kContentTypesKey, typesName);
    }
    for (const ZipEntry& e : im.entries) {
      std::string key = PartKey(e.partName);
      if (key != kContentTypesKey && !im.removed.count(key)) write(key, e.zipName);
    }
    for (const std::string& key : im.added)
      if (im.Has(key)) write(key, im.parts.at(key).name);
    for (const AddedPart& part : added) {
      if (im.Has(PartKey(part.name)))
        throw PackageError(PackageError::Kind::WriteFailed,
                           Utf8NativeText(file) + ": the package already has " + part.name);
      out.AddBytes(part.name, part.bytes);
    }
    out.Commit();
  } catch (const ZipWriteError& failure) {
    std::filesystem::remove(temp, ignored);
    throw PackageError(PackageError::Kind::WriteFailed, failure.what());
  } catch (...) {
    std::filesystem::remove(temp, ignored);
    throw;
  }
  Replace(temp, file);
}

}  // namespace quillmere::engine
