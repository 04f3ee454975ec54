// One drawing call as a device context recorded it: enough to check owner-drawn output in
// tests and to replay the picture later with a real renderer.
#pragma once

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

enum class DrawOp { FillRect, FrameRect, Text, Icon };

// A line of text where it was put: its left edge and the top of its cell.
struct DrawnLine {
    std::wstring text;
    LONG x = 0;
    LONG y = 0;
    LONG width = 0;
};

struct DrawRecord {
    DrawOp op = DrawOp::FillRect;
    RECT rect{};             // the rectangle given (text: the formatting rectangle)
    COLORREF color = 0;      // the brush colour, or the text colour for text
    COLORREF background = 0; // the DC's background colour for text
    int backgroundMode = 0;  // TRANSPARENT or OPAQUE for text
    std::wstring text;       // the text as given, prefixes included
    UINT format = 0;         // DrawTextW's format; 0 for TextOutW
    std::vector<DrawnLine> lines;
    std::wstring fontFace; // the face the text was measured with
    LONG fontHeight = 0;   // its cell height (tmHeight)
    LONG fontWeight = 0;
    bool fontItalic = false;
    WORD iconId = 0; // the stock icon drawn (IDI_ value)
};
