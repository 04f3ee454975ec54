#include <gtest/gtest.h>

#include "platform/base/Guid.h"

namespace {

constexpr GUID kSample{0x1A2B3C4D, 0x5E6F, 0x7081, {0x92, 0xA3, 0xB4, 0xC5, 0xD6, 0xE7, 0xF8, 0x09}};

TEST(StringFromGUID2, WritesUpperCaseRegistryForm) {
    wchar_t text[64];
    EXPECT_EQ(39, StringFromGUID2(kSample, text, 64));
    EXPECT_STREQ(L"{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809}", text);
}

TEST(StringFromGUID2, RefusesShortBuffer) {
    wchar_t text[38];
    EXPECT_EQ(0, StringFromGUID2(kSample, text, 38));
}

struct ClsidTextCase {
    const wchar_t* text;
    HRESULT expected;
};

class CLSIDFromStringTable : public ::testing::TestWithParam<ClsidTextCase> {};

TEST_P(CLSIDFromStringTable, ParsesOrRefusesLeavingOutputUntouched) {
    const ClsidTextCase& c = GetParam();
    GUID out{0xDEADBEEF, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    const GUID before = out;
    EXPECT_EQ(c.expected, CLSIDFromString(c.text, &out));
    if (SUCCEEDED(c.expected))
        EXPECT_TRUE(IsEqualGUID(kSample, out));
    else
        EXPECT_TRUE(IsEqualGUID(before, out));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CLSIDFromStringTable,
    ::testing::Values(ClsidTextCase{L"{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809}", S_OK},
                      ClsidTextCase{L"{1a2b3c4d-5e6f-7081-92a3-b4c5d6e7f809}", S_OK},
                      ClsidTextCase{L"{1a2B3c4D-5E6f-7081-92a3-B4c5d6E7f809}", S_OK},
                      ClsidTextCase{L"1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809", CO_E_CLASSSTRING},
                      ClsidTextCase{L"{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809", CO_E_CLASSSTRING},
                      ClsidTextCase{L"{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F8091}", CO_E_CLASSSTRING},
                      ClsidTextCase{L"{1A2B3C4D5E6F-7081-92A3-B4C5D6E7F8099}", CO_E_CLASSSTRING},
                      ClsidTextCase{L"{1A2B3C4G-5E6F-7081-92A3-B4C5D6E7F809}", CO_E_CLASSSTRING},
                      ClsidTextCase{L"{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F8 9}", CO_E_CLASSSTRING},
                      ClsidTextCase{L"{+A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809}", CO_E_CLASSSTRING},
                      ClsidTextCase{L"", CO_E_CLASSSTRING}, ClsidTextCase{nullptr, CO_E_CLASSSTRING}));

TEST(CLSIDFromString, RoundTripsThroughStringFromGUID2) {
    wchar_t text[39];
    ASSERT_EQ(39, StringFromGUID2(kSample, text, 39));
    GUID back{};
    ASSERT_EQ(S_OK, CLSIDFromString(text, &back));
    EXPECT_TRUE(IsEqualGUID(kSample, back));
}

} // namespace
