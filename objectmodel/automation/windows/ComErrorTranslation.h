#pragma once
// Automation failures both ways: what a late-bound call raises for a failed
// HRESULT or a server's EXCEPINFO, and the EXCEPINFO our own objects fill in
// for a ComError.

#include <ole2.h>
#include <oleauto.h>

#include <string_view>

#include "objectmodel/automation/ComError.h"

namespace quillmere {

// The error of a failed call that had no exception information, numbered and
// described the way a Visual Basic client reports it.
ComError ErrorFromHResult(HRESULT result);

// The error of a failed IDispatch::Invoke; takes the strings out of info.
ComError ErrorFromInvoke(HRESULT result, EXCEPINFO& info);

// Fills info for error (its number as scode) and returns DISP_E_EXCEPTION.
HRESULT RaiseInExcepInfo(const ComError& error, std::string_view source, EXCEPINFO* info);

// Throws ErrorFromHResult when result failed.
void ThrowIfFailed(HRESULT result);

}  // namespace quillmere
