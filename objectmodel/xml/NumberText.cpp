#include "objectmodel/xml/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace quillmere {
namespace {

// std::to_chars gives the shortest form with the wanted precision, independent
// of the C locale; the exponent is then written the way the platform does
// ("1.5E+08", "1E-05").
template <class T>
std::string FormatFloating(T value, int precision, std::string_view separator) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision);
  std::string text(buf, res.ptr);
  if (text == "-0") text = "0";
  std::string out;
  out.reserve(text.size() + 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.') {
      out += separator;
    } else if (c == 'e') {
      out += 'E';
      std::size_t j = i + 1;
      char sign = '+';
      if (j < text.size() && (text[j] == '+' || text[j] == '-')) sign = text[j++];
      std::string digits = text.substr(j);
      if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
      out += sign;
      out += digits;
      break;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string FormatSingle(float value, std::string_view decimalSeparator) {
  return FormatFloating(value, 7, decimalSeparator);
}

std::string FormatDouble(double value, std::string_view decimalSeparator) {
  return FormatFloating(value, 15, decimalSeparator);
}

std::int64_t RoundHalfEven(double value) {
  // The default floating-point rounding mode is to nearest with ties to even.
  return static_cast<std::int64_t>(std::nearbyint(value));
}

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, digits = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, digits = true;
  }
  if (!digits) return 0.0;
  std::string number(text.substr(start, i - start));
  double out = 0.0;
  const char* b = number.data();
  if (*b == '+') ++b;
  std::from_chars(b, number.data() + number.size(), out);
  return out;
}

}  // namespace quillmere
