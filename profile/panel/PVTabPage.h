// One tab's dialog. The tab control that shows it creates its window from the
// template beside the strip and asks it before every switch whether it may be left
// and whether it may be shown.
#pragma once

#include "platform/mfc/Dialog.h"

class CPVTabCtrl;

class CPVTabPage : public CDialog {
public:
    explicit CPVTabPage(UINT templateId) : CDialog(templateId), m_nTemplateId(templateId) {}

    UINT GetTemplateId() const { return m_nTemplateId; }
    // The tab control that owns the page; null until it creates the page's window.
    CPVTabCtrl* GetTabCtrl() const { return m_pTabCtrl; }
    void SetTabCtrl(CPVTabCtrl* tabCtrl) { m_pTabCtrl = tabCtrl; }

    // False keeps the strip on the tab it shows.
    virtual bool MayShow() { return true; }
    virtual bool MayLeave() { return true; }

private:
    UINT m_nTemplateId;
    CPVTabCtrl* m_pTabCtrl = nullptr;
};
