#include "host/HostTexts.h"

namespace {

struct Text {
    LONG id;
    const wchar_t* english;
    const wchar_t* german;
};

// Button labels 1 to 8 of the message boxes, with their accelerators, and the
// format of the force arrow's tooltip.
const Text kStrings[] = {
    {1, L"OK", L"OK"},
    {2, L"Cancel", L"Abbrechen"},
    {3, L"&Yes", L"&Ja"},
    {4, L"&No", L"&Nein"},
    {5, L"&Abort", L"Ab&brechen"},
    {6, L"&Retry", L"&Wiederholen"},
    {7, L"&Ignore", L"&Ignorieren"},
    {8, L"&Help", L"&Hilfe"},
    {33, L"Forced to %1", L"Erzwungen auf %1"},
};

const Text kModulePrompts[] = {
    {9, L"The device at the module's address does not answer. Check that it is connected and switched on.",
     L"Das Gerät an der Adresse des Moduls antwortet nicht. Prüfen Sie, ob es angeschlossen und "
     L"eingeschaltet ist."},
    {11, L"The module cannot be reached. Check the connection to the controller and try again.",
     L"Das Modul ist nicht erreichbar. Prüfen Sie die Verbindung zur Steuerung und versuchen Sie es erneut."},
    {17, L"The device that answers is not the one configured for this module.",
     L"Das antwortende Gerät ist nicht das für dieses Modul eingerichtete."},
};

const Text kFrameworkPrompts[] = {
    {2, L"Enter a value.", L"Geben Sie einen Wert ein."},
    {3, L"'%1' is not a whole number.", L"'%1' ist keine ganze Zahl."},
    {4, L"'%1' is not a number.", L"'%1' ist keine Zahl."},
    {5, L"'%1' is too large. The largest value allowed is %2.",
     L"'%1' ist zu groß. Der größte erlaubte Wert ist %2."},
    {6, L"'%1' is too small. The smallest value allowed is %2.",
     L"'%1' ist zu klein. Der kleinste erlaubte Wert ist %2."},
    {7, L"%1 decimal places cannot be shown; at most 9 can.",
     L"%1 Nachkommastellen können nicht angezeigt werden; höchstens 9."},
    {14, L"'%1' is out of range. Enter a value from %2 to %3.",
     L"'%1' liegt außerhalb des Bereichs. Geben Sie einen Wert von %2 bis %3 ein."},
    {20, L"'%1' is not a time of day. Enter it as hours:minutes:seconds.",
     L"'%1' ist keine Uhrzeit. Geben Sie sie als Stunden:Minuten:Sekunden ein."},
    {21, L"'%1' is not a date. Enter it as year-month-day.",
     L"'%1' ist kein Datum. Geben Sie es als Jahr-Monat-Tag ein."},
    {0xF107, L"Help could not be opened.", L"Die Hilfe konnte nicht geöffnet werden."},
};

// Each table's prompts open their topic in the host's help file.
constexpr const wchar_t* kHelpFile = L"pvhost.chm";
constexpr LONG kModuleHelpBase = 0x10000;
constexpr LONG kFrameworkHelpBase = 0x20000;

template <size_t N> const Text* Find(const Text (&table)[N], LONG id) {
    for (const Text& text : table)
        if (text.id == id)
            return &text;
    return nullptr;
}

} // namespace

bool CHostTexts::String(LONG id, LCID locale, std::wstring* text) {
    const Text* found = Find(kStrings, id);
    if (!found)
        return false;
    *text = IsGerman(locale) ? found->german : found->english;
    return true;
}

bool CHostTexts::FindPrompt(PromptTable table, LONG id, LCID locale, Prompt* prompt) {
    const bool module = table == PromptTable::Module;
    const Text* found = module ? Find(kModulePrompts, id) : Find(kFrameworkPrompts, id);
    if (!found)
        return false;
    prompt->text = IsGerman(locale) ? found->german : found->english;
    prompt->helpFile = kHelpFile;
    prompt->helpContext = (module ? kModuleHelpBase : kFrameworkHelpBase) + id;
    return true;
}
