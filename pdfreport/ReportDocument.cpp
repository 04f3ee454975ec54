#include "pdfreport/ReportDocument.h"

#include <algorithm>
#include <cairo-pdf.h>
#include <cairo.h>
#include <cmath>
#include <cstdio>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"

namespace {

// A4 in points, with 20 mm margins.
constexpr double kPageWidth = 595.276;
constexpr double kPageHeight = 841.890;
constexpr double kMargin = 56.7;
constexpr double kRight = kPageWidth - kMargin;
constexpr double kBottom = kPageHeight - 70.0; // last baseline above the footer
constexpr double kFooter = kPageHeight - 36.0;
constexpr double kValueX = kMargin + 150.0;
constexpr double kSecondColumn = kMargin + (kRight - kMargin) / 2.0;

constexpr double kHeadingStep = 26.0;
constexpr double kRowStep = 15.0;
constexpr double kCommentStep = 13.0;
constexpr double kCommentSize = 10.0;
// The confirmation block below the comment: heading, room to sign, captions.
constexpr double kSignatureHeight = kHeadingStep + 48.0;

constexpr char kFont[] = "DejaVu Sans";

// Text a PDF string can carry: controls other than line breaks become spaces, and
// what is no Unicode character at all (surrogates, values past U+10FFFF) becomes the
// replacement character, which the font shows.
std::wstring Printable(const std::wstring& text, bool keepLineBreaks) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<char32_t>(text[i]);
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
            out += keepLineBreaks ? L'\n' : L' ';
        } else if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            out += L' ';
        } else if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
            out += L'\uFFFD';
        } else {
            out += static_cast<wchar_t>(c);
        }
    }
    return out;
}

std::string Utf8(const std::wstring& text) {
    return CTextCodec::ToUtf8(Printable(text, false));
}

std::string IsoDate(const SYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond);
    return text;
}

std::wstring PrintedDate(const SYSTEMTIME& t) {
    wchar_t text[64];
    std::swprintf(text, std::size(text), L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond);
    return text;
}

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

// One line of the wrapped comment and how far into the comment it reaches.
struct CommentLine {
    std::wstring text;
    size_t end;
    bool remark = false; // the report's own words, not the user's
};

// Draws text on the current page of one cairo context.
class CPen {
public:
    explicit CPen(cairo_t* cr) : m_cr(cr) {}

    void Font(double size, bool bold = false, double gray = 0.0) {
        cairo_select_font_face(m_cr, kFont, CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(m_cr, size);
        cairo_set_source_rgb(m_cr, gray, gray, gray);
        m_advances.clear();
    }
    void Color(double r, double g, double b) { cairo_set_source_rgb(m_cr, r, g, b); }
    void Text(double x, double y, const std::wstring& text) {
        cairo_move_to(m_cr, x, y);
        cairo_show_text(m_cr, Utf8(text).c_str());
    }
    void TextRight(double right, double y, const std::wstring& text) {
        cairo_text_extents_t extents{};
        const std::string utf8 = Utf8(text);
        cairo_text_extents(m_cr, utf8.c_str(), &extents);
        cairo_move_to(m_cr, right - extents.x_advance, y);
        cairo_show_text(m_cr, utf8.c_str());
    }
    void Rule(double x0, double x1, double y, double width = 0.5) {
        cairo_set_line_width(m_cr, width);
        cairo_move_to(m_cr, x0, y);
        cairo_line_to(m_cr, x1, y);
        cairo_stroke(m_cr);
    }
    // The width of one character in the current font. Toy text is set glyph by glyph
    // without kerning, so a line is as wide as the sum of its characters.
    double Advance(wchar_t c) {
        auto [it, added] = m_advances.try_emplace(c, 0.0);
        if (added) {
            cairo_text_extents_t extents{};
            cairo_text_extents(m_cr, CTextCodec::ToUtf8(std::wstring(1, c)).c_str(), &extents);
            it->second = extents.x_advance;
        }
        return it->second;
    }

private:
    cairo_t* m_cr;
    std::unordered_map<wchar_t, double> m_advances;
};

// Breaks the comment into lines of at most `width` points, at spaces where it can and
// inside a word where it must, keeping the user's own line breaks; stops after
// `maxLines`, so that a huge comment costs no more than two pages' worth of work.
std::vector<CommentLine> Wrap(CPen& pen, const std::wstring& text, double width, size_t maxLines) {
    std::vector<CommentLine> lines;
    size_t i = 0;
    while (i < text.size() && lines.size() < maxLines) {
        double used = 0.0;
        size_t space = std::wstring::npos;
        size_t j = i;
        for (; j < text.size() && text[j] != L'\n'; ++j) {
            const double advance = pen.Advance(text[j]);
            if (used + advance > width && j > i)
                break;
            if (text[j] == L' ')
                space = j;
            used += advance;
        }
        size_t end = j, next = j;
        if (j == text.size() || text[j] == L'\n') {
            next = j + (j < text.size() ? 1 : 0);
        } else if (text[j] == L' ' || (space != std::wstring::npos && space > i)) {
            end = text[j] == L' ' ? j : space;
            next = end;
            while (next < text.size() && text[next] == L' ')
                ++next;
        }
        std::wstring line = text.substr(i, end - i);
        while (!line.empty() && line.back() == L' ')
            line.pop_back();
        lines.push_back({std::move(line), next});
        i = next;
    }
    return lines;
}

bool OnlySpace(const std::wstring& text, size_t from) {
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(),
                       [](wchar_t c) { return c == L' ' || c == L'\n'; });
}

// Title, overall result and the report's fields on page 1; answers the baseline of
// the last row.
double DrawFields(CPen& pen, const CReportFields& fields, const SYSTEMTIME& writtenLocal) {
    double y = kMargin + 14.0;
    pen.Font(18.0, true);
    pen.Text(kMargin, y, L"Verification report");
    pen.Font(9.0, false, 0.35);
    pen.Text(kMargin, y += 16.0,
             L"Written by the module profile PVZQTavrin100 on " + PrintedDate(writtenLocal));
    pen.Rule(kMargin, kRight, y += 10.0);
    pen.Font(13.0, true);
    pen.Text(kMargin, y += 24.0, L"Overall result: " + fields.Overall());
    for (const CReportFields::Section& section : fields.Sections()) {
        pen.Font(11.0, true);
        pen.Text(kMargin, y += kHeadingStep, section.title);
        for (const CReportFields::Row& row : section.rows) {
            y += kRowStep;
            pen.Font(9.5, false, 0.35);
            pen.Text(kMargin, y, row.label);
            pen.Font(10.0);
            pen.Text(kValueX, y, row.value);
        }
    }
    pen.Font(11.0, true);
    pen.Text(kMargin, y += kHeadingStep, L"Check results");
    const std::vector<CReportFields::Row>& checks = fields.Checks();
    const size_t half = (checks.size() + 1) / 2;
    for (size_t i = 0; i < checks.size(); ++i) {
        const double x = i < half ? kMargin : kSecondColumn;
        const double rowY = y + kRowStep * static_cast<double>(i % half + 1);
        pen.Font(9.5, false, 0.35);
        pen.Text(x, rowY, checks[i].label);
        pen.Font(10.0, checks[i].value == L"Failed");
        if (checks[i].value == L"Failed")
            pen.Color(0.7, 0.0, 0.0);
        pen.Text(x + 70.0, rowY, checks[i].value);
    }
    return y + kRowStep * static_cast<double>(half);
}

// The comment in lines of the page's width, at most `maxLines` of them: a longer one
// ends in a note that says how much of it the report holds.
std::vector<CommentLine> CommentLines(CPen& pen, const std::wstring& text, size_t maxLines) {
    const std::wstring comment = Printable(text, true);
    pen.Font(kCommentSize);
    std::vector<CommentLine> lines;
    if (!OnlySpace(comment, 0))
        lines = Wrap(pen, comment, kRight - kMargin, maxLines);
    if (!lines.empty() && !OnlySpace(comment, lines.back().end)) {
        lines.resize(maxLines - 1);
        lines.push_back({L"[Comment shortened: the report holds the first " +
                             std::to_wstring(lines.back().end) + L" of " + std::to_wstring(comment.size()) +
                             L" characters.]",
                         comment.size(), true});
    }
    if (lines.empty())
        lines.push_back({L"(no comment)", 0, true});
    return lines;
}

// Room for the service engineer to sign, below the baseline `y`.
void DrawConfirmation(CPen& pen, double y) {
    pen.Font(11.0, true);
    pen.Text(kMargin, y += kHeadingStep, L"Confirmation");
    const double width = (kRight - kMargin - 40.0) / 3.0;
    const wchar_t* captions[] = {L"Service engineer", L"Date", L"Signature"};
    for (int i = 0; i < 3; ++i) {
        const double x = kMargin + (width + 20.0) * i;
        pen.Font(9.0, false, 0.35);
        pen.Rule(x, x + width, y + 34.0);
        pen.Text(x, y + 46.0, captions[i]);
    }
}

} // namespace

CReportDocument::CReportDocument(const CReportFields& fields, std::wstring comment,
                                 const SYSTEMTIME& writtenLocal, const SYSTEMTIME& createdUtc)
    : m_fields(fields), m_comment(std::move(comment)), m_writtenLocal(writtenLocal),
      m_createdUtc(createdUtc) {}

HRESULT CReportDocument::Render(std::string* pdf) const {
    pdf->clear();
    std::unique_ptr<cairo_surface_t, SurfaceRelease> surface(
        cairo_pdf_surface_create_for_stream(Append, pdf, kPageWidth, kPageHeight));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return E_OUTOFMEMORY;
    const std::string title = Utf8(L"Verification report " + m_fields.DeviceTag());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "PVZQTavrin100");
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE,
                                   IsoDate(m_createdUtc).c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_MOD_DATE, IsoDate(m_createdUtc).c_str());
    std::unique_ptr<cairo_t, ContextRelease> context(cairo_create(surface.get()));
    cairo_t* cr = context.get();
    CPen pen(cr);

    const double firstHeading = DrawFields(pen, m_fields, m_writtenLocal) + kHeadingStep;
    const double top = kMargin + kHeadingStep; // first comment line of page 2
    const auto capacity = [](double from, double to) {
        return static_cast<size_t>(std::floor((to - from) / kCommentStep)) + 1;
    };
    const size_t firstLines = capacity(firstHeading + kCommentStep, kBottom);
    const size_t secondLines = capacity(top, kBottom - kSignatureHeight);

    const std::vector<CommentLine> lines = CommentLines(pen, m_comment, firstLines + secondLines);
    const bool onePage =
        firstHeading + kCommentStep * static_cast<double>(lines.size()) + kSignatureHeight <= kBottom;
    const int pages = onePage ? 1 : 2;

    const auto footer = [&](int page) {
        pen.Font(8.0, false, 0.35);
        pen.Rule(kMargin, kRight, kFooter - 12.0, 0.3);
        pen.Text(kMargin, kFooter,
                 L"PVZQTavrin100 \u00B7 Verification " + m_fields.VerificationId() + L" \u00B7 Device " +
                     m_fields.DeviceTag());
        pen.TextRight(kRight, kFooter, L"Page " + std::to_wstring(page) + L" of " + std::to_wstring(pages));
    };

    // The comment, flowing onto page 2 when it must, then room to sign.
    double y = firstHeading;
    pen.Font(11.0, true);
    pen.Text(kMargin, y, L"Comment");
    int page = 1;
    for (const CommentLine& line : lines) {
        if (y + kCommentStep > kBottom) {
            footer(page);
            cairo_show_page(cr);
            ++page;
            pen.Font(11.0, true);
            pen.Text(kMargin, y = kMargin, L"Comment (continued)");
            y += kHeadingStep - kCommentStep;
        }
        pen.Font(kCommentSize, false, line.remark ? 0.35 : 0.0);
        pen.Text(kMargin, y += kCommentStep, line.text);
    }
    if (y + kSignatureHeight > kBottom) {
        footer(page);
        cairo_show_page(cr);
        ++page;
        y = kMargin - kHeadingStep;
    }
    DrawConfirmation(pen, y);
    footer(page);
    cairo_show_page(cr);

    context.reset();
    cairo_surface_finish(surface.get());
    const cairo_status_t status = cairo_surface_status(surface.get());
    if (status == CAIRO_STATUS_NO_MEMORY)
        return E_OUTOFMEMORY;
    return status == CAIRO_STATUS_SUCCESS ? S_OK : HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
}
