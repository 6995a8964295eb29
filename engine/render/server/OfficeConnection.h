#pragma once
// Connecting to the office started by OfficeProcess, over its named pipe.

#include <com/sun/star/uno/XComponentContext.hpp>

#include <chrono>
#include <string>

#include "engine/render/server/OfficeProcess.h"

namespace quillmere::engine::render {

// The office's component context. Retries while the office starts (it answers
// a few seconds after it was started); throws std::runtime_error when the
// office ends first or does not answer within the limit.
css::uno::Reference<css::uno::XComponentContext> ConnectToOffice(const std::string& pipeName, OfficeProcess& office,
                                                                 std::chrono::milliseconds limit);

}  // namespace quillmere::engine::render
