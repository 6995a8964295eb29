#pragma once
// Ctrl-C and SIGTERM. The first one only raises a flag that the export polls
// at its next abort check; a second one ends the process at once.

#include <atomic>

namespace quillmere::cli {

// Installs the handlers and unblocks both signals, so that one sent before
// this call (while a parent had them blocked) is acted on now.
void InstallInterruptHandlers();

// Set once an interrupt arrived.
const std::atomic<bool>& InterruptRequested();

}  // namespace quillmere::cli
