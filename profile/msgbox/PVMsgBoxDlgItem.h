// One item of a message box's in-memory dialog template: where it sits (pixels), its id,
// and the arrays the template writes for it. Each array function hands the caller a new
// buffer and answers its size in bytes (0 on failure).
#pragma once

#include <memory>

#include "platform/base/WinTypes.h"
#include "platform/mfc/Object.h"

using PVByteArray = std::unique_ptr<BYTE[]>;

class CPVMsgBoxDlgItem : public CObject {
public:
    CPVMsgBoxDlgItem(const RECT& rect, WORD id) : m_rect(rect), m_id(id) {}

    virtual DWORD GetStyle() const = 0;
    virtual DWORD GetExtendedStyle() const = 0;
    virtual UINT GetWindowClassArraySize() const = 0;
    virtual UINT GetWindowClassArray(PVByteArray* array) const = 0;
    virtual UINT GetTitleArraySize() const = 0;
    virtual UINT GetTitleArray(PVByteArray* array) const = 0;
    virtual UINT GetCreationDataArraySize() const = 0;
    virtual UINT GetCreationDataArray(PVByteArray* array) const = 0;

    const RECT& GetRect() const { return m_rect; }
    WORD GetId() const { return m_id; }

protected:
    // The 16-bit words as template bytes, in a new buffer; answers the byte count.
    static UINT WordsToArray(const WORD* words, size_t count, PVByteArray* array);
    // A text as UTF-16 with its terminator, in a new buffer; answers the byte count.
    static UINT TextToArray(const wchar_t* text, PVByteArray* array);
    static UINT TextArraySize(const wchar_t* text);
    // 0xFFFF and the ordinal: a class or a resource named by number.
    static UINT OrdinalArray(WORD ordinal, PVByteArray* array);
    // One 16-bit 0: no creation data.
    static UINT NoCreationData(PVByteArray* array);

private:
    RECT m_rect;
    WORD m_id;
};
