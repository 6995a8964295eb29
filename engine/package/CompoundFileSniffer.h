#pragma once
// Tells what an OLE compound file holds, read with libgsf: an encrypted Open
// XML package, a binary PowerPoint file (encrypted or not), or neither.

#include <filesystem>

#include "engine/package/FileSniffer.h"

namespace quillmere::engine {

FileKind SniffCompoundFile(const std::filesystem::path& file);

}  // namespace quillmere::engine
