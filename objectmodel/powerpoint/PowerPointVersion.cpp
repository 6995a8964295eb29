#include "objectmodel/powerpoint/PowerPointVersion.h"

#include "objectmodel/xml/NumberText.h"

namespace quillmere {

std::int16_t MajorVersionOf(const Object& application) {
  return static_cast<std::int16_t>(RoundHalfEven(LeadingNumber(application.Get("Version").AsString())));
}

}  // namespace quillmere
