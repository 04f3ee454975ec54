#include "platform/gdi/TextLayout.h"

namespace {

bool IsBlank(wchar_t ch) {
    return ch == L' ' || ch == L'\t';
}

} // namespace

std::vector<TextLine> CTextLayout::Lines(const FontMetrics& metrics, const std::wstring& text, UINT format,
                                         LONG width) {
    const std::wstring shown = (format & DT_NOPREFIX) ? text : ResolvePrefixes(text);
    std::vector<TextLine> lines;
    for (const std::wstring& paragraph : Paragraphs(shown, format)) {
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE))
            BreakWords(metrics, paragraph, format, width, &lines);
        else
            lines.push_back(TextLine{paragraph, LineWidth(metrics, paragraph, format)});
    }
    if ((format & DT_END_ELLIPSIS) && !(format & DT_CALCRECT)) {
        for (TextLine& line : lines)
            line = Ellipsize(metrics, line, format, width);
    }
    return lines;
}

LONG CTextLayout::LineWidth(const FontMetrics& metrics, const std::wstring& line, UINT format) {
    const LONG tabStop = 8 * metrics.averageWidth;
    LONG x = 0;
    for (wchar_t ch : line) {
        if (ch == L'\t' && (format & DT_EXPANDTABS))
            x += tabStop - x % tabStop;
        else
            x += CTextMetricsModel::CharWidth(metrics, ch);
    }
    return x;
}

std::wstring CTextLayout::ResolvePrefixes(const std::wstring& text) {
    std::wstring shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&') {
            // The prefix marks the next character; a lone '&' at the end shows nothing.
            if (++i == text.size())
                break;
        }
        shown.push_back(text[i]);
    }
    return shown;
}

std::vector<std::wstring> CTextLayout::Paragraphs(const std::wstring& text, UINT format) {
    std::vector<std::wstring> paragraphs;
    if (text.empty())
        return paragraphs;
    if (format & DT_SINGLELINE) {
        paragraphs.push_back(text);
        return paragraphs;
    }
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != L'\r' && text[i] != L'\n') {
            ++i;
            continue;
        }
        paragraphs.push_back(text.substr(start, i - start));
        i += (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        paragraphs.push_back(text.substr(start));
    return paragraphs;
}

void CTextLayout::BreakWords(const FontMetrics& metrics, const std::wstring& paragraph, UINT format,
                             LONG width, std::vector<TextLine>* lines) {
    if (paragraph.empty()) {
        lines->push_back(TextLine{});
        return;
    }
    size_t lineStart = 0;
    size_t lineEnd = 0; // end of the last word that fits on the current line
    bool hasWord = false;
    size_t i = 0;
    while (i < paragraph.size()) {
        size_t wordStart = i;
        while (wordStart < paragraph.size() && IsBlank(paragraph[wordStart]))
            ++wordStart;
        if (wordStart == paragraph.size())
            break;
        size_t wordEnd = wordStart;
        while (wordEnd < paragraph.size() && !IsBlank(paragraph[wordEnd]))
            ++wordEnd;
        const std::wstring candidate = paragraph.substr(lineStart, wordEnd - lineStart);
        if (hasWord && LineWidth(metrics, candidate, format) > width) {
            const std::wstring line = paragraph.substr(lineStart, lineEnd - lineStart);
            lines->push_back(TextLine{line, LineWidth(metrics, line, format)});
            lineStart = wordStart;
        }
        lineEnd = wordEnd;
        hasWord = true;
        i = wordEnd;
    }
    // The last line keeps what follows its last word, as typed.
    const std::wstring line = hasWord ? paragraph.substr(lineStart) : paragraph;
    lines->push_back(TextLine{line, LineWidth(metrics, line, format)});
}

TextLine CTextLayout::Ellipsize(const FontMetrics& metrics, const TextLine& line, UINT format, LONG width) {
    if (line.width <= width)
        return line;
    const std::wstring ellipsis = L"...";
    const LONG ellipsisWidth = LineWidth(metrics, ellipsis, format);
    std::wstring kept = line.text;
    while (!kept.empty() && LineWidth(metrics, kept, format) + ellipsisWidth > width)
        kept.pop_back();
    kept += ellipsis;
    return TextLine{kept, LineWidth(metrics, kept, format)};
}
