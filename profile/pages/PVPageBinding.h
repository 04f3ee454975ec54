// How a table row builds its control and binds it in the page's dialog initialisation:
// value objects on the page's configuration adapter, handed to the control that shows
// them. The page's own references go when the binding is made; the control keeps its
// own. A failed binding leaves the control empty and inert, and the page goes on.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/ComPtr.h"
#include "profile/pages/PVPageTable.h"

class CPVCtrlCmbDependStatic;
class CPVCtrlConfigChkCmbBtnDependEditBox;
class CPVCtrlConfigComboBox;
class CPVCtrlConfigDependEditFloat;
class CPVCtrlConfigEditFloat;
class CPVCtrlConfigEditFloat2;
class CPVCtrlConfigEditInteger;
class CPVCtrlConfigStaticTextPages;
struct IPVGetSetAdapter;
struct IPVGetSetValue;

// Controls that take only their dialog item. A control class with further constructor
// arguments (the combo boxes it follows) gets a specialisation of its own.
template <class T> T PVBuildControl(const CPVControlRow& row) {
    return T(row.item);
}
// Dependent edits: the followed combo box and the selections that enable them.
template <> CPVCtrlConfigDependEditFloat PVBuildControl(const CPVControlRow& row);
template <> CPVCtrlConfigChkCmbBtnDependEditBox PVBuildControl(const CPVControlRow& row);
// The unit label: the followed combo box.
template <> CPVCtrlCmbDependStatic PVBuildControl(const CPVControlRow& row);

// An enumeration member in a combo box: its index and its display strings.
HRESULT PVBind(CPVCtrlConfigComboBox& box, const CPVControlRow& row, IPVGetSetAdapter* adapter);
// A LONG member with the row's text limit and mask flag.
HRESULT PVBind(CPVCtrlConfigEditInteger& box, const CPVControlRow& row, IPVGetSetAdapter* adapter);
// A float member (either converter's value class) with the row's text limit, mask flag
// and decimals, through the float box's Initialize; also the dependent box of the first
// converter.
HRESULT PVBind(CPVCtrlConfigEditFloat& box, const CPVControlRow& row, IPVGetSetAdapter* adapter);
// The same through the second converter's Initialize, which also sets the display
// decimals; also the dependent box of the second converter.
HRESULT PVBind(CPVCtrlConfigEditFloat2& box, const CPVControlRow& row, IPVGetSetAdapter* adapter);
// A unit code member, shown as the density unit's text on the density label.
HRESULT PVBind(CPVCtrlConfigStaticTextPages& label, const CPVControlRow& row, IPVGetSetAdapter* adapter);
// The unit members of slots 1 to 3 (member and further members); slots 4 and 5 stay
// empty.
HRESULT PVBind(CPVCtrlCmbDependStatic& label, const CPVControlRow& row, IPVGetSetAdapter* adapter);

// The totalizer page's controls. -------------------------------------------------

class CPVCtrlConfigComboBoxTot;
class CPVCtrlCmbDependStaticPreset;

// The unit box and the preset label know the combo boxes they follow.
template <> CPVCtrlConfigComboBoxTot PVBuildControl<CPVCtrlConfigComboBoxTot>(const CPVControlRow& row);
template <>
CPVCtrlCmbDependStaticPreset PVBuildControl<CPVCtrlCmbDependStaticPreset>(const CPVControlRow& row);

// An enumeration whose value object another control needs as well: `value` receives it.
HRESULT PVBind(CPVCtrlConfigComboBox& box, const CPVControlRow& row, IPVGetSetAdapter* adapter,
               CComPtr<IPVGetSetValue>* value);
// A totalizer's unit, filtered by `assignment`, the value object of its assignment box.
HRESULT PVBind(CPVCtrlConfigComboBoxTot& box, const CPVControlRow& row, IPVGetSetAdapter* adapter,
               IPVGetSetValue* assignment);
// The preset label reads the boxes it follows; nothing of the tag is bound.
HRESULT PVBind(CPVCtrlCmbDependStaticPreset& label, const CPVControlRow& row, IPVGetSetAdapter* adapter);
