#include "platform/gdi/TextMetricsModel.h"

#include <cwchar>
#include <cwctype>

namespace {

struct FaceDesign {
    const wchar_t* name;
    const wchar_t* measuresAs; // the face GetTextFaceW reports
    LONG cellPerEm;
    LONG ascentPerCell;
    LONG averagePerEm;
    LONG externalPerEm;
    bool boldByDesign;
};

const FaceDesign kFaces[] = {
    {L"MS Shell Dlg", L"MS Shell Dlg", 1182, 846, 545, 0, false},
    {L"MS Sans Serif", L"MS Sans Serif", 1182, 846, 545, 0, false},
    {L"MS Shell Dlg 2", L"MS Shell Dlg 2", 1207, 829, 530, 0, false},
    {L"Tahoma", L"Tahoma", 1207, 829, 530, 0, false},
    {L"Segoe UI", L"Segoe UI", 1250, 800, 583, 0, false},
    {L"System", L"System", 1231, 813, 615, 0, true},
};
constexpr size_t kFallbackFace = 1; // "MS Sans Serif"
constexpr LONG kDefaultCellHeight = 16;

// Rounded a * b / c for positive c, half away from zero.
LONG Scale(LONG a, LONG b, LONG c) {
    const LONGLONG product = static_cast<LONGLONG>(a) * b;
    const LONGLONG half = c / 2;
    return static_cast<LONG>(product >= 0 ? (product + half) / c : (product - half) / c);
}

bool SameFace(const std::wstring& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    }
    return i == a.size() && b[i] == L'\0';
}

const FaceDesign& FindFace(const std::wstring& face) {
    for (const FaceDesign& design : kFaces) {
        if (SameFace(face, design.name))
            return design;
    }
    return kFaces[kFallbackFace];
}

// The width classes of the model, as its header lists them; other characters are 0.
struct WidthClassRow {
    int k;
    const wchar_t* characters;
};
const WidthClassRow kWidthClasses[] = {
    {-3, L"ijlI'.,:;!|[] "},
    {-2, L"frt(){}-/\\*\"`"},
    {-1, L"cksvxyzJ?^"},
    {1, L"ABCDGHKNOQRUVX&"},
    {2, L"w%"},
    {3, L"Mm"},
    {4, L"W@"},
};

int WidthClass(wchar_t ch) {
    for (const WidthClassRow& row : kWidthClasses) {
        if (ch != L'\0' && std::wcschr(row.characters, ch))
            return row.k;
    }
    return 0;
}

LONG Step(LONG average) {
    const LONG step = (average + 3) / 6;
    return step < 1 ? 1 : step;
}

} // namespace

FontMetrics CTextMetricsModel::Measure(LONG lfHeight, LONG weight, bool italic, const std::wstring& face) {
    const FaceDesign& design = FindFace(face);
    FontMetrics m;
    m.face = design.measuresAs;
    if (lfHeight == 0)
        lfHeight = kDefaultCellHeight;
    LONG em = 0;
    if (lfHeight < 0) {
        // -LONG_MIN does not exist; such a font is as large as one can ask for anyway.
        em = lfHeight == INT32_MIN ? INT32_MAX : -lfHeight;
        em = em > 0x100000 ? 0x100000 : em;
        m.height = Scale(em, design.cellPerEm, 1000);
    } else {
        m.height = lfHeight > 0x100000 ? 0x100000 : lfHeight;
        em = Scale(m.height, 1000, design.cellPerEm);
    }
    if (em < 1)
        em = 1;
    if (m.height < em)
        m.height = em;
    m.ascent = Scale(m.height, design.ascentPerCell, 1000);
    m.descent = m.height - m.ascent;
    m.internalLeading = m.height - em;
    m.externalLeading = Scale(em, design.externalPerEm, 1000);
    m.averageWidth = Scale(em, design.averagePerEm, 1000);
    if (m.averageWidth < 1)
        m.averageWidth = 1;
    m.weight = weight == 0 ? 400 : weight;
    if (!design.boldByDesign && m.weight >= 600) {
        const LONG extra = m.averageWidth / 10;
        m.averageWidth += extra < 1 ? 1 : extra;
    }
    m.italic = italic;
    m.maxWidth = m.averageWidth + 4 * Step(m.averageWidth);
    return m;
}

LONG CTextMetricsModel::CharWidth(const FontMetrics& metrics, wchar_t ch) {
    if (ch < 0x20 || ch == 0x7F)
        return 0;
    const LONG width = metrics.averageWidth + WidthClass(ch) * Step(metrics.averageWidth);
    return width < 1 ? 1 : width;
}

LONG CTextMetricsModel::Extent(const FontMetrics& metrics, const wchar_t* text, size_t count) {
    LONG extent = 0;
    for (size_t i = 0; i < count; ++i)
        extent += CharWidth(metrics, text[i]);
    return extent;
}
