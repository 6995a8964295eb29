#pragma once
// Dates as automation clients see them: days since 1899-12-30 with the time
// of day as the fraction, in local time.

#include <ctime>

namespace quillmere {

double AutomationDate(std::time_t time);

}  // namespace quillmere
