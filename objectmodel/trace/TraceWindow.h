#pragma once
// Where trace lines go besides the caller: this thread's trace viewer and the debug output.
// Linux: the viewer's datagram socket and stderr; Windows: the trace window (WM_COPYDATA) and
// the debugger output.

#include <string>
#include <string_view>

namespace quillmere {

// Looks for the viewer on the thread's first call; true when one was found then.
bool TraceWindowAvailable();
// One formatted record to the viewer found; a viewer that went away is ignored.
void SendTraceRecord(const std::string& record);

// Whether the debug output takes lines: on Windows always (the debugger output), on Linux when
// switched on (stderr); toStderr is the switch of SetTraceDebugOutput.
bool DebugOutputWanted(bool toStderr);
void WriteDebugOutput(std::string_view line, bool toStderr);

}  // namespace quillmere
