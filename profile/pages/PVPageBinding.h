// The bindings a page makes in its dialog initialisation: value objects on the page's
// configuration adapter, handed to the control that shows them. The page's own
// references go when the binding is made; the control keeps its own.
#pragma once

#include "platform/base/WinTypes.h"

class CPVCtrlConfigComboBox;
struct IPVGetSetAdapter;

// An enumeration member in a combo box: its index and its display strings. A value
// object that cannot be made leaves the box unbound (empty and inert).
HRESULT PVBindEnumeration(CPVCtrlConfigComboBox& box, LPCWSTR member, IPVGetSetAdapter* adapter);
