#include "profile/msgbox/PVMsgBoxDlgItem.h"

#include <cstring>
#include <string>

#include "platform/base/TextCodec.h"

UINT CPVMsgBoxDlgItem::WordsToArray(const WORD* words, size_t count, PVByteArray* array) {
    const size_t bytes = count * sizeof(WORD);
    *array = std::make_unique<BYTE[]>(bytes);
    // Template words are little-endian, as this machine's are.
    std::memcpy(array->get(), words, bytes);
    return static_cast<UINT>(bytes);
}

UINT CPVMsgBoxDlgItem::TextToArray(const wchar_t* text, PVByteArray* array) {
    // wchar_t holds UTF-32 here; the template holds UTF-16 code units.
    std::u16string units = CTextCodec::ToUtf16(text ? std::wstring(text) : std::wstring());
    units.push_back(u'\0');
    return WordsToArray(reinterpret_cast<const WORD*>(units.data()), units.size(), array);
}

UINT CPVMsgBoxDlgItem::TextArraySize(const wchar_t* text) {
    const std::u16string units = CTextCodec::ToUtf16(text ? std::wstring(text) : std::wstring());
    return static_cast<UINT>((units.size() + 1) * sizeof(WORD));
}

UINT CPVMsgBoxDlgItem::OrdinalArray(WORD ordinal, PVByteArray* array) {
    const WORD words[] = {0xFFFF, ordinal};
    return WordsToArray(words, 2, array);
}

UINT CPVMsgBoxDlgItem::NoCreationData(PVByteArray* array) {
    const WORD none = 0;
    return WordsToArray(&none, 1, array);
}
