#pragma once
// "_rel.lst": the file beside short-named entries of a project archive folder
// that gives each short name its long one, one "short|long" line per name.
// The authoring tools wrote it as ANSI text or as Unicode text with a
// byte-order mark; we write UTF-16 LE with its mark.

#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

inline constexpr std::string_view kRelationshipFileName = "_rel.lst";

struct NamePair {
  std::string shortName;
  std::string longName;
};

enum class TextEncoding { Utf8, Utf16Le, Utf16Be, Utf32Be, Ansi };

// By the byte-order mark; Ansi when there is none.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The text as UTF-8, without its byte-order mark. ANSI text that is valid
// UTF-8 is taken as such; any other is read as Windows-1252.
std::string DecodeText(std::string_view bytes);

// The lines that hold a '|' with a name on each side of it; the long name
// ends at a second '|'. Lines end with CR LF, LF or CR.
std::vector<NamePair> ParseRelationships(std::string_view bytes);

// The relationship file at path (its first 4 MB); empty when there is none.
std::vector<NamePair> ReadRelationshipFile(const std::string& path);

// The file's bytes as we write them: UTF-16 LE with its mark, CR LF after each line.
std::string EncodeRelationships(const std::vector<NamePair>& pairs);

}  // namespace quillmere
