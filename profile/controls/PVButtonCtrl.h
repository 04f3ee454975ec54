// A button embedded in a composite control: its clicks and its focus go to the owner.
#pragma once

#include "platform/mfc/Button.h"
#include "profile/controls/IPVAggregateCtrl.h"

class CPVButtonCtrl : public CButton {
public:
    // The composite control that embeds the button; not owned.
    void SetAggregateCtrl(IPVAggregateCtrl* owner) { m_pAggregateCtrl = owner; }
    IPVAggregateCtrl* GetAggregateCtrl() const { return m_pAggregateCtrl; }

    // A click goes to the owner; without an owner the page handles it.
    BOOL OnReflectedCommand(UINT code) override;
    void OnSetFocus(CWnd* oldWnd) override;

private:
    IPVAggregateCtrl* m_pAggregateCtrl = nullptr;
};
