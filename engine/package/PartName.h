#pragma once
// Part names as the package addresses them. OPC compares part names without
// regard to ASCII case and after percent-decoding, so every lookup goes
// through one key; entry names that could escape a folder are never parts.

#include <string>
#include <string_view>

namespace quillmere::engine {

// "%20" → " "; malformed escapes are kept as written.
std::string DecodePercent(std::string_view text);

// The part name a caller or a zip entry spells ("/ppt/Slides/slide1.xml",
// "ppt\slides\slide1.xml") as it is known to the package: no leading '/',
// '/' separators, percent-decoded, original case.
std::string CanonicalPartName(std::string_view name);

// ASCII letters folded to lower case, as OPC compares names.
std::string LowerAscii(std::string_view text);

// The case-insensitive lookup key of a part name.
std::string PartKey(std::string_view name);

// False for names a package must not use: "..", absolute or drive-letter
// paths, empty names and folder entries.
bool IsSafeEntryName(std::string_view zipName);

// "ppt/slides/slide1.xml" → "ppt/slides/_rels/slide1.xml.rels"; "" → "_rels/.rels".
std::string RelationshipsPartName(std::string_view sourcePart);

}  // namespace quillmere::engine
