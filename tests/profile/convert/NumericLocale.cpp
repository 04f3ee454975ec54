#include "tests/profile/convert/NumericLocale.h"

#include <clocale>
#include <cstdlib>

CNumericLocale::CNumericLocale(const char* name) {
#ifdef PV_TEST_LOCALE_DIR
    setenv("LOCPATH", PV_TEST_LOCALE_DIR, 1);
#endif
    m_active = std::setlocale(LC_NUMERIC, name) != nullptr;
}

CNumericLocale::~CNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
}
