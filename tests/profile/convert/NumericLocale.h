// Switches the C runtime's numeric locale for a test and back to "C" afterwards.
// The locales come from the build folder (compiled there by localedef), so tests do
// not depend on what the machine has installed.
#pragma once

class CNumericLocale {
public:
    explicit CNumericLocale(const char* name);
    ~CNumericLocale();
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

    bool Active() const { return m_active; }

private:
    bool m_active = false;
};
