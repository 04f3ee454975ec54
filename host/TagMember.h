// One member of a host tag: its definition (name, data type, enumeration, limits,
// default) kept apart from its values (current, stored with the project, forced).
#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/oleaut/Variant.h"

// The controller's elementary types. SINT, INT and DINT travel as VT_I4, LINT as
// VT_I8, REAL as VT_R4.
enum class TagDataType { Sint, Int, Dint, Lint, Real, Bool, String };

struct CTagEnumEntry {
    LONG value = 0;
    std::wstring text;
};

using CTagValue = std::variant<LONGLONG, float, bool, std::wstring>;

class CTagMember {
public:
    CTagMember(std::wstring name, TagDataType type);

    // Definition.
    const std::wstring& Name() const { return m_name; }
    TagDataType Type() const { return m_type; }
    VARTYPE VarType() const;
    bool IsEnum() const { return !m_enumeration.empty(); }
    const std::vector<CTagEnumEntry>& Enumeration() const { return m_enumeration; }
    const CTagValue& Minimum() const { return m_minimum; }
    const CTagValue& Maximum() const { return m_maximum; }
    const CTagValue& Default() const { return m_default; }
    // Limits default to the type's range; an enumeration's to its smallest and largest code.
    void SetEnumeration(std::vector<CTagEnumEntry> entries);
    void SetLimits(const CTagValue& minimum, const CTagValue& maximum);
    void SetDefault(const CTagValue& value) { m_default = value; }
    // The position of `code` in the enumeration, -1 when it is not there.
    int EnumIndexOf(LONG code) const;

    // Values. Load sets current and stored value alike and clears the dirty flag.
    const CTagValue& Value() const { return m_value; }
    const CTagValue& StoredValue() const { return m_stored; }
    bool IsDirty() const { return m_dirty; }
    void Load(const CTagValue& value);
    // Sets the current value (already checked); dirty while it differs from the stored one.
    void Assign(const CTagValue& value);
    void Revert();
    void Commit();

    bool IsForced() const { return m_forced; }
    const CTagValue& ForcedValue() const { return m_forcedValue; }
    void SetForce(bool forced, const CTagValue& value);

    const std::map<LONG, std::wstring>& ExtProperties() const { return m_extProperties; }
    std::wstring ExtProperty(LONG selector) const;
    void SetExtProperty(LONG selector, const std::wstring& text) { m_extProperties[selector] = text; }

    // Checks that `value` has this member's kind and lies within its limits (and, for
    // an enumeration, is one of its codes); the message says why not.
    bool Accepts(const CTagValue& value, std::wstring* why) const;
    // A VARIANT of any convertible type to this member's kind; false when it cannot be.
    bool FromVariant(const VARIANT& in, CTagValue* out) const;
    HRESULT ToVariant(const CTagValue& value, VARIANT* out) const;

    static const wchar_t* TypeName(TagDataType type);
    static bool TypeFromName(const std::wstring& name, TagDataType* type);
    static std::wstring ToText(const CTagValue& value);

private:
    std::wstring m_name;
    TagDataType m_type;
    std::vector<CTagEnumEntry> m_enumeration;
    CTagValue m_minimum;
    CTagValue m_maximum;
    CTagValue m_default;
    CTagValue m_value;
    CTagValue m_stored;
    bool m_dirty = false;
    bool m_forced = false;
    CTagValue m_forcedValue;
    std::map<LONG, std::wstring> m_extProperties;
};
