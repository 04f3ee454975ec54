// What the configuration edit boxes share: a single-line edit bound to a numeric
// member, whose keystrokes and pastes an edit mask filters, whose every text change
// dirties it, and which writes the member only when the page saves. A refused save
// shows its prompt (member name in front) and keeps the box dirty with its text.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/mfc/Edit.h"
#include "platform/mfc/String.h"
#include "profile/controls/PVCtrl.h"
#include "profile/values/IPVGetSetValue.h"

class IEditMask;

class CPVCtrlConfigEditCtrl : public CEdit, public CPVCtrl {
public:
    CPVCtrlConfigEditCtrl(UINT dialogItemId, IEditMask* mask) : CPVCtrl(dialogItemId), m_pEditMask(mask) {}

    // Only the first call binds the box (later ones answer E_FAIL); a valid binding
    // sets the window's text limit.
    virtual HRESULT Initialize(IPVGetSetValue* value, UINT textLimit, UINT maskFlag, VARTYPE type,
                               IUnknown* condition);
    // The value object is valid and the type is VT_I4, VT_R4 or VT_R8.
    virtual BOOL InitializationIsValid();
    // Reports the user's change of the text to the page.
    virtual void OnTextChanged();
    virtual HRESULT SaveIfDirty(CPromptInfo* prompt);
    virtual HRESULT RefreshIfClean(CPromptInfo* prompt);
    // Shows the member's value without dirtying the box.
    virtual HRESULT LoadValue(CPromptInfo* prompt);
    // Checks the text with the mask and writes it; a refusal's prompt gets the member's
    // name in front.
    virtual HRESULT SaveValue(CPromptInfo* prompt);

    // IPVCtrl
    HRESULT STDMETHODCALLTYPE OnActivate() override { return RefreshIfClean(nullptr); }
    HRESULT STDMETHODCALLTYPE Refresh() override { return RefreshIfClean(nullptr); }
    HRESULT STDMETHODCALLTYPE OnDeactivate() override { return SaveShowingPrompt(); }
    HRESULT STDMETHODCALLTYPE Save() override { return SaveShowingPrompt(); }
    HRESULT STDMETHODCALLTYPE OnChangedCtrlData(CWnd* changed, UINT changedId) override;
    HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) override;
    // IPVEventHandler2: a refused text is not shown; the member's stored value is
    // written back instead, so that the host keeps a valid value.
    HRESULT STDMETHODCALLTYPE Flush() override;

    // A member that can be forced keeps its box enabled (the force arrow stays
    // readable) and makes it read-only instead.
    HRESULT UpdateEnabledState() override;

    BOOL IsInitialized() const { return m_bInitialized; }
    bool IsBindingValid() const { return m_bValid; }
    UINT GetMaskFlag() const { return m_nMaskFlag; }

protected:
    // The member's value as the box shows it, and the box's text written to it.
    virtual HRESULT ReadValueText(CString* text, CPromptInfo* prompt);
    virtual HRESULT WriteValueText(const CString& text, CPromptInfo* prompt);
    // The text as the box shows it after the focus left; false leaves it as typed.
    virtual bool NormaliseText(CString& text);

    IPVGetSetValue* GetValueObject() const { return m_spValue; }
    VARTYPE GetValueType() const { return static_cast<VARTYPE>(m_lValueType); }
    IEditMask* GetEditMask() const { return m_pEditMask; }

    void PreSubclassWindow() override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    BOOL OnReflectedCommand(UINT code) override;

private:
    HRESULT SaveShowingPrompt();

    BOOL m_bInitialized = FALSE;
    bool m_bValid = false;
    UINT m_nTextLimit = 1;
    IEditMask* m_pEditMask;
    CComPtr<IPVGetSetValue> m_spValue;
    UINT m_nMaskFlag = 0;
    LONG m_lValueType = -1; // a VARTYPE, -1 until bound
    CString m_strLastText;
    CComPtr<IUnknown> m_spCondition;
};
