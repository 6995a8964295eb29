#pragma once
// The lines a batch and its workers exchange, also used for the batch's own
// result lines: fields separated by tabs. A tab, newline, carriage return or
// backslash inside a field is written \t, \n, \r or \\, so that any path
// survives the trip and every line stays one line.
//
//   batch to worker:  export <deck> <output folder> <slides or empty> <version or 0>
//                            <images 1|0> <thumbnails 1|0>
//   worker to batch:  progress <done> <total>
//                     done <status> <xml path or empty> <reason or empty>
//                     notice <text to show once>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/BatchSchedule.h"

namespace quillmere::cli {

inline constexpr std::string_view kJobExport = "export";
inline constexpr std::string_view kReplyProgress = "progress";
inline constexpr std::string_view kReplyDone = "done";
inline constexpr std::string_view kReplyNotice = "notice";

// The fields as one line, without its line break.
std::string JoinFields(const std::vector<std::string>& fields);

// The fields of a line without its line break. An unknown escape keeps its
// character, so nothing is ever lost.
std::vector<std::string> SplitFields(std::string_view line);

// A field that is a whole decimal number, and nothing else.
bool ParseNumber(std::string_view field, std::int32_t& value);

// The job line's fields for a deck, and the deck back from them (none when
// they are no export job).
std::vector<std::string> ExportJobFields(const BatchDeck& deck);
std::optional<BatchDeck> ParseExportJob(const std::vector<std::string>& fields);

}  // namespace quillmere::cli
