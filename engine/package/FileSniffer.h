#pragma once
// Tells what kind of file a presentation path holds before the engine opens it:
// an Open XML zip, an encrypted Open XML package (a compound file with
// EncryptionInfo), a binary PowerPoint file (plain or encrypted, read from its
// "Current User" stream), an OpenDocument presentation, or something else.

#include <filesystem>

namespace quillmere::engine {

enum class FileKind { Missing, Directory, Empty, OpenXml, EncryptedOpenXml, BinaryPpt, EncryptedBinaryPpt, OpenDocument, Unknown };

FileKind SniffFile(const std::filesystem::path& file);

}  // namespace quillmere::engine
