// CPVCtrlConfigEditFloat: an edit box for a float member with a number of decimals,
// filtered by the float mask; its texts go through the first float converter.
#pragma once

#include "profile/controls/PVCtrlConfigEditCtrl.h"

class CPVCtrlConfigEditFloat : public CPVCtrlConfigEditCtrl {
public:
    static constexpr UINT kMaxDecimals = 9;

    explicit CPVCtrlConfigEditFloat(UINT dialogItemId);

    using CPVCtrlConfigEditCtrl::Initialize;
    HRESULT Initialize(IPVGetSetValue* value, UINT textLimit, UINT maskFlag, UINT decimals,
                       IUnknown* condition = nullptr);
    // Also VT_R4, at most nine decimals and a non-zero mask flag.
    BOOL InitializationIsValid() override;

    UINT GetDecimals() const { return m_nDecimals; }

protected:
    HRESULT ReadValueText(CString* text, CPromptInfo* prompt) override;
    HRESULT WriteValueText(const CString& text, CPromptInfo* prompt) override;
    // The number as the first float converter prints it with the decimals.
    bool NormaliseText(CString& text) override;

private:
    UINT m_nDecimals = 1;
};
