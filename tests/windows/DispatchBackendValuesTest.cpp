// Values, objects and errors through our IDispatch and back through
// ComDispatch, in one process: what crosses to the engine's server and back.

#include <gtest/gtest.h>

#include "objectmodel/automation/Object.h"
#include "objectmodel/automation/windows/ComDispatch.h"
#include "objectmodel/automation/windows/ComErrorTranslation.h"
#include "objectmodel/automation/windows/ExposedDispatch.h"
#include "objectmodel/automation/windows/VariantValue.h"
#include "tests/fakes/FakeObject.h"
#include "tests/fakes/FakeProps.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/windows/ComApartment.h"

namespace quillmere::testing {
namespace {

class DispatchBackendValuesTest : public ComApartmentTest {
 protected:
  // The fake seen by a client: through our IDispatch, then ComDispatch.
  static Object OverCom(const std::shared_ptr<FakeObject>& fake) {
    return Object(ComDispatch::Adopt(ExposedDispatch::Expose(fake)));
  }
  std::shared_ptr<int> version_ = std::make_shared<int>(14);
};

TEST_F(DispatchBackendValuesTest, MembersValuesAndObjectsCrossBothWays) {
  auto shape = Props(std::make_shared<FakeObject>("Shape", version_), "Name", "Rectangle 3");
  auto shapes = MakeCollection("Shapes", version_, {shape});
  auto slide =
      Props(std::make_shared<FakeObject>("_Slide", version_), "Name", "Folie \xC3\xBC \xF0\x9F\x98\x80", "SlideIndex",
            7, "Width", 720.25f, "Zoom", 0.1, "Visible", true, "Shapes", std::shared_ptr<Dispatch>(shapes));
  std::vector<Value> rangeArgs;
  slide->On("Range", [&](Args a) {
    rangeArgs.assign(a.begin(), a.end());
    return Value(a[0].AsDispatch());
  });
  Object client = OverCom(slide);

  EXPECT_EQ(client.TypeName(), "Slide");  // a default interface's underscore dropped
  EXPECT_EQ(client.Get("Name").AsString(), "Folie \xC3\xBC \xF0\x9F\x98\x80");
  EXPECT_EQ(client.Get("SlideIndex").AsLong(), 7);
  EXPECT_EQ(client.Get("Width").AsSingle(), 720.25f);
  EXPECT_EQ(client.Get("Zoom").AsDouble(), 0.1);
  EXPECT_TRUE(client.Get("Visible").AsBool());
  EXPECT_EQ(client.Get("Visible").AsLong(), -1);

  Object items = client.Child("Shapes");
  EXPECT_EQ(items.TypeName(), "Shapes");
  EXPECT_EQ(items.Count(), 1);
  Object first = items.Item(1);
  EXPECT_EQ(first.TypeName(), "Shape");
  EXPECT_EQ(first.Get("Name").AsString(), "Rectangle 3");

  // Positional arguments keep their order, an omitted one arrives empty, and
  // an object of ours handed back is the object itself again.
  Object back = client.Call("Range", first.Ptr(), Value(), "x", 2.5f);
  ASSERT_EQ(rangeArgs.size(), 4u);
  EXPECT_EQ(rangeArgs[0].AsDispatch(), std::shared_ptr<Dispatch>(shape));
  EXPECT_TRUE(rangeArgs[1].IsEmpty());
  EXPECT_EQ(rangeArgs[2].AsString(), "x");
  EXPECT_EQ(rangeArgs[3].AsSingle(), 2.5f);
  EXPECT_EQ(back.Get("Name").AsString(), "Rectangle 3");

  // A put passes its index arguments first and its value last.
  client.Put("Name", "Title");
  client.Put("Zoom", Value());
  ASSERT_EQ(slide->Puts("Name").size(), 1u);
  EXPECT_EQ(slide->Puts("Name")[0].AsString(), "Title");
  EXPECT_TRUE(slide->Puts("Zoom")[0].IsEmpty());
  EXPECT_EQ(slide->Calls("Name"), 2);
}

TEST_F(DispatchBackendValuesTest, ErrorsArriveWithTheirNumbersAndDescriptions) {
  auto shape = std::make_shared<FakeObject>("Shape", version_);
  shape->Prop("Left", 10).Fail("Export", hr::kUnspecified, "Shape.Export : Invalid request.", 1);
  shape->Prop("HasSmartArt", false, 15);
  Object client = OverCom(shape);
  ComError exported = FailureOf([&] { client.Call("Export", "C:\\out\\a.png", 2); });
  EXPECT_EQ(exported.Number(), hr::kUnspecified);
  EXPECT_EQ(exported.Description(), "Shape.Export : Invalid request.");
  // Members the version lacks fail as missing ones; the object works on after errors.
  ComError missing = FailureOf([&] { client.Get("HasSmartArt"); });
  EXPECT_EQ(missing.Number(), hr::kNotSupported);
  EXPECT_EQ(missing.Description(), "Object doesn't support this property or method");
  EXPECT_EQ(client.Get("Left").AsLong(), 10);

  // Failures without exception information read as a Visual Basic client reports them.
  EXPECT_EQ(ErrorFromHResult(DISP_E_MEMBERNOTFOUND).Number(), hr::kNotSupported);
  EXPECT_EQ(ErrorFromHResult(DISP_E_TYPEMISMATCH).Description(), "Type mismatch");
  ComError busy = ErrorFromHResult(RPC_E_CALL_REJECTED);
  EXPECT_EQ(busy.Number(), hr::kCallRejected);
  EXPECT_FALSE(busy.Description().empty());
  EXCEPINFO byCode{};
  byCode.wCode = 1004;
  byCode.bstrDescription = ToBstr("Application-defined or object-defined error");
  ComError coded = ErrorFromInvoke(DISP_E_EXCEPTION, byCode);
  EXPECT_EQ(coded.Number(), 0x800A03ECu);
  EXPECT_EQ(coded.Description(), "Application-defined or object-defined error");
  EXPECT_EQ(byCode.bstrDescription, nullptr);
}

TEST_F(DispatchBackendValuesTest, VariantsOfOtherTypesReadAsTheNearestValue) {
  VARIANT v;
  VariantInit(&v);
  auto read = [&](VARTYPE type, auto set) {
    VariantClear(&v);
    V_VT(&v) = type;
    set(v);
    return ValueFromVariant(v);
  };
  EXPECT_EQ(read(VT_I2, [](VARIANT& x) { V_I2(&x) = -3; }).AsLong(), -3);
  EXPECT_EQ(read(VT_UI1, [](VARIANT& x) { V_UI1(&x) = 200; }).AsLong(), 200);
  EXPECT_EQ(read(VT_UI4, [](VARIANT& x) { V_UI4(&x) = 4000000000u; }).AsDouble(), 4000000000.0);
  EXPECT_EQ(read(VT_DATE, [](VARIANT& x) { V_DATE(&x) = 45000.5; }).AsDouble(), 45000.5);
  EXPECT_EQ(read(VT_CY, [](VARIANT& x) { V_CY(&x).int64 = 12345; }).AsDouble(), 1.2345);
  EXPECT_EQ(read(VT_BOOL, [](VARIANT& x) { V_BOOL(&x) = VARIANT_FALSE; }).AsBool(), false);
  EXPECT_EQ(read(VT_BSTR, [](VARIANT& x) { V_BSTR(&x) = nullptr; }).AsString(), "");
  EXPECT_TRUE(read(VT_ERROR, [](VARIANT& x) { V_ERROR(&x) = DISP_E_PARAMNOTFOUND; }).IsEmpty());
  EXPECT_TRUE(read(VT_DISPATCH, [](VARIANT& x) { V_DISPATCH(&x) = nullptr; }).IsEmpty());
  LONG byRef = 42;
  EXPECT_EQ(read(VT_I4 | VT_BYREF, [&](VARIANT& x) { V_I4REF(&x) = &byRef; }).AsLong(), 42);
  V_VT(&v) = VT_EMPTY;  // the reference is not ours to clear
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 2);
  EXPECT_THROW(read(VT_ARRAY | VT_I4, [&](VARIANT& x) { V_ARRAY(&x) = array; }), ComError);
  VariantClear(&v);
}

}  // namespace
}  // namespace quillmere::testing
