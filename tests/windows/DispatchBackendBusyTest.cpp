// A PowerPoint that turns calls away as busy: the rejection reaches the
// writers as 0x80010001 through ComDispatch, and their handler retries it,
// waiting on the export's sleeper (counted here, never waited).

#include <gtest/gtest.h>

#include <atomic>

#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/automation/Object.h"
#include "objectmodel/automation/windows/ComDispatch.h"
#include "objectmodel/automation/windows/VariantValue.h"
#include "tests/fakes/FakeObject.h"
#include "tests/windows/ComApartment.h"

namespace quillmere::testing {
namespace {

// An IDispatch with one member, "Name", that rejects its first calls.
class BusyDispatch final : public IDispatch {
 public:
  explicit BusyDispatch(int rejections) : rejectionsLeft_(rejections) {}
  int invocations = 0;
  int lookups = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid != IID_IUnknown && riid != IID_IDispatch) return *out = nullptr, E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the test's stack
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    ++lookups;
    if (std::wstring_view(names[0]) != L"Name") return DISP_E_UNKNOWNNAME;
    ids[0] = 7;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    ++invocations;
    if (rejectionsLeft_ > 0) return --rejectionsLeft_, RPC_E_CALL_REJECTED;
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = ToBstr("Title 1");
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};
  int rejectionsLeft_;
};

class DispatchBackendBusyTest : public ComApartmentTest {
 protected:
  void SetUp() override {
    ComApartmentTest::SetUp();
    context.sleeper = sleeper_;
  }
  std::shared_ptr<CountingSleeper> sleeper_ = std::make_shared<CountingSleeper>();
  ExportContext context;
};

TEST_F(DispatchBackendBusyTest, RejectedCallsAreRetriedByTheWritersHandler) {
  BusyDispatch busy(2);
  busy.AddRef();
  Object shape(ComDispatch::Adopt(&busy));
  std::string name;
  StepRunner run = WriterSteps(context, " in Quillmere.bXML.ShapeProperties at line ");
  EXPECT_TRUE(run.Step(1, [&] { name = shape.Get("Name").AsString(); }));
  EXPECT_EQ(name, "Title 1");
  EXPECT_EQ(busy.invocations, 3);
  EXPECT_EQ(busy.lookups, 1);  // the DISPID is asked once per object
  EXPECT_EQ(sleeper_->waits, (std::vector<long long>{kRetryDelayMs, kRetryDelayMs}));
  EXPECT_EQ(run.LastErrorNumber(), hr::kCallRejected);

  // A member the object lacks fails at once, as Visual Basic reports it, without waiting.
  EXPECT_FALSE(run.Step(2, [&] { shape.Get("Width"); }));
  EXPECT_EQ(run.LastErrorNumber(), hr::kNotSupported);
  EXPECT_EQ(sleeper_->waits.size(), 2u);
}

}  // namespace
}  // namespace quillmere::testing
