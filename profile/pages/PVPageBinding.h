// How a table row builds its control and binds it in the page's dialog initialisation:
// value objects on the page's configuration adapter, handed to the control that shows
// them. The page's own references go when the binding is made; the control keeps its
// own. A failed binding leaves the control empty and inert, and the page goes on.
#pragma once

#include "platform/base/WinTypes.h"
#include "profile/pages/PVPageTable.h"

class CPVCtrlConfigComboBox;
struct IPVGetSetAdapter;

// Controls that take only their dialog item. A control class with further constructor
// arguments (the combo boxes it follows) gets an overload of its own.
template <class T> T PVBuildControl(const CPVControlRow& row) {
    return T(row.item);
}

// An enumeration member in a combo box: its index and its display strings.
HRESULT PVBind(CPVCtrlConfigComboBox& box, const CPVControlRow& row, IPVGetSetAdapter* adapter);
