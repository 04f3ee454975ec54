// A host tag for the value tests: members in a map, each with a value, limits, an
// enumeration, a dirty flag, forcing data and extended properties. Host calls can be
// made to fail by name, and companion interfaces can be withdrawn, so that every
// failure branch of an adapter is reached. Live objects are counted so that tests see
// every reference released.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/com/ComPtr.h"
#include "profile/interfaces/Tag.h"

// A VARIANT with value semantics.
class CTestVariant {
public:
    CTestVariant() { VariantInit(&m_value); }
    CTestVariant(const VARIANT& value);
    CTestVariant(const CTestVariant& other);
    CTestVariant& operator=(const CTestVariant& other);
    ~CTestVariant() { VariantClear(&m_value); }

    static CTestVariant Bool(VARIANT_BOOL value);
    static CTestVariant Float(float value);
    static CTestVariant Double(double value);
    static CTestVariant Long(LONG value);
    static CTestVariant LongLong(LONGLONG value);
    static CTestVariant Text(const wchar_t* text);
    static CTestVariant Unknown(IUnknown* object);

    const VARIANT& Get() const { return m_value; }
    VARIANT* Out() { return &m_value; }

private:
    VARIANT m_value;
};

struct CTestMember {
    CTestVariant value;
    CTestVariant minimum;
    CTestVariant maximum;
    LONG enumIndex = 0;
    std::vector<std::wstring> enumStrings;
    std::vector<LONG> enumValues;
    VARIANT_BOOL dirty = VARIANT_FALSE;
    VARIANT_BOOL forced = VARIANT_FALSE;
    CTestVariant forcedValue;
    std::map<LONG, CTestVariant> extProperties;
};

class CTestTag final : public ITag2, public ITagEnumValues, public ITagForcing, public ITagExtProperty {
public:
    static CComPtr<CTestTag> Create();
    // Tag objects alive now, in this process.
    static int Live();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetValue(BSTR member, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE SetValue(BSTR member, VARIANT value) override;
    HRESULT STDMETHODCALLTYPE GetEnumIndex(BSTR member, LONG* index) override;
    HRESULT STDMETHODCALLTYPE SetEnumIndex(BSTR member, LONG index) override;
    HRESULT STDMETHODCALLTYPE GetEnumStrings(BSTR member, SAFEARRAY** strings) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(BSTR member, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(BSTR member, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE GetMemberDirtyState(BSTR member, VARIANT_BOOL* dirty) override;
    HRESULT STDMETHODCALLTYPE get_Suffix(BSTR* suffix) override;
    HRESULT STDMETHODCALLTYPE GetEnumValues(BSTR member, SAFEARRAY** values) override;
    HRESULT STDMETHODCALLTYPE GetForcesEnabled(VARIANT_BOOL* enabled) override;
    HRESULT STDMETHODCALLTYPE GetIsForced(BSTR member, VARIANT_BOOL* forced) override;
    HRESULT STDMETHODCALLTYPE GetForcedValue(BSTR member, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE GetExtProperty(LONG selector, BSTR member, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE SetExtProperty(LONG selector, BSTR member, VARIANT value) override;

    // Makes every later call of `operation` (the method's name) fail with `result`.
    void Fail(const std::string& operation, HRESULT result) { m_failures[operation] = result; }

    std::map<std::wstring, CTestMember> members;
    std::wstring suffix = L"O";
    VARIANT_BOOL forcesEnabled = VARIANT_FALSE;
    // Companion interfaces the tag answers to QueryInterface.
    bool offersTag2 = true;
    bool offersEnumValues = true;
    bool offersForcing = true;
    // Hands out enumeration strings as a two-dimensional array.
    bool enumStringsTwoDimensional = false;
    // The selectors the extended-property calls received.
    std::vector<LONG> selectorsSeen;

private:
    CTestTag();
    ~CTestTag();
    // The member, or null; a failure injected for `operation` comes first.
    HRESULT Find(const std::string& operation, BSTR member, CTestMember** found);

    LONG m_refs = 1;
    std::map<std::string, HRESULT> m_failures;
};
