#pragma once
// Optional by-reference text arguments a caller left out, given the type
// library's default by the server itself. How the automation runtime fills
// such a slot differs (Wine hands the method a pointer into a VARIANT rather
// than to a BSTR), so every method always receives a real BSTR it may read
// and replace.

#include <windows.h>
#include <oleauto.h>

#include <vector>

namespace quillmere::com {

class OmittedArguments {
 public:
  OmittedArguments() = default;
  OmittedArguments(const OmittedArguments&) = delete;
  OmittedArguments& operator=(const OmittedArguments&) = delete;
  ~OmittedArguments();

  // The arguments to invoke the member with: the caller's own when nothing
  // trailing was left out (or what was left out is no defaulted text), else
  // theirs followed by the defaults, which live as long as this object.
  DISPPARAMS* Complete(ITypeInfo* info, DISPID member, WORD flags, DISPPARAMS* given);

 private:
  std::vector<BSTR> texts_;
  std::vector<VARIANTARG> arguments_;
  DISPPARAMS completed_{};
};

}  // namespace quillmere::com
