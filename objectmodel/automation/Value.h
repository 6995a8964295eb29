#pragma once
// A variant as late-bound calls pass it: empty, Boolean, 32-bit integer,
// single, double, text or object. Conversions follow the automation rules the
// writers rely on (True is -1, numbers round halves to even, text parses).

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>

namespace quillmere {

class Dispatch;

class Value {
 public:
  Value() = default;
  Value(bool b) : v_(b) {}
  Value(int i) : v_(static_cast<std::int32_t>(i)) {}
  Value(long i) : v_(static_cast<std::int32_t>(i)) {}
  Value(unsigned i) : v_(static_cast<std::int32_t>(i)) {}
  Value(float f) : v_(f) {}
  Value(double d) : v_(d) {}
  Value(const char* s) : v_(std::string(s)) {}
  Value(std::string s) : v_(std::move(s)) {}
  Value(std::string_view s) : v_(std::string(s)) {}
  Value(std::shared_ptr<Dispatch> o) : v_(std::move(o)) {}

  bool IsEmpty() const { return v_.index() == 0; }
  bool IsObject() const { return std::holds_alternative<std::shared_ptr<Dispatch>>(v_); }
  bool IsText() const { return std::holds_alternative<std::string>(v_); }

  // Each conversion throws ComError(kTypeMismatch) when the value has no such form.
  bool AsBool() const;
  std::int32_t AsLong() const;
  float AsSingle() const;
  double AsDouble() const;
  std::string AsString() const;
  std::shared_ptr<Dispatch> AsDispatch() const;

  // Calls f with the value as it is held (std::monostate when empty), for
  // backends that carry values in variants of their own.
  template <class F>
  decltype(auto) Visit(F&& f) const {
    return std::visit(std::forward<F>(f), v_);
  }

 private:
  std::variant<std::monostate, bool, std::int32_t, float, double, std::string, std::shared_ptr<Dispatch>> v_;
};

}  // namespace quillmere
