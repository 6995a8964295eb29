#pragma once
// /RegServer and /UnregServer of the engine's automation server: its class
// with LocalServer32 and its ProgID "Quillmere.PresentationEngine". A test
// prefix may also point other ProgIDs at it ("PowerPoint.Application"), with
// the CurVer that PowerPoint's installation test reads; never a real machine.

#include <string>
#include <vector>

namespace quillmere::engine {

// Each returns false when a key cannot be written or removed.
bool RegisterEngineServer(const std::wstring& exePath, const std::vector<std::wstring>& aliases);
// Aliases are removed only where they still name the engine's class.
bool UnregisterEngineServer(const std::vector<std::wstring>& aliases);

}  // namespace quillmere::engine
