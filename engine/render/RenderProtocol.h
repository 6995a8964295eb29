#pragma once
// The line protocol between SlideRenderer and the quillmere-render server.
// One request per line on the server's stdin, one reply line each on its
// stdout. Words are separated by single spaces; a word that is empty or holds
// a space, a double quote, a backslash or a control character is written in
// double quotes with \" \\ \n \r \t escapes, so any path fits on one line.
//
// Once connected to LibreOffice the server greets with "ok ready" (or writes
// "error <text>" and ends). Requests, all indices 0-based, paths absolute:
//   load <deck>                 closes the open document, opens <deck> hidden
//                               and read-only; "ok <documents loaded so far>"
//   pages                       "ok <number of pages>" (hidden slides included)
//   page <page> <w> <h> <out>   the page as a PNG of exactly w x h pixels
//   shapes <page> <i,j,...> png <w> <h> <out> [<name>...]
//                               those top-level shapes of the page, together,
//                               as a PNG with a transparent background; with
//                               one name per shape, the shape at a path counts
//                               only when it has its name, else the one shape
//                               of the page so named is drawn (for readers that
//                               count a page's shapes differently)
//   shapes <page> <i,j,...> emf <out> [<name>...]
//                               the same as an EMF at the shapes' own size
//   shapes <page> <i,j,...> pngscale <pw> <ph> <out> [<name>...]
//                               the same as a PNG drawn at the scale at which
//                               the page would be pw x ph; "ok <w> <h>", the
//                               image's size
//   text <page>                 "ok" and, for each shape that can hold text,
//                               what LibreOffice reads from it: path, table
//                               cell, name, text and each paragraph's size,
//                               font and bullet (PageTextWords.h)
// A shape in a group is its path of indices joined by dots: "4.0" is the
// first shape of the page's fifth shape. Missing folders of <out> are made.
//   quit                        "ok", then closes the document and LibreOffice
// A failed request is answered "error <text>" and leaves the server usable.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::engine::renderprotocol {

std::string JoinWords(const std::vector<std::string>& words);

// Nothing when a quoted word is not closed or a quote starts inside a word.
std::optional<std::vector<std::string>> SplitWords(std::string_view line);

// "error <text>" with line breaks in the text turned into spaces.
std::string ErrorReply(std::string_view text);

}  // namespace quillmere::engine::renderprotocol
