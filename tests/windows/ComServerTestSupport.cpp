#include "tests/windows/ComServerTestSupport.h"

#include <algorithm>

HMODULE ComServerTest::dll_ = nullptr;

void ComServerTest::SetUpTestSuite() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  dll_ = LoadLibraryW(BesideTestProgram(L"Quillmere.dll").c_str());
  ASSERT_NE(dll_, nullptr);
  ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
}

void ComServerTest::TearDownTestSuite() {
  EXPECT_EQ(CallExport("DllUnregisterServer"), S_OK);
  CoFreeUnusedLibraries();
  if (dll_) FreeLibrary(dll_);
  dll_ = nullptr;
  CoUninitialize();
}

HRESULT ComServerTest::CallExport(const char* name) {
  auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
  return function ? function() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

ComPtr<IDispatch> ComServerTest::Create(const wchar_t* progId, DWORD context) {
  CLSID clsid;
  ComPtr<IDispatch> object;
  if (SUCCEEDED(CLSIDFromProgID(progId, &clsid))) {
    CoCreateInstance(clsid, nullptr, context, IID_IDispatch, &object);
  }
  return object;
}

VARIANT LongRef(LONG& value) {
  VARIANT v;
  V_VT(&v) = VT_BYREF | VT_I4;
  V_I4REF(&v) = &value;
  return v;
}

VARIANT LongValue(LONG value) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

VARIANT BoolValue(bool value) {
  VARIANT v;
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

VARIANT TextValue(BSTR text) {
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = text;
  return v;
}

HRESULT Call(IDispatch* object, const wchar_t* member, WORD flags, std::vector<VARIANT> arguments, VARIANT* result,
             EXCEPINFO* error) {
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(member);
  HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  std::reverse(arguments.begin(), arguments.end());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  EXCEPINFO ignored{};
  UINT argumentError = 0;
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, error ? error : &ignored,
                      &argumentError);
  if (!error) {
    SysFreeString(ignored.bstrSource);
    SysFreeString(ignored.bstrDescription);
    SysFreeString(ignored.bstrHelpFile);
  }
  return hr;
}

STDMETHODIMP RecordingSink::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == sourceIid_) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP RecordingSink::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

STDMETHODIMP RecordingSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  events_.push_back(id);
  std::vector<VARIANT*> arguments;
  for (UINT i = params->cArgs; i > 0; --i) arguments.push_back(&params->rgvarg[i - 1]);
  if (handler_) handler_(id, arguments);
  return S_OK;
}

Connection::Connection(IUnknown* source, const IID& sourceIid, IUnknown* sink) {
  ComPtr<IConnectionPointContainer> container;
  status_ = source->QueryInterface(IID_PPV_ARGS(&container));
  if (SUCCEEDED(status_)) status_ = container->FindConnectionPoint(sourceIid, &point_);
  if (SUCCEEDED(status_)) status_ = point_->Advise(sink, &cookie_);
}

Connection::~Connection() {
  if (SUCCEEDED(status_)) point_->Unadvise(cookie_);
}
