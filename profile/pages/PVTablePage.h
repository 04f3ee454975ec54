// The skeleton every configuration page shares, run from the page's table: the controls
// are members, one per row, built and added to the control list in list order; the
// dialog items are subclassed in the same order; dialog initialisation binds them in
// the table's binding order and names the focus control. A page with special cases
// (a tab page's numbered members, controls that need each other) overrides
// BindControls or adds its own steps.
#pragma once

#include <type_traits>

#include "platform/com/ComPtr.h"
#include "platform/mfc/DataExchange.h"
#include "profile/contracts/IPVPropPageEnum.h"
#include "profile/controls/PVCtrlCmbDependStatic.h"
#include "profile/controls/PVCtrlCmbDependStaticPreset.h"
#include "profile/controls/PVCtrlConfigChkCmbBtnDependEditBox.h"
#include "profile/controls/PVCtrlConfigComboBox.h"
#include "profile/controls/PVCtrlConfigComboBoxTot.h"
#include "profile/controls/PVCtrlConfigDependEditFloat.h"
#include "profile/controls/PVCtrlConfigEditFloat.h"
#include "profile/controls/PVCtrlConfigEditInteger.h"
#include "profile/controls/PVCtrlConfigStaticTextPages.h"
#include "profile/pages/PVPageBinding.h"
#include "profile/pages/PVPageTable.h"
#include "profile/panel/PVConfigPanelEnum.h"

// The class of each PVControl, and the values it can be bound with.
template <PVControl> struct PVControlClass;
template <> struct PVControlClass<PVControl::ConfigComboBox> {
    using Type = CPVCtrlConfigComboBox;
    static constexpr bool Takes(PVValue value) { return value == PVValue::Enumeration; }
};
// The float boxes take either converter's value class: the page's row says which.
constexpr bool PVIsFloatValue(PVValue value) {
    return value == PVValue::Float || value == PVValue::Float2;
}
template <> struct PVControlClass<PVControl::ConfigEditInteger> {
    using Type = CPVCtrlConfigEditInteger;
    static constexpr bool Takes(PVValue value) { return value == PVValue::Long; }
};
template <> struct PVControlClass<PVControl::ConfigEditFloat> {
    using Type = CPVCtrlConfigEditFloat;
    static constexpr bool Takes(PVValue value) { return PVIsFloatValue(value); }
};
template <> struct PVControlClass<PVControl::ConfigDependEditFloat> {
    using Type = CPVCtrlConfigDependEditFloat;
    static constexpr bool Takes(PVValue value) { return PVIsFloatValue(value); }
};
template <> struct PVControlClass<PVControl::ConfigChkCmbBtnDependEditBox> {
    using Type = CPVCtrlConfigChkCmbBtnDependEditBox;
    static constexpr bool Takes(PVValue value) { return PVIsFloatValue(value); }
};
template <> struct PVControlClass<PVControl::ConfigStaticTextPages> {
    using Type = CPVCtrlConfigStaticTextPages;
    static constexpr bool Takes(PVValue value) { return value == PVValue::Long; }
};
template <> struct PVControlClass<PVControl::CmbDependStatic> {
    using Type = CPVCtrlCmbDependStatic;
    static constexpr bool Takes(PVValue value) { return value == PVValue::Long; }
};

// The totalizer page's controls.
template <> struct PVControlClass<PVControl::ConfigComboBoxTot> {
    using Type = CPVCtrlConfigComboBoxTot;
    static constexpr bool Takes(PVValue value) { return value == PVValue::Enumeration; }
};
template <> struct PVControlClass<PVControl::CmbDependStaticPreset> {
    using Type = CPVCtrlCmbDependStaticPreset;
    static constexpr bool Takes(PVValue value) { return value == PVValue::None; }
};

// The controls of the rows from `I` on: this row's control, then the others. So the
// members are built in list order and destroyed in reverse.
template <const CPVPageTable& kTable, size_t I = 0, bool = (I < kTable.rows.size())> class CPVTableControls {
public:
    template <class F> void ForEach(F&&) {}
};

template <const CPVPageTable& kTable, size_t I> class CPVTableControls<kTable, I, true> {
    static constexpr CPVControlRow kRow = kTable.rows[I];
    using Class = PVControlClass<kRow.control>;
    static_assert(Class::Takes(kRow.value), "the row's value class does not fit its control");
    static_assert(kRow.value == PVValue::None || kRow.member, "a bound row names its member");

public:
    CPVTableControls() : m_control(PVBuildControl<typename Class::Type>(kRow)) {}

    // Calls f(control, row index) for this control and the ones after it, in list order.
    template <class F> void ForEach(F&& f) {
        f(m_control, I);
        m_rest.ForEach(f);
    }

private:
    typename Class::Type m_control;
    CPVTableControls<kTable, I + 1> m_rest;
};

// Subclasses the dialog items of the controls of table `kTable`, in list order.
template <const CPVPageTable& kTable, class Controls>
void PVSubclassControls(CDataExchange* dx, Controls& controls) {
    controls.ForEach([dx](auto& control, size_t row) {
        DDX_Control(dx, static_cast<int>(kTable.rows[row].item), control);
    });
}

// The control of the table's focus row.
template <const CPVPageTable& kTable, class Controls> CWnd* PVFocusControl(Controls& controls) {
    CWnd* focus = nullptr;
    controls.ForEach([&focus](auto& control, size_t row) {
        if (row == kTable.focusRow)
            focus = &control;
    });
    return focus;
}

// Units and measurement pages hold one counted reference before their controls, never
// set and released with the page.
enum class PVReservedReference { None, Held };

template <const CPVPageTable& kTable, PVReservedReference kReserved = PVReservedReference::None>
class CPVTablePage : public CPVConfigPanelEnum {
    static_assert(kTable.IsWellFormed(), "a dialog item twice, a focus off the rows or a binding order that "
                                         "misses or repeats a row");

public:
    static const wchar_t* PageClsidText() { return kTable.clsid; }
    static constexpr const wchar_t* kPageName = kTable.pageName;

    CPVTablePage() : CPVConfigPanelEnum(kTable.dialogTemplate) {
        m_controls.ForEach([this](auto& control, size_t) { AddControlToList(&control); });
        SetHelpProvider(TRUE);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CPVConfigPanelEnum::DoDataExchange(dx);
        PVSubclassControls<kTable>(dx, m_controls);
    }

    BOOL OnInitDialog() override {
        const BOOL result = CPVConfigPanelEnum::OnInitDialog();
        BindControls(GetIPVGetSetAdapter());
        static_cast<IPVPropPageEnum*>(this)->SetFocusCtrl(PVFocusControl<kTable>(m_controls));
        return result;
    }

    // Binds the rows in the table's binding order; results are not judged.
    virtual void BindControls(IPVGetSetAdapter* adapter) {
        for (size_t position = 0; position < kTable.rows.size(); ++position) {
            const CPVControlRow* wanted = &kTable.BoundRow(position);
            m_controls.ForEach([&](auto& control, size_t row) {
                if (&kTable.rows[row] == wanted)
                    PVBind(control, *wanted, adapter);
            });
        }
    }

private:
    struct CNoReference {};
    [[no_unique_address]] std::conditional_t<kReserved == PVReservedReference::Held, CComPtr<IUnknown>,
                                             CNoReference>
        m_spReserved;
    CPVTableControls<kTable> m_controls;
};
