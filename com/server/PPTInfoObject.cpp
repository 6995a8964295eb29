// PPTInfo as a COM object: the export methods over the library's PPTInfo, and
// its events raised on the hosts' sinks with the by-reference arguments read
// back, the thread's messages run once after each event (by PPTInfo itself).

#include "com/server/ComInterfaces.h"
#include "com/server/ByReferenceText.h"
#include "com/server/ErrorReporting.h"
#include "com/server/EventSourceObject.h"
#include "com/server/ServerClasses.h"
#include "com/typelib/TypeLibraryIds.h"
#include "component/PPTInfo.h"

namespace quillmere::com {
namespace {

constexpr DISPID kAbortConversion = 1;
constexpr DISPID kProgress = 2;

class PPTInfoObject final : public EventSourceObject<IPPTInfo> {
 public:
  PPTInfoObject() : EventSourceObject(kIidPPTInfo, kClsidPPTInfo, kIidPPTInfoEvents) {
    PPTInfoEvents& events = info_.Events();
    events.AbortConversion = [this](bool& cancel) {
      VARIANT_BOOL flag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
      VARIANT argument;
      V_VT(&argument) = VT_BYREF | VT_BOOL;
      V_BOOLREF(&argument) = &flag;
      Events().Fire(kAbortConversion, &argument, 1);
      cancel = flag != VARIANT_FALSE;
    };
    events.Progress = [this](std::int32_t& current, std::int32_t& max) {
      LONG values[2] = {current, max};
      VARIANT arguments[2];
      for (int i = 0; i < 2; ++i) {
        V_VT(&arguments[i]) = VT_BYREF | VT_I4;
        V_I4REF(&arguments[i]) = &values[i];
      }
      Events().Fire(kProgress, arguments, 2);
      current = values[0];
      max = values[1];
    };
    events.ProcessMessages = PumpPendingMessages;
  }

  STDMETHODIMP GenerateThumbnails(BSTR* presentationName, BSTR* propertiesXML, BSTR* outputFolder,
                                  long* result) override {
    return Export(presentationName, propertiesXML, result, [&](std::string& name, std::string& xml) {
      return info_.GenerateThumbnails(name, xml, TextIn(outputFolder));
    });
  }
  STDMETHODIMP PPTSlides(BSTR* presentationName, long* SlideList, BSTR* propertiesXML, BSTR* outputFolder,
                         long* result) override {
    if (!SlideList) return E_POINTER;
    return Export(presentationName, propertiesXML, result, [&](std::string& name, std::string& xml) {
      std::int32_t slides = *SlideList;
      std::int32_t status = info_.PPTSlides(name, slides, xml, TextIn(outputFolder));
      *SlideList = slides;
      return status;
    });
  }
  STDMETHODIMP PPTSlideSelection(BSTR* presentationName, BSTR* SlideList, BSTR* propertiesXML, BSTR* outputFolder,
                                 long* result) override {
    return Export(presentationName, propertiesXML, result, [&](std::string& name, std::string& xml) {
      std::string slides = TextIn(SlideList);
      std::int32_t status = info_.PPTSlideSelection(name, slides, xml, TextIn(outputFolder));
      TextOut(SlideList, slides);
      return status;
    });
  }
  STDMETHODIMP PPTActiveSlide(BSTR* propertiesXML, BSTR* outputFolder, long* result) override {
    return Export(nullptr, propertiesXML, result, [&](std::string&, std::string& xml) {
      return info_.PPTActiveSlide(xml, TextIn(outputFolder));
    });
  }
  STDMETHODIMP PPTActivePresentation(BSTR* propertiesXML, BSTR* outputFolder, long* result) override {
    return Export(nullptr, propertiesXML, result, [&](std::string&, std::string& xml) {
      return info_.PPTActivePresentation(xml, TextIn(outputFolder));
    });
  }
  STDMETHODIMP PPTSlide(BSTR* presentationName, long* Index, BSTR* propertiesXML, BSTR* outputFolder,
                        long* result) override {
    if (!Index) return E_POINTER;
    return Export(presentationName, propertiesXML, result, [&](std::string& name, std::string& xml) {
      std::int32_t index = *Index;
      std::int32_t status = info_.PPTSlide(name, index, xml, TextIn(outputFolder));
      *Index = index;
      return status;
    });
  }
  STDMETHODIMP PPTPresentation(BSTR* presentationName, BSTR* propertiesXML, BSTR* outputFolder,
                               long* result) override {
    return Export(presentationName, propertiesXML, result, [&](std::string& name, std::string& xml) {
      return info_.PPTPresentation(name, xml, TextIn(outputFolder));
    });
  }
  STDMETHODIMP put_SkipUnusedLayouts(VARIANT_BOOL value) override {
    info_.SkipUnusedLayouts(value != VARIANT_FALSE);
    return S_OK;
  }
  STDMETHODIMP get_SkipUnusedLayouts(VARIANT_BOOL* value) override {
    if (!value) return E_POINTER;
    *value = info_.SkipUnusedLayouts() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

 private:
  // The by-reference texts go in, the method runs, they come back changed;
  // the status is the result. presentationName is null for the active-presentation methods.
  template <class Method>
  HRESULT Export(BSTR* presentationName, BSTR* propertiesXML, long* result, Method&& method) {
    if (!propertiesXML || !result) return E_POINTER;
    return Guarded(L"PPTInfo", kIidPPTInfo, [&] {
      std::string name = TextIn(presentationName);
      std::string xml = TextIn(propertiesXML);
      *result = method(name, xml);
      if (presentationName) TextOut(presentationName, name);
      TextOut(propertiesXML, xml);
    });
  }

  PPTInfo info_;
};

}  // namespace

HRESULT CreatePPTInfo(REFIID riid, void** object) { return CreateObject<PPTInfoObject>(riid, object); }

}  // namespace quillmere::com
