#include <gtest/gtest.h>

#include <functional>

#include "platform/com/ComError.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/SafeArray.h"
#include "platform/oleaut/VariantT.h"

namespace {

// What each constructor makes, as comutil.h documents it.
struct MadeCase {
    const char* name;
    std::function<_variant_t()> make;
    VARTYPE vt;
    LONGLONG value; // the value read back as a number (the text's length for VT_BSTR)
};

LONGLONG ValueOf(const VARIANT& v) {
    switch (v.vt) {
    case VT_I2:
        return v.iVal;
    case VT_I4:
        return v.lVal;
    case VT_ERROR:
        return v.scode;
    case VT_R4:
        return static_cast<LONGLONG>(v.fltVal * 10);
    case VT_BOOL:
        return v.boolVal;
    case VT_I1:
        return v.cVal;
    case VT_UI1:
        return v.bVal;
    case VT_I8:
        return v.llVal;
    case VT_BSTR:
        return SysStringLen(v.bstrVal);
    default:
        return 0;
    }
}

TEST(VariantT, EachConstructorMakesItsType) {
    const MadeCase cases[] = {
        {"default", [] { return _variant_t(); }, VT_EMPTY, 0},
        {"short", [] { return _variant_t(SHORT{-2}); }, VT_I2, -2},
        {"short as bool", [] { return _variant_t(SHORT{5}, VT_BOOL); }, VT_BOOL, VARIANT_TRUE},
        {"long", [] { return _variant_t(LONG{70000}); }, VT_I4, 70000},
        {"long as error", [] { return _variant_t(LONG{E_FAIL}, VT_ERROR); }, VT_ERROR, E_FAIL},
        {"long as bool", [] { return _variant_t(LONG{0}, VT_BOOL); }, VT_BOOL, VARIANT_FALSE},
        {"float", [] { return _variant_t(2.5f); }, VT_R4, 25},
        {"bool", [] { return _variant_t(true); }, VT_BOOL, VARIANT_TRUE},
        {"char", [] { return _variant_t('A'); }, VT_I1, 65},
        {"byte", [] { return _variant_t(BYTE{200}); }, VT_UI1, 200},
        {"longlong", [] { return _variant_t(LONGLONG{1} << 40); }, VT_I8, LONGLONG{1} << 40},
        {"text", [] { return _variant_t(L"abc"); }, VT_BSTR, 3},
        {"bstr_t", [] { return _variant_t(_bstr_t(L"ab")); }, VT_BSTR, 2},
    };
    for (const MadeCase& c : cases) {
        const _variant_t v = c.make();
        EXPECT_EQ(c.vt, v.vt) << c.name;
        EXPECT_EQ(c.value, ValueOf(v)) << c.name;
    }
    for (VARTYPE wrong : {VARTYPE(VT_R8), VARTYPE(VT_BSTR)}) {
        EXPECT_THROW(_variant_t(SHORT{1}, wrong), _com_error);
        EXPECT_THROW(_variant_t(LONG{1}, wrong), _com_error);
    }
}

TEST(VariantT, CopiesAreDeepAndOwnersReleaseTheirText) {
    const _variant_t text(L"value");
    _variant_t copy(text);
    EXPECT_NE(text.bstrVal, copy.bstrVal);
    _variant_t assigned;
    assigned = static_cast<const VARIANT&>(copy);
    EXPECT_STREQ(L"value", assigned.bstrVal);

    VARIANT raw = copy.Detach();
    EXPECT_EQ(VT_EMPTY, copy.vt);
    _variant_t owner(raw, false); // takes the text over
    EXPECT_EQ(VT_EMPTY, raw.vt);
    owner.Attach(*assigned.GetAddress()); // GetAddress cleared what it held first
    EXPECT_EQ(VT_EMPTY, owner.vt);
    EXPECT_EQ(VT_EMPTY, assigned.vt);
}

TEST(VariantT, ChangeTypeConvertsOrRaisesTheConversionsError) {
    _variant_t number(L"42");
    number.ChangeType(VT_I4);
    EXPECT_EQ(VT_I4, number.vt);
    EXPECT_EQ(42, number.lVal);
    _variant_t text;
    text.ChangeType(VT_BSTR, &number);
    EXPECT_STREQ(L"42", text.bstrVal);
    try {
        _variant_t(L"forty").ChangeType(VT_I4);
        ADD_FAILURE() << "no error raised";
    } catch (const _com_error& error) {
        EXPECT_EQ(DISP_E_TYPEMISMATCH, error.Error());
    }
}

// The payload the online requests send: VT_ARRAY | VT_VARIANT of owned elements.
TEST(VariantT, CarriesAnArrayOfVariants) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    ASSERT_NE(nullptr, array);
    LONG index = 0;
    _variant_t selector('\x07');
    EXPECT_EQ(S_OK, SafeArrayPutElement(array, &index, &selector));
    index = 1;
    _variant_t value(SHORT{111});
    EXPECT_EQ(S_OK, SafeArrayPutElement(array, &index, &value));
    VARIANT raw{};
    raw.vt = VT_ARRAY | VT_VARIANT;
    raw.parray = array;
    const _variant_t payload(raw, false);
    const _variant_t copy(payload);
    EXPECT_NE(payload.parray, copy.parray);
    _variant_t element;
    EXPECT_EQ(S_OK, SafeArrayGetElement(copy.parray, &index, element.GetAddress()));
    EXPECT_EQ(VT_I2, element.vt);
    EXPECT_EQ(111, element.iVal);
}

} // namespace
