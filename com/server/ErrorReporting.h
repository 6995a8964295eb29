#pragma once
// How a failure inside a member reaches an automation client: an HRESULT and
// an error object with the class as its source, as a Visual Basic class
// raising the same error would give.

#include <windows.h>

#include <exception>
#include <new>

#include "objectmodel/automation/ComError.h"

namespace quillmere::com {

// Numbers below 0x10000 are Visual Basic error numbers, reported in the
// control facility (26001 is 0x800A6591); larger ones are HRESULTs already.
HRESULT ErrorHResult(HResult number);

HRESULT ReportError(const ComError& error, const wchar_t* source, REFIID iid);
HRESULT ReportUnexpected(const std::exception& error, const wchar_t* source, REFIID iid);

// Runs one member's body and turns what it throws into an HRESULT.
template <class Body>
HRESULT Guarded(const wchar_t* source, REFIID iid, Body&& body) {
  try {
    body();
    return S_OK;
  } catch (const ComError& error) {
    return ReportError(error, source, iid);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& error) {
    return ReportUnexpected(error, source, iid);
  }
}

}  // namespace quillmere::com
