// A label embedded in a composite control; it only subclasses its dialog item.
#pragma once

#include "platform/mfc/Static.h"
#include "profile/controls/IPVAggregateCtrl.h"

class CPVStaticCtrl : public CStatic {
public:
    // The composite control that embeds the label; not owned.
    void SetAggregateCtrl(IPVAggregateCtrl* owner) { m_pAggregateCtrl = owner; }
    IPVAggregateCtrl* GetAggregateCtrl() const { return m_pAggregateCtrl; }

private:
    IPVAggregateCtrl* m_pAggregateCtrl = nullptr;
};
