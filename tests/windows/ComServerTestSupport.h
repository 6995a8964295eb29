#pragma once
// What the COM server tests share: Quillmere.dll loaded and registered in the
// test prefix, late-bound calls the way a script host makes them, an event
// sink that records what it is told and answers through its handler, and the
// corpus decks by their Windows path.

#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/windows/BesideTestProgram.h"

using Microsoft::WRL::ComPtr;

// A corpus deck by the path Wine gives the Linux folder.
inline std::wstring CorpusDeck(const char* name) {
  std::string path = std::string(QUILLMERE_CORPUS_DIR) + "/" + name;
  return std::wstring(path.begin(), path.end());
}

// Loads Quillmere.dll once for the suite, registers it, and unregisters it afterwards.
class ComServerTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  static HMODULE Dll() { return dll_; }
  static HRESULT CallExport(const char* name);

  // Creates a class by its ProgID ("Quillmere.cRegistry") and returns its IDispatch; local
  // servers (the engine's) only when the context says so.
  static ComPtr<IDispatch> Create(const wchar_t* progId, DWORD context = CLSCTX_INPROC_SERVER);

 private:
  static HMODULE dll_;
};

// A VARIANT owning its BSTR, for arguments passed by reference.
struct TextSlot {
  explicit TextSlot(const std::wstring& text) : value(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~TextSlot() { SysFreeString(value); }
  TextSlot(const TextSlot&) = delete;
  TextSlot& operator=(const TextSlot&) = delete;
  VARIANT Ref() {
    VARIANT v;
    V_VT(&v) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&v) = &value;
    return v;
  }
  std::wstring Text() const { return std::wstring(value, SysStringLen(value)); }
  BSTR value;
};

VARIANT LongRef(LONG& value);
VARIANT LongValue(LONG value);
VARIANT BoolValue(bool value);
VARIANT TextValue(BSTR text);  // not owned

// IDispatch::Invoke by member name with the arguments in declaration order;
// a property put passes its value as the last argument.
HRESULT Call(IDispatch* object, const wchar_t* member, WORD flags, std::vector<VARIANT> arguments = {},
             VARIANT* result = nullptr, EXCEPINFO* error = nullptr);

// A result the test owns.
struct Result {
  Result() { VariantInit(&value); }
  ~Result() { VariantClear(&value); }
  Result(const Result&) = delete;
  Result& operator=(const Result&) = delete;
  VARIANT value;
};

// The status a method of the export answers, its call itself succeeding.
inline LONG Status(IDispatch* object, const wchar_t* method, std::vector<VARIANT> arguments) {
  Result status;
  EXPECT_EQ(Call(object, method, DISPATCH_METHOD, std::move(arguments), &status.value), S_OK) << method;
  return V_I4(&status.value);
}

// An event sink for any source interface: records each event's DISPID and
// passes its arguments (declaration order) to the handler, which may change
// the by-reference ones.
class RecordingSink final : public IDispatch {
 public:
  using Handler = std::function<void(DISPID event, std::vector<VARIANT*>& arguments)>;
  RecordingSink(const IID& sourceIid, Handler handler) : sourceIid_(sourceIid), handler_(std::move(handler)) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override { return --references_; }  // lives on the test's stack
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

  const std::vector<DISPID>& Events() const { return events_; }
  ULONG References() const { return references_; }

 private:
  const IID& sourceIid_;
  Handler handler_;
  std::vector<DISPID> events_;
  ULONG references_ = 0;
};

// Connects a sink to an object's events for the life of the connection.
class Connection {
 public:
  Connection(IUnknown* source, const IID& sourceIid, IUnknown* sink);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  HRESULT Status() const { return status_; }

 private:
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
  HRESULT status_ = E_FAIL;
};
