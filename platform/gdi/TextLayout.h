// How DrawTextW lays text out in lines, on the text metrics model:
//   - without DT_SINGLELINE, "\r\n", "\n" and "\r" end a line; a break at the very end of
//     the text starts no further line;
//   - with DT_WORDBREAK, a line ends before the word that would pass the width; the blanks
//     at such a break belong to no line; a word wider than the width stays whole on a line
//     of its own (DT_CALCRECT then widens the rectangle to it);
//   - without DT_NOPREFIX, "&x" shows as "x" and "&&" as "&";
//   - with DT_EXPANDTABS, a tab moves to the next multiple of eight average widths;
//     otherwise it has no width, as other control characters;
//   - with DT_END_ELLIPSIS, a line that is wider than the width when drawn ends in "..."
//     after as many characters as fit (measuring with DT_CALCRECT ignores it).
// The empty text has no lines.
#pragma once

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/gdi/TextMetricsModel.h"

constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_EXTERNALLEADING = 0x200;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

struct TextLine {
    std::wstring text; // as shown: prefixes resolved, ellipsis added
    LONG width = 0;
};

class CTextLayout {
public:
    // The lines of `text` in a rectangle `width` pixels wide.
    static std::vector<TextLine> Lines(const FontMetrics& metrics, const std::wstring& text, UINT format,
                                       LONG width);
    // The width of one line of text, tabs expanded when asked.
    static LONG LineWidth(const FontMetrics& metrics, const std::wstring& line, UINT format);

private:
    static std::wstring ResolvePrefixes(const std::wstring& text);
    static std::vector<std::wstring> Paragraphs(const std::wstring& text, UINT format);
    static void BreakWords(const FontMetrics& metrics, const std::wstring& paragraph, UINT format, LONG width,
                           std::vector<TextLine>* lines);
    static TextLine Ellipsize(const FontMetrics& metrics, const TextLine& line, UINT format, LONG width);
};
