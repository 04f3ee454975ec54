// What the configuration combo boxes share: a drop-down list bound to an enumeration
// member, whose selection the user changes only by confirming a pick (a pick cancelled
// or refused by the read-only style puts the last confirmed item back), loaded on
// activation and refresh unless the user changed it, written on save, flush and
// deactivation when he did.
#pragma once

#include "platform/mfc/ComboBox.h"
#include "platform/mfc/String.h"
#include "profile/controls/PVCtrl.h"

struct IPVGetSetValue;

class CPVCtrlConfigComboBase : public CComboBox, public CPVCtrl {
public:
    // The style bit these boxes read as "read-only": picks are put back.
    static constexpr DWORD kReadOnlyStyle = 0x0800;
    // The unit-strings selector of the text form of GetValue.
    static constexpr VARTYPE kStringsSelector = 6;

    explicit CPVCtrlConfigComboBase(UINT dialogItemId) : CPVCtrl(dialogItemId) {}

    virtual HRESULT LoadValue() = 0;
    virtual HRESULT SaveValue() = 0;
    // Writes the selection when the user changed it, then forgets the change; a failed
    // write keeps the control dirty.
    virtual HRESULT SaveIfDirty();
    // Loads the member unless the user changed the selection.
    virtual HRESULT RefreshIfClean();
    virtual BOOL InitializationIsValid() = 0;

    // IPVCtrl
    HRESULT STDMETHODCALLTYPE OnActivate() override { return RefreshIfClean(); }
    HRESULT STDMETHODCALLTYPE OnDeactivate() override { return SaveIfDirty(); }
    HRESULT STDMETHODCALLTYPE Save() override { return SaveIfDirty(); }
    HRESULT STDMETHODCALLTYPE Refresh() override { return RefreshIfClean(); }
    // Claims an error of the bound member and shows it at this box.
    HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) override;
    // IPVEventHandler2
    HRESULT STDMETHODCALLTYPE Flush() override { return SaveIfDirty(); }

    // The selection the user last confirmed (taken when the list opens).
    int GetCommittedSelection() const { return m_nCommittedSel; }

protected:
    // The binding as the first validity check found it.
    bool IsBindingValid() const { return m_bValid; }
    // Answers `valid` on the first call and keeps it as the binding's validity; FALSE
    // from then on, so that a box is bound once.
    BOOL FirstValidity(bool valid);
    // The value object whose member errors this box claims.
    virtual IPVGetSetValue* GetValueObject() const = 0;
    // Sizes the dropped list to its items; called as the list opens.
    virtual void SizeDroppedList() = 0;

    // Selects `index` without reporting it as the user's change.
    void SelectQuietly(int index);
    // Reads the display strings and appends each piece that a line feed ends whose
    // running index lies in [first, last]; last < 0 takes every piece. Text after the
    // last line feed is not an entry.
    HRESULT AppendStrings(IPVGetSetValue* strings, int first = 0, int last = -1);
    // Pixel width of the widest item in the box's font.
    int WidestItemWidth() const;
    // Gives the dropped list `height` pixels of items and frame and `width` pixels,
    // adding the scroll bars the window has.
    void ApplyDroppedSize(int height, int width);

    BOOL OnReflectedCommand(UINT code) override;
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override;
    void OnSetFocus(CWnd* oldWnd) override;

private:
    bool IsReadOnly() const { return (GetStyle() & kReadOnlyStyle) != 0; }
    void OnSelectionConfirmed();

    BOOL m_bInitialized = FALSE;
    bool m_bValid = false;
    int m_nCommittedSel = -1;
    int m_nPendingSel = -1;
};
