// cRegistry as a COM object over the library's cRegistry; its errors reach the
// client with the source "cRegistry".

#include "com/server/ByReferenceText.h"
#include "com/server/ComInterfaces.h"
#include "com/server/DispatchObject.h"
#include "com/server/ErrorReporting.h"
#include "com/server/SafeArrays.h"
#include "com/server/ServerClasses.h"
#include "com/typelib/TypeLibraryIds.h"
#include "objectmodel/automation/windows/VariantValue.h"
#include "utilities/registry/Registry.h"

namespace quillmere::com {
namespace {

class RegistryObject final : public DispatchObject<IRegistry> {
 public:
  RegistryObject() : DispatchObject(kIidRegistry, kClsidRegistry, nullptr) {}

  STDMETHODIMP get_KeyExists(VARIANT_BOOL* value) override {
    return Run(value, [&] { *value = VariantBool(registry_.KeyExists()); });
  }
  STDMETHODIMP CreateKey(VARIANT_BOOL* result) override {
    return Run(result, [&] { *result = VariantBool(registry_.CreateKey()); });
  }
  STDMETHODIMP DeleteKey(VARIANT_BOOL* result) override {
    return Run(result, [&] { *result = VariantBool(registry_.DeleteKey()); });
  }
  STDMETHODIMP DeleteValue(VARIANT_BOOL* result) override {
    return Run(result, [&] { *result = VariantBool(registry_.DeleteValue()); });
  }
  STDMETHODIMP get_Value(VARIANT* value) override {
    return Run(value, [&] { ValueToVariant(registry_.GetValue(), *value, EmptyValue::Empty); });
  }
  STDMETHODIMP put_Value(VARIANT value) override {
    return Guard([&] { registry_.SetValue(ValueFromVariant(value)); });
  }
  STDMETHODIMP EnumerateValues(SAFEARRAY** names, long* count, VARIANT_BOOL* result) override {
    return Enumerate(names, count, result, &cRegistry::EnumerateValues);
  }
  STDMETHODIMP EnumerateSections(SAFEARRAY** names, long* count, VARIANT_BOOL* result) override {
    return Enumerate(names, count, result, &cRegistry::EnumerateSections);
  }
  STDMETHODIMP CreateEXEAssociation(BSTR sExePath, BSTR sClassName, BSTR sClassDescription, BSTR sAssociation,
                                    BSTR sOpenMenuText, VARIANT_BOOL bSupportPrint, BSTR sPrintMenuText,
                                    VARIANT_BOOL bSupportNew, BSTR sNewMenuText, VARIANT_BOOL bSupportInstall,
                                    BSTR sInstallMenuText, long lDefaultIconIndex) override {
    return Guard([&] {
      registry_.CreateEXEAssociation(FromBstr(sExePath), FromBstr(sClassName), FromBstr(sClassDescription),
                                     FromBstr(sAssociation), FromBstr(sOpenMenuText), bSupportPrint != VARIANT_FALSE,
                                     FromBstr(sPrintMenuText), bSupportNew != VARIANT_FALSE, FromBstr(sNewMenuText),
                                     bSupportInstall != VARIANT_FALSE, FromBstr(sInstallMenuText),
                                     lDefaultIconIndex);
    });
  }
  STDMETHODIMP CreateAdditionalEXEAssociations(BSTR sClassName, SAFEARRAY** vItems) override {
    return Guard([&] {
      registry_.CreateAdditionalEXEAssociations(FromBstr(sClassName), TextsOf(vItems ? *vItems : nullptr));
    });
  }
  STDMETHODIMP get_ValueType(long* value) override { return Run(value, [&] { *value = registry_.ValueType(); }); }
  STDMETHODIMP put_ValueType(long value) override {
    registry_.SetValueType(value);
    return S_OK;
  }
  STDMETHODIMP get_ClassKey(long* value) override { return Run(value, [&] { *value = registry_.ClassKey(); }); }
  STDMETHODIMP put_ClassKey(long value) override {
    registry_.SetClassKey(value);
    return S_OK;
  }
  STDMETHODIMP get_SectionKey(BSTR* value) override { return ReturnText(value, registry_.SectionKey()); }
  STDMETHODIMP put_SectionKey(BSTR value) override {
    return Guard([&] { registry_.SetSectionKey(FromBstr(value)); });
  }
  STDMETHODIMP get_ValueKey(BSTR* value) override { return ReturnText(value, registry_.ValueKey()); }
  STDMETHODIMP put_ValueKey(BSTR value) override {
    return Guard([&] { registry_.SetValueKey(FromBstr(value)); });
  }
  STDMETHODIMP get_Default(VARIANT* value) override {
    return Run(value, [&] { ValueToVariant(registry_.Default(), *value, EmptyValue::Empty); });
  }
  STDMETHODIMP put_Default(VARIANT value) override {
    return Guard([&] { registry_.SetDefault(ValueFromVariant(value)); });
  }

 private:
  template <class Body>
  HRESULT Run(const void* required, Body&& body) {
    if (!required) return E_POINTER;
    return Guard(body);
  }
  template <class Body>
  HRESULT Guard(Body&& body) {
    return Guarded(L"cRegistry", kIidRegistry, body);
  }

  using EnumerateMethod = bool (cRegistry::*)(std::vector<std::string>&, std::int32_t&) const;
  HRESULT Enumerate(SAFEARRAY** names, long* count, VARIANT_BOOL* result, EnumerateMethod method) {
    if (!names || !count || !result) return E_POINTER;
    return Guard([&] {
      std::vector<std::string> found;
      std::int32_t number = 0;
      *result = VariantBool((registry_.*method)(found, number));
      *count = number;
      SAFEARRAY* array = StringArray(found);
      if (!array) throw std::bad_alloc();
      ReplaceArray(names, array);
    });
  }

  cRegistry registry_;
};

}  // namespace

HRESULT CreateRegistry(REFIID riid, void** object) { return CreateObject<RegistryObject>(riid, object); }

}  // namespace quillmere::com
