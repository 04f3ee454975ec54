// The bounds of loadXML: a text beyond them is refused with the parse error naming
// the bound and the element at fault; one just within them loads and writes back.
#include <gtest/gtest.h>

#include "platform/msxml/XmlInputLimits.h"
#include "tests/platform/msxml/DomTestSupport.h"

namespace {

std::wstring Attributes(size_t count, const std::wstring& prefix = L"a") {
    std::wstring text;
    for (size_t i = 0; i < count; ++i)
        text += L" " + prefix + std::to_wstring(i) + L"=\"" + std::to_wstring(i) + L"\"";
    return text;
}

std::wstring Nested(size_t depth, const std::wstring& open = L"<e>") {
    std::wstring text;
    for (size_t i = 0; i < depth; ++i)
        text += open;
    for (size_t i = 0; i < depth; ++i)
        text += L"</e>";
    return text;
}

TEST(DOMLimits, TextsBeyondABoundAreRefusedWithTheElementAtFault) {
    const size_t attributes = CXmlInputLimits::kMaxAttributes, depth = CXmlInputLimits::kMaxDepth;
    const struct {
        std::wstring text;
        const wchar_t* reason; // nullptr: loads
        LONG line, position;
    } rows[] = {
        {L"<r" + Attributes(attributes) + L"/>", nullptr, 0, 0},
        {L"<r>\n  <e" + Attributes(attributes + 1) + L"/></r>", L"more than 256 attributes", 2, 3},
        {L"<r a=\">=\" b='=='><!-- <e" + Attributes(attributes + 1) + L"/> --></r>", nullptr, 0, 0},
        {L"<r><![CDATA[<e" + Attributes(attributes + 1) + L"/>]]></r>", nullptr, 0, 0},
        {Nested(depth), nullptr, 0, 0},
        {Nested(depth + 1), L"nested deeper than 256 levels", 1, 3 * static_cast<LONG>(depth) + 1},
        {Nested(depth - 1, L"<e xmlns:p=\"urn:p\">"), nullptr, 0, 0},
        {Nested(2, L"<e" + Attributes(129, L"xmlns:p") + L">"), L"namespace declarations are in scope", 1, 0},
        {std::wstring(CXmlInputLimits::kMaxCharacters + 1, L' '), L"longer than 16777216 characters", 1, 1},
        {L"<r xmlns:p=\"urn:x\" xmlns:q=\"urn:x\" p:a=\"1\" q:a=\"2\"/>", L"'q:a'", 0, 0},
    };
    for (const auto& row : rows) {
        const std::wstring shown = row.text.substr(0, 80);
        CComPtr<IXMLDOMDocument2> document = NewDocument();
        if (!row.reason) {
            EXPECT_TRUE(Loads(document, row.text)) << shown;
            continue;
        }
        EXPECT_FALSE(Loads(document, row.text)) << shown;
        CComPtr<IXMLDOMParseError> error;
        ASSERT_EQ(S_OK, document->get_parseError(&error));
        _bstr_t reason;
        LONG line = 0, position = 0;
        error->get_reason(reason.GetAddress());
        error->get_line(&line);
        error->get_linepos(&position);
        EXPECT_NE(std::wstring::npos, std::wstring(reason).find(row.reason)) << shown << L"\n" << std::wstring(reason);
        if (row.line)
            EXPECT_EQ(row.line, line) << shown;
        if (row.position)
            EXPECT_EQ(row.position, position) << shown;
    }
}

TEST(DOMLimits, AttributesKeepTheirWrittenOrderAmongDeclarations) {
    const std::wstring text = L"<r z=\"1\" xmlns:p=\"urn:p\" p:y=\"&amp;2\" a=\"3\" xmlns=\"urn:d\"" +
                              Attributes(200) + L"/>";
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, text));
    EXPECT_EQ(text + L"\r\n", XmlOf(document));
}

} // namespace
