// A VARIANT that a test owns and that is cleared when the test ends, so that
// LeakSanitizer sees only what the code under test leaks.
#pragma once

#include "platform/oleaut/Variant.h"

class CScopedVariant {
public:
    CScopedVariant() { VariantInit(&v); }
    ~CScopedVariant() { VariantClear(&v); }
    CScopedVariant(const CScopedVariant&) = delete;
    CScopedVariant& operator=(const CScopedVariant&) = delete;

    VARIANT v;
};
