#pragma once
// Turns a file name into a loaded presentation document the way PowerPoint's
// open calls behave: encrypted files fail with the password message, files
// that are not presentations with the could-not-open message, and old binary
// or OpenDocument files are converted to Open XML first.

#include <memory>
#include <string>
#include <string_view>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// member is the calling member's name for the error text ("Presentations.Open").
// Throws ComError on failure.
std::shared_ptr<PresentationDocument> LoadPresentation(const std::string& path, std::string_view member);

// "name::openpassword::modifypassword" split into the name and whether passwords were given.
struct FileNameWithPasswords {
  std::string name;
  bool hasPasswords = false;
};
FileNameWithPasswords SplitPasswords(std::string_view fileName);

}  // namespace quillmere::engine
