// The host's module-specific file finder, created by its class
// (CLSID_ModuleSpecificFileFind). The page asks it where a help file named in its
// extended info lies.
//
// The host answers: ResolvePath gives the full path of the file.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"

constexpr CLSID CLSID_ModuleSpecificFileFind{
    0x7CB007A6, 0xE68E, 0x44E9, {0xB0, 0x31, 0xAD, 0xBB, 0xE5, 0x02, 0x7E, 0x17}};

// The name is ours; the host gives this interface none.
struct IModuleSpecificFileFind : IUnknown {
    static constexpr IID Iid{0xF4A97839, 0x96D2, 0x42B7, {0xB6, 0x80, 0xDC, 0xC5, 0xF4, 0x7F, 0xEA, 0x53}};
    virtual HRESULT STDMETHODCALLTYPE ResolvePath(BSTR name, BSTR* path) = 0;

protected:
    ~IModuleSpecificFileFind() = default;
};
