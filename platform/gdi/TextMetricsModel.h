// The text metrics model of the stand-in. There are no font files behind the GDI calls:
// every face is a small set of proportions, so that sizes computed from dialog templates
// and measured texts are the same on every machine and in every test run.
//
// Heights. A font is asked for by LOGFONTW::lfHeight, as on Windows:
//   - negative: the character height (em) in pixels is -lfHeight;
//   - positive: the cell height (tmHeight) is lfHeight, the em is derived from it;
//   - zero: the default, a cell height of 16 pixels (the system font's).
// Per face the model keeps, in thousandths of the em:
//                       cell/em  ascent/cell  average/em  external/em   design
//   "MS Shell Dlg"        1182        846          545          0       (MS Sans Serif)
//   "MS Sans Serif"       1182        846          545          0
//   "MS Shell Dlg 2"      1207        829          530          0       (Tahoma)
//   "Tahoma"              1207        829          530          0
//   "Segoe UI"            1250        800          583          0
//   "System"              1231        813          615          0       raster, bold by design
// Any other face (and an empty face name) measures as "MS Sans Serif" and reports that
// name, as the font mapper substitutes a face it has. Faces compare case-insensitively.
// From those: tmHeight = round(em x cell/em) (or lfHeight itself when positive),
// em = round(lfHeight x 1000 / cell/em) for a positive lfHeight, tmAscent = round(tmHeight
// x ascent/cell), tmDescent = tmHeight - tmAscent, tmInternalLeading = tmHeight - em,
// tmExternalLeading = round(em x external/em), average width A = round(em x average/em),
// at least 1. Rounding is half away from zero throughout.
// So "MS Shell Dlg" at 8 points on the 96-dpi screen (lfHeight -11) is 13 pixels high with
// an average of 6 (dialog base units 6 x 13), "Segoe UI" at 9 points (lfHeight -12) 15 and
// 7, and the stock system font (lfHeight 16) 16 and 8 (GetDialogBaseUnits: 8 x 16).
//
// Weight and slant. A weight of 600 or more widens A by A / 10 (integer), at least 1, for
// every face except "System", whose one design is already bold. Italic keeps the advance
// widths (as TrueType italics do) and only sets tmItalic.
//
// Character widths. Each character is A + k x s pixels, where s = max(1, (A + 3) / 6)
// (integer division) and k a small class of the character:
//   k = -3   i j l I ' . , : ; ! | [ ] space
//   k = -2   f r t ( ) { } - / \ * " `
//   k = -1   c k s v x y z J ? ^
//   k =  0   every other letter, the digits (tabular, as in UI fonts) and all other
//            printable characters, including everything beyond ASCII
//   k = +1   A B C D G H K N O Q R U V X &
//   k = +2   w %
//   k = +3   M m
//   k = +4   W @
// The k of the 52 letters A-Z a-z add up to zero, so the letters' extent is exactly 52 x A
// and Windows' dialog base unit formula ((extent of "A..Za..z" + 26) / 52) gives back A.
// Below A = 4 a width is kept at one pixel at least, and the letter extent is then only
// near 52 x A. Control characters (below U+0020, and U+007F) have no width.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

// The metrics the model gives one font; GDI copies them into TEXTMETRICW.
struct FontMetrics {
    std::wstring face; // the face the font measures as (the substitute for an unknown one)
    LONG height = 0;   // tmHeight, the cell
    LONG ascent = 0;
    LONG descent = 0;
    LONG internalLeading = 0;
    LONG externalLeading = 0;
    LONG averageWidth = 0; // A
    LONG maxWidth = 0;     // the widest character, A + 4s
    LONG weight = 400;
    bool italic = false;
};

class CTextMetricsModel {
public:
    // The metrics of a font asked for with this height, weight, slant and face.
    static FontMetrics Measure(LONG lfHeight, LONG weight, bool italic, const std::wstring& face);
    // The advance width of one character in a font with these metrics.
    static LONG CharWidth(const FontMetrics& metrics, wchar_t ch);
    // The summed advance widths of a run of characters.
    static LONG Extent(const FontMetrics& metrics, const wchar_t* text, size_t count);
};
