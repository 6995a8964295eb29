#include "objectmodel/automation/Value.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "objectmodel/automation/ComError.h"
#include "objectmodel/xml/NumberText.h"

namespace quillmere {
namespace {

[[noreturn]] void Mismatch() { throw ComError(hr::kTypeMismatch, "Type mismatch"); }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

double ParseNumber(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t");
  std::size_t e = s.find_last_not_of(" \t");
  if (b == std::string::npos) Mismatch();
  if (EqualsNoCase(s.substr(b, e - b + 1), "true")) return -1.0;
  if (EqualsNoCase(s.substr(b, e - b + 1), "false")) return 0.0;
  const char* first = s.data() + b;
  if (*first == '+') ++first;
  double out = 0.0;
  auto res = std::from_chars(first, s.data() + e + 1, out);
  if (res.ec != std::errc() || res.ptr != s.data() + e + 1) Mismatch();
  return out;
}

}  // namespace

double Value::AsDouble() const {
  switch (v_.index()) {
    case 0: return 0.0;
    case 1: return std::get<bool>(v_) ? -1.0 : 0.0;
    case 2: return std::get<std::int32_t>(v_);
    case 3: return std::get<float>(v_);
    case 4: return std::get<double>(v_);
    case 5: return ParseNumber(std::get<std::string>(v_));
    default: Mismatch();
  }
}

float Value::AsSingle() const { return static_cast<float>(AsDouble()); }

std::int32_t Value::AsLong() const {
  if (auto* i = std::get_if<std::int32_t>(&v_)) return *i;
  double d = AsDouble();
  if (!std::isfinite(d) || d > std::numeric_limits<std::int32_t>::max() + 0.5 ||
      d < std::numeric_limits<std::int32_t>::min() - 0.5)
    throw ComError(0x800A0006, "Overflow");
  return static_cast<std::int32_t>(RoundHalfEven(d));
}

bool Value::AsBool() const {
  if (auto* b = std::get_if<bool>(&v_)) return *b;
  return AsDouble() != 0.0;
}

std::string Value::AsString() const {
  switch (v_.index()) {
    case 0: return {};
    case 1: return std::get<bool>(v_) ? "True" : "False";
    case 2: return std::to_string(std::get<std::int32_t>(v_));
    case 3: return FormatSingle(std::get<float>(v_));
    case 4: return FormatDouble(std::get<double>(v_));
    case 5: return std::get<std::string>(v_);
    default: Mismatch();
  }
}

std::shared_ptr<Dispatch> Value::AsDispatch() const {
  if (auto* o = std::get_if<std::shared_ptr<Dispatch>>(&v_)) return *o;
  if (IsEmpty()) return nullptr;
  throw ComError(hr::kObjectRequired, "Object required");
}

}  // namespace quillmere
