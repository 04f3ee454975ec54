// The host's text servers, created by class with CoCreateInstance and run with
// OleRun: the string server (labels by numeric id) and the prompt servers (user
// messages with their help topic by prompt id). A server that also answers IPVLocale
// is told the language first.
//
// The host answers: a failing call gives no text; callers then use an empty one.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"

// The string server of the profile's labels (button labels of message boxes, the
// force-arrow tooltip format).
constexpr CLSID CLSID_PVStringServer{
    0x6A11B6A6, 0xCDE1, 0x4F87, {0x93, 0x1D, 0x4D, 0x0A, 0x53, 0xEE, 0x30, 0x19}};
// The prompt server of the module's messages (missing or mismatched device).
constexpr CLSID CLSID_PVPromptServer{
    0x9B6602FD, 0x2DCC, 0x470A, {0xA0, 0xC5, 0x52, 0x08, 0xE8, 0xDD, 0x91, 0x76}};
// The prompt server of the framework's messages (conversion and range errors).
constexpr CLSID CLSID_PVFrameworkPromptServer{
    0xFBFC6C6C, 0x12B3, 0x4B6E, {0x9D, 0x19, 0xD7, 0xAA, 0x01, 0x3C, 0x44, 0x7D}};

// The names of the three interfaces below are ours; the host gives them none.
struct IPVStringServer : IUnknown {
    static constexpr IID Iid{0x3DD255EE, 0x4055, 0x4135, {0x80, 0xA8, 0x27, 0x17, 0xCA, 0xEE, 0xA8, 0x3A}};
    virtual HRESULT STDMETHODCALLTYPE GetString(LONG id, BSTR* text) = 0;
    // Whether the labels returned keep their keyboard accelerators ('&').
    virtual HRESULT STDMETHODCALLTYPE SetWithAccelerators(VARIANT_BOOL with) = 0;

protected:
    ~IPVStringServer() = default;
};

struct IPVPromptServer : IUnknown {
    static constexpr IID Iid{0x0245224E, 0x5877, 0x44AA, {0xBF, 0x6C, 0x73, 0x86, 0xF7, 0xEF, 0xC3, 0xC5}};
    // The message text may hold inserts %1 to %3 for the caller to fill.
    virtual HRESULT STDMETHODCALLTYPE GetPrompt(LONG id, BSTR* helpFile, LONG* helpContext, BSTR* text) = 0;

protected:
    ~IPVPromptServer() = default;
};

struct IPVLocale : IUnknown {
    static constexpr IID Iid{0x91FCBE71, 0x2CE2, 0x4BE1, {0x87, 0x94, 0xC2, 0x08, 0x95, 0x6A, 0x20, 0x10}};
    // The language of the texts the server gives from now on.
    virtual HRESULT STDMETHODCALLTYPE SetLocale(LCID lcid) = 0;

protected:
    ~IPVLocale() = default;
};
