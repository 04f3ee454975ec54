#include "platform/user/SystemClasses.h"

#include "platform/user/ButtonControl.h"
#include "platform/user/ComboBoxControl.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Control.h"
#include "platform/user/Controls.h"
#include "platform/user/DialogApi.h"
#include "platform/user/EditControl.h"
#include "platform/user/StaticControl.h"
#include "platform/user/TabControl.h"
#include "platform/user/ToolTipControl.h"
#include "platform/user/WindowTable.h"

namespace {

void Register(CWindowTable& table, const wchar_t* name, WNDPROC proc, int wndExtra = 0) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = wndExtra;
    wc.lpszClassName = name;
    table.RegisterClass(wc, true);
}

} // namespace

void RegisterSystemClasses(CWindowTable& table) {
    Register(table, WC_STATICW, &CControl::WindowProc<CStaticControl>);
    Register(table, WC_BUTTONW, &CControl::WindowProc<CButtonControl>);
    Register(table, WC_EDITW, &CControl::WindowProc<CEditControl>);
    Register(table, WC_COMBOBOXW, &CControl::WindowProc<CComboBoxControl>);
    Register(table, WC_TABCONTROLW, &CControl::WindowProc<CTabControl>);
    Register(table, TOOLTIPS_CLASSW, &CControl::WindowProc<CToolTipControl>);
    Register(table, WC_DIALOGW, &DefDlgProcW, DLGWINDOWEXTRA);
}
