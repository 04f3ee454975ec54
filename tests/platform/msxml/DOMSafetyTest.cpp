// Text from outside (a host's extended info) must never make the parser read a file
// or a URL, expand entities without bound, or overflow the stack.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "platform/base/TextCodec.h"
#include "platform/oleaut/Bstr.h"
#include "tests/platform/kernel/TempFolder.h"
#include "tests/platform/msxml/DomTestSupport.h"

namespace {

constexpr const wchar_t* kSecret = L"SECRET-WORD-7c41";

std::wstring Replace(std::wstring text, const std::wstring& from, const std::wstring& to) {
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Everything a caller can read back from the document after the load.
std::wstring Everything(IXMLDOMDocument2* document) {
    std::wstring all = XmlOf(document) + L"|" + TextOf(document);
    CComPtr<IXMLDOMParseError> error;
    if (SUCCEEDED(document->get_parseError(&error))) {
        _bstr_t reason;
        error->get_reason(reason.GetAddress());
        if (reason.GetBSTR())
            all += L"|" + std::wstring(reason);
    }
    return all;
}

class FileEntityTable : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(FileEntityTable, ASecretFileIsNeverRead) {
    CTempFolder folder;
    ASSERT_TRUE(folder.Ok());
    const std::string path = folder.Unix("secret.txt");
    {
        std::ofstream file(path);
        file << CTextCodec::ToUtf8(kSecret) << "\n";
    }
    // The file's own parent must be readable for the check to mean anything.
    std::ifstream check(path);
    ASSERT_TRUE(check.good());

    const std::wstring text = Replace(GetParam(), L"$FILE", CTextCodec::FromUtf8(path));
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    VARIANT_BOOL ok = VARIANT_TRUE;
    Load(document, text, &ok);
    EXPECT_EQ(std::wstring::npos, Everything(document).find(kSecret)) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FileEntityTable,
    ::testing::Values(L"<!DOCTYPE a [<!ENTITY e SYSTEM \"file://$FILE\">]><a>&e;</a>",
                      L"<!DOCTYPE a [<!ENTITY e SYSTEM \"$FILE\">]><a>&e;</a>",
                      L"<!DOCTYPE a [<!ENTITY e SYSTEM \"file://$FILE\">]><a b=\"&e;\"/>",
                      L"<!DOCTYPE a [<!ENTITY % p SYSTEM \"file://$FILE\"> %p;]><a/>",
                      L"<!DOCTYPE a SYSTEM \"file://$FILE\"><a>&e;</a>",
                      L"<a xmlns:xi=\"http://www.w3.org/2001/XInclude\">"
                      L"<xi:include href=\"file://$FILE\" parse=\"text\"/></a>",
                      L"<a>&e;</a>"));

TEST(DOMSafety, ADocumentTypeIsRefused) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    VARIANT_BOOL ok = VARIANT_TRUE;
    EXPECT_EQ(S_FALSE, Load(document, L"<!DOCTYPE a [<!ENTITY e \"inner\">]><a>&e;</a>", &ok));
    EXPECT_EQ(VARIANT_FALSE, ok);
    CComPtr<IXMLDOMParseError> error;
    ASSERT_EQ(S_OK, document->get_parseError(&error));
    _bstr_t reason;
    ASSERT_EQ(S_OK, error->get_reason(reason.GetAddress()));
    EXPECT_STREQ(L"DTD is prohibited.", reason);
}

TEST(DOMSafety, EntityExpansionBombIsRefused) {
    std::wstring text = L"<!DOCTYPE bomb [<!ENTITY e0 \"lollollollollollollollollol\">";
    for (int i = 1; i < 10; ++i) {
        text += L"<!ENTITY e" + std::to_wstring(i) + L" \"";
        for (int j = 0; j < 10; ++j)
            text += L"&e" + std::to_wstring(i - 1) + L";";
        text += L"\">";
    }
    text += L"]><bomb>&e9;</bomb>";
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    EXPECT_FALSE(Loads(document, text));
    EXPECT_LT(Everything(document).size(), 1000u);
}

// A listening socket that nobody should connect to: after a load names its URL, a
// pending connection would wait in its queue.
class CListener {
public:
    CListener() {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof(address);
        if (m_socket < 0 || bind(m_socket, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            listen(m_socket, 4) != 0 ||
            getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            return;
        fcntl(m_socket, F_SETFL, O_NONBLOCK);
        m_port = ntohs(address.sin_port);
    }
    ~CListener() {
        if (m_socket >= 0)
            close(m_socket);
    }
    int Port() const { return m_port; }
    bool SomeoneConnected() const {
        const int connection = accept(m_socket, nullptr, nullptr);
        if (connection >= 0) {
            close(connection);
            return true;
        }
        return errno != EAGAIN && errno != EWOULDBLOCK;
    }

private:
    int m_socket = -1;
    int m_port = 0;
};

class UrlEntityTable : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(UrlEntityTable, NoConnectionIsMade) {
    CListener listener;
    ASSERT_NE(0, listener.Port());
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(listener.Port()) + L"/x.xml";
    const std::wstring text = Replace(GetParam(), L"$URL", url);
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    VARIANT_BOOL ok = VARIANT_TRUE;
    Load(document, text, &ok);
    EXPECT_FALSE(listener.SomeoneConnected()) << text;
}

INSTANTIATE_TEST_SUITE_P(Texts, UrlEntityTable,
                         ::testing::Values(L"<!DOCTYPE a [<!ENTITY e SYSTEM \"$URL\">]><a>&e;</a>",
                                           L"<!DOCTYPE a SYSTEM \"$URL\"><a/>",
                                           L"<!DOCTYPE a [<!ENTITY % p SYSTEM \"$URL\"> %p;]><a/>",
                                           L"<a xmlns:xi=\"http://www.w3.org/2001/XInclude\">"
                                           L"<xi:include href=\"$URL\"/></a>"));

std::wstring Nested(int depth) {
    std::wstring text;
    text.reserve(static_cast<size_t>(depth) * 7);
    for (int i = 0; i < depth; ++i)
        text += L"<a>";
    for (int i = 0; i < depth; ++i)
        text += L"</a>";
    return text;
}

TEST(DOMSafety, HundredThousandNestedElementsAreRefusedWithoutCrash) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    VARIANT_BOOL ok = VARIANT_TRUE;
    EXPECT_EQ(S_FALSE, Load(document, Nested(100000), &ok));
    EXPECT_EQ(VARIANT_FALSE, ok);
    EXPECT_EQ(L"", XmlOf(document));
}

TEST(DOMSafety, NestingWithinTheLimitLoadsAndWritesBack) {
    const std::wstring text = Nested(200);
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, text));
    std::wstring expected = Nested(199);
    expected.insert(199 * 3, L"<a/>");
    EXPECT_EQ(expected + L"\r\n", XmlOf(document));
}

TEST(DOMSafety, ATreeBuiltDeeperThanTheParserAllowsIsWrittenAndFreed) {
    constexpr int kDepth = 100000;
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    _bstr_t tag(L"a");
    CComPtr<IXMLDOMElement> top;
    ASSERT_EQ(S_OK, document->createElement(tag.GetBSTR(), &top));
    ASSERT_EQ(S_OK, document->appendChild(top, nullptr));
    CComPtr<IXMLDOMElement> current = top;
    for (int i = 1; i < kDepth; ++i) {
        CComPtr<IXMLDOMElement> child;
        ASSERT_EQ(S_OK, document->createElement(tag.GetBSTR(), &child));
        ASSERT_EQ(S_OK, current->appendChild(child, nullptr));
        current = child;
    }
    _bstr_t data(L"x");
    CComPtr<IXMLDOMNode> text;
    ASSERT_EQ(S_OK, document->createTextNode(data.GetBSTR(), &text));
    ASSERT_EQ(S_OK, current->appendChild(text, nullptr));
    const std::wstring xml = XmlOf(document);
    EXPECT_EQ(static_cast<size_t>(kDepth) * 7 + 1 + 2, xml.size());
    EXPECT_EQ(L"<a><a><a>", xml.substr(0, 9));
    EXPECT_EQ(static_cast<size_t>(kDepth - 1) * 3, xml.find(L"<a>x</a>"));
    EXPECT_EQ(L"</a></a>\r\n", xml.substr(xml.size() - 10));
    EXPECT_EQ(L"x", TextOf(document));
}

} // namespace
