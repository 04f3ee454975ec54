// How the simulated device reads the payloads of its requests, strictly: a payload
// that is not exactly what a request takes is refused with a reason the caller can
// show. Also the exact text of any payload, for the device's record.
#pragma once

#include <string>
#include <vector>

#include "platform/oleaut/Variant.h"

class CDevicePayload {
public:
    // "EMPTY", "I1 -116", "BYREF|I4 103", "ARRAY|VARIANT[0..1] {I1 9, I2 222}",
    // "ARRAY|UI1[0..2] {1, 2, 3}": the type and every value, so that two payloads with
    // the same text are the same bytes.
    static std::wstring Describe(const VARIANT& payload);

    static bool ReadEmpty(const VARIANT& payload, std::wstring* why);
    // VT_I1 holding `expected` (the byte, whatever its sign).
    static bool ReadByte(const VARIANT& payload, BYTE expected, std::wstring* why);
    // VT_BYREF | VT_I4 referring to `expected`.
    static bool ReadByRefLong(const VARIANT& payload, LONG expected, std::wstring* why);
    // 32 VT_I1 elements, index 0 to 31: the low bytes of a text, zeros after its end.
    static bool ReadCharacterArray(const VARIANT& payload, std::string* text, std::wstring* why);
    // 2 elements: VT_I1 selector, then a value of VT_I1 or VT_I2 (its type is handed out).
    static bool ReadSelectorPair(const VARIANT& payload, BYTE* selector, VARTYPE* valueType, LONG* value,
                                 std::wstring* why);
    // 1 element, VT_I2: a stored report's index.
    static bool ReadReportIndex(const VARIANT& payload, SHORT* index, std::wstring* why);

private:
    // VT_ARRAY | VT_VARIANT of one dimension, index 0 to count - 1; the elements are
    // views into the array, not owned.
    static bool ReadVariantVector(const VARIANT& payload, size_t count, std::vector<VARIANT>* elements,
                                  std::wstring* why);
    static std::wstring TypeName(VARTYPE type);
};
