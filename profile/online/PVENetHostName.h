// A customer or location box that tells a listener (the composite control around it)
// about each change of its text and about receiving the focus.
#pragma once

#include "profile/controls/IPVAggregateCtrl.h"
#include "profile/online/ENetHostName.h"

class CPVENetHostName : public CENetHostName {
public:
    // Not owned; null: nobody is told.
    void SetListener(IPVAggregateCtrl* listener) { m_pListener = listener; }

    void OnTextChanged() override;

protected:
    void OnSetFocus(CWnd* oldWnd) override;

private:
    IPVAggregateCtrl* m_pListener = nullptr;
};
