// The framework's own error range: conversion and validation failures that carry a
// user message in a prompt record. Value objects and controls test for the range;
// the codes themselves say which rule the text broke.
#pragma once

#include <cstdint>

#include "platform/base/HResult.h"

constexpr HRESULT CNV_E_FIRST = MakeHResult(0x80040200);
constexpr HRESULT CNV_E_LAST = MakeHResult(0x8004022B);

constexpr HRESULT CNV_E_CHARNOTALLOWED = MakeHResult(0x80040200);
constexpr HRESULT CNV_E_SIGNNOTFIRST = MakeHResult(0x80040201);
constexpr HRESULT CNV_E_MULTIPLEDECIMALPOINTS = MakeHResult(0x80040202);
constexpr HRESULT CNV_E_DECIMALPOINTPLACE = MakeHResult(0x80040203);
constexpr HRESULT CNV_E_MINUSNOTALLOWED = MakeHResult(0x80040204);
constexpr HRESULT CNV_E_PLUSNOTALLOWED = MakeHResult(0x80040205);
constexpr HRESULT CNV_E_NODIGIT = MakeHResult(0x80040206);
constexpr HRESULT CNV_E_EMPTYTEXT = MakeHResult(0x80040214);
constexpr HRESULT CNV_E_INVALIDINTEGER = MakeHResult(0x80040215);
constexpr HRESULT CNV_E_INVALIDFLOAT = MakeHResult(0x80040216);
constexpr HRESULT CNV_E_ABOVEMAXIMUM = MakeHResult(0x80040217);
constexpr HRESULT CNV_E_BELOWMINIMUM = MakeHResult(0x80040218);
constexpr HRESULT CNV_E_OUTOFRANGE = MakeHResult(0x80040220);
constexpr HRESULT CNV_E_INVALIDTIMEOFDAY = MakeHResult(0x80040224);
constexpr HRESULT CNV_E_INVALIDDATE = MakeHResult(0x80040225);

// Unsigned comparison: every code of the range has the same high bits.
constexpr bool IsConverterError(HRESULT hr) {
    const auto code = static_cast<std::uint32_t>(hr);
    return code >= static_cast<std::uint32_t>(CNV_E_FIRST) && code <= static_cast<std::uint32_t>(CNV_E_LAST);
}

// Prompt numbers of the framework prompt server for the converters' messages.
constexpr LONG CNV_PROMPT_EMPTYTEXT = 2;       // no insert
constexpr LONG CNV_PROMPT_INVALIDINTEGER = 3;  // %1 the text
constexpr LONG CNV_PROMPT_INVALIDFLOAT = 4;    // %1 the text
constexpr LONG CNV_PROMPT_TOOLARGE = 5;        // %1 the text, %2 the maximum
constexpr LONG CNV_PROMPT_TOOSMALL = 6;        // %1 the text, %2 the minimum
constexpr LONG CNV_PROMPT_INVALIDDECIMALS = 7; // %1 the number of decimals
