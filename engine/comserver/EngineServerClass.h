#pragma once
// The engine's automation server class "Quillmere.PresentationEngine": one
// running Application at a time, like PowerPoint. Creating the class while an
// instance runs hands out that instance; the running one is in the running
// object table for GetObject until it quits.

#include <ole2.h>

#include <functional>
#include <string_view>

namespace quillmere::engine {

// {DED9C4E4-76AB-46CE-BA68-5B42DA790D93}
inline constexpr CLSID kEngineServerClsid = {
    0xded9c4e4, 0x76ab, 0x46ce, {0xba, 0x68, 0x5b, 0x42, 0xda, 0x79, 0x0d, 0x93}};
inline constexpr std::wstring_view kEngineServerProgId = L"Quillmere.PresentationEngine";

// The class factory registered with COM; with one reference for the caller.
IClassFactory* NewEngineClassFactory();

// Runs when clients hold nothing of the server any more (no object, no lock
// on the class factory): its cue to exit.
void OnEngineServerIdle(std::function<void()> handler);

}  // namespace quillmere::engine
