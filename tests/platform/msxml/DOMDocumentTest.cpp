#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/msxml/DOMDocument.h"
#include "platform/oleaut/Bstr.h"
#include "tests/platform/msxml/DomTestSupport.h"

namespace {

// ---- creation -------------------------------------------------------------------

TEST(DOMDocumentCreation, ClassTableOffersTheDocumentWithItsInterfaces) {
    for (DWORD context : {CLSCTX_INPROC_SERVER, CLSCTX_SERVER, CLSCTX_ALL}) {
        CComPtr<IUnknown> object;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_DOMDocument60, nullptr, context, IUnknown::Iid,
                                         reinterpret_cast<void**>(&object)))
            << context;
        EXPECT_TRUE(As<IXMLDOMDocument2>(object));
        EXPECT_TRUE(As<IXMLDOMDocument>(object));
        EXPECT_TRUE(As<IXMLDOMNode>(object));
        EXPECT_FALSE(As<IXMLDOMElement>(object));
        EXPECT_FALSE(As<IXMLDOMAttribute>(object));
    }
}

TEST(DOMDocumentCreation, RefusesAggregation) {
    CComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, CoGetClassObject(CLSID_DOMDocument60, CLSCTX_INPROC_SERVER, nullptr, IClassFactory::Iid,
                                     reinterpret_cast<void**>(&factory)));
    CComPtr<IXMLDOMDocument2> outer = NewDocument();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer, IUnknown::Iid, &object));
    EXPECT_EQ(nullptr, object);
}

TEST(DOMDocumentCreation, NewDocumentIsEmpty) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    CComPtr<IXMLDOMElement> root;
    EXPECT_EQ(S_FALSE, document->get_documentElement(&root));
    EXPECT_FALSE(root);
    EXPECT_EQ(L"", XmlOf(document));
    VARIANT_BOOL preserve = VARIANT_TRUE;
    EXPECT_EQ(S_OK, document->get_preserveWhiteSpace(&preserve));
    EXPECT_EQ(VARIANT_FALSE, preserve);
}

// ---- loading --------------------------------------------------------------------

struct LoadCase {
    const wchar_t* text;
    bool accepted;
};

class LoadTable : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadTable, AcceptsWellFormedTextOnly) {
    const LoadCase& c = GetParam();
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    VARIANT_BOOL ok = 7;
    const HRESULT hr = Load(document, c.text, &ok);
    CComPtr<IXMLDOMParseError> error;
    ASSERT_EQ(S_OK, document->get_parseError(&error));
    LONG code = -1;
    error->get_errorCode(&code);
    _bstr_t reason;
    error->get_reason(reason.GetAddress());
    CComPtr<IXMLDOMElement> root;
    document->get_documentElement(&root);
    if (c.accepted) {
        EXPECT_EQ(S_OK, hr);
        EXPECT_EQ(VARIANT_TRUE, ok);
        EXPECT_EQ(0, code);
        EXPECT_TRUE(root);
    } else {
        EXPECT_EQ(S_FALSE, hr);
        EXPECT_EQ(VARIANT_FALSE, ok);
        EXPECT_NE(0, code);
        EXPECT_GT(reason.length(), 0u);
        EXPECT_FALSE(root);
        EXPECT_EQ(L"", XmlOf(document));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LoadTable,
    ::testing::Values(
        LoadCase{L"<a/>", true}, LoadCase{L"<?xml version=\"1.0\"?><a/>", true},
        LoadCase{L"<!-- c --><a x='1'>t</a><?pi d?>", true},
        LoadCase{L"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>Gr\u00fc\u00dfe</a>", true},
        LoadCase{L"", false}, LoadCase{L"   ", false}, LoadCase{L"<a>", false}, LoadCase{L"<a></b>", false},
        LoadCase{L"just text", false}, LoadCase{L"<a/><b/>", false}, LoadCase{L"<a x='1' x='2'/>", false},
        LoadCase{L"<a>&undeclared;</a>", false}, LoadCase{L"<a>\x01</a>", false},
        LoadCase{L" <?xml version=\"1.0\"?><a/>", false}, LoadCase{L"<p:a/>", false},
        LoadCase{L"<a p:x=\"1\"/>", false}, LoadCase{L"<a xmlns:p=\"urn:p\" p:x=\"1\"><p:b/></a>", true}));

TEST(DOMDocumentLoad, RefusedTextEmptiesALoadedDocumentAndSuccessClearsTheError) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<a/>"));
    EXPECT_FALSE(Loads(document, L"<a>"));
    EXPECT_EQ(L"", XmlOf(document));
    CComPtr<IXMLDOMParseError> error;
    ASSERT_EQ(S_OK, document->get_parseError(&error));
    LONG line = 0;
    EXPECT_EQ(S_OK, error->get_line(&line));
    EXPECT_EQ(1, line);

    ASSERT_TRUE(Loads(document, L"<b/>"));
    error = nullptr;
    ASSERT_EQ(S_OK, document->get_parseError(&error));
    LONG code = -1;
    EXPECT_EQ(S_FALSE, error->get_errorCode(&code));
    EXPECT_EQ(0, code);
}

TEST(DOMDocumentLoad, EmptyAndNullTextAreRefusedForWantOfARootElement) {
    for (BSTR text : {static_cast<BSTR>(nullptr), SysAllocString(L"")}) {
        CComPtr<IXMLDOMDocument2> document = NewDocument();
        VARIANT_BOOL ok = VARIANT_TRUE;
        EXPECT_EQ(S_FALSE, document->loadXML(text, &ok));
        EXPECT_EQ(VARIANT_FALSE, ok);
        CComPtr<IXMLDOMParseError> error;
        ASSERT_EQ(S_OK, document->get_parseError(&error));
        LONG code = 0;
        EXPECT_EQ(S_OK, error->get_errorCode(&code));
        EXPECT_EQ(E_FAIL, code);
        _bstr_t reason;
        ASSERT_EQ(S_OK, error->get_reason(reason.GetAddress()));
        EXPECT_STREQ(L"The document has no root element.", reason);
        SysFreeString(text);
    }
}

TEST(DOMDocumentLoad, UnicodeTextSurvivesWhateverEncodingTheDeclarationNames) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(
        Loads(document, L"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>Gr\u00fc\u00dfe \u20ac</a>"));
    CComPtr<IXMLDOMElement> root;
    ASSERT_EQ(S_OK, document->get_documentElement(&root));
    EXPECT_EQ(L"Gr\u00fc\u00dfe \u20ac", TextOf(root));
}

// ---- serialisation --------------------------------------------------------------

struct RoundTrip {
    const wchar_t* source;
    const wchar_t* xml;
};

class SerialiseTable : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(SerialiseTable, DocumentXmlIsTheDomForm) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, GetParam().source));
    const std::wstring xml = XmlOf(document);
    EXPECT_EQ(GetParam().xml, xml);
    // What was written reads back to the same text.
    CComPtr<IXMLDOMDocument2> again = NewDocument();
    ASSERT_TRUE(Loads(again, xml));
    EXPECT_EQ(xml, XmlOf(again));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SerialiseTable,
    ::testing::Values(
        RoundTrip{L"<a/>", L"<a/>\r\n"}, RoundTrip{L"<a></a>", L"<a/>\r\n"},
        RoundTrip{L"<?xml version=\"1.0\"?><a/>", L"<?xml version=\"1.0\"?>\r\n<a/>\r\n"},
        RoundTrip{L"<?xml  version=\"1.0\"\n encoding=\"UTF-8\" ?>\n<a b='1'>x</a>",
                  L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a b=\"1\">x</a>\r\n"},
        RoundTrip{L"<a>\n  <b/>\n  <c> </c>\n</a>", L"<a><b/><c/></a>\r\n"},
        RoundTrip{L"<a xml:space=\"preserve\"> <b/> </a>", L"<a xml:space=\"preserve\"> <b/> </a>\r\n"},
        RoundTrip{L"<a t=\"&lt;&amp;&quot;&gt;\">1 &lt; 2 &amp;&amp; 3 &gt; 0 \"q\"</a>",
                  L"<a t=\"&lt;&amp;&quot;&gt;\">1 &lt; 2 &amp;&amp; 3 &gt; 0 \"q\"</a>\r\n"},
        RoundTrip{L"<a>&#65;&#x42;</a>", L"<a>AB</a>\r\n"},
        RoundTrip{L"<!--c--><a><![CDATA[<x>&]]><?pi data?></a>",
                  L"<!--c-->\r\n<a><![CDATA[<x>&]]><?pi data?></a>\r\n"},
        RoundTrip{L"<R xmlns=\"xsdPV\" xsi:schemaLocation=\"xsdPV PV.xsd\" "
                  L"xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n<PageSet/>\n</R>",
                  L"<R xmlns=\"xsdPV\" xsi:schemaLocation=\"xsdPV PV.xsd\" "
                  L"xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><PageSet/></R>\r\n"},
        RoundTrip{L"<p:a xmlns:p=\"urn:p\" q=\"1\" xmlns:r=\"urn:r\" r:s=\"2\"><p:b/></p:a>",
                  L"<p:a xmlns:p=\"urn:p\" q=\"1\" xmlns:r=\"urn:r\" r:s=\"2\"><p:b/></p:a>\r\n"}));

TEST(DOMSerialise, NodeXmlCarriesTheNamespacesItNeedsAndNoLineEnd) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<r xmlns=\"xsdPV\" xmlns:p=\"urn:p\"><p:a p:x=\"1\"><b>t</b></p:a></r>"));
    ASSERT_EQ(S_OK, SetNamespaces(document, L"xmlns:d='xsdPV' xmlns:p='urn:p'"));
    CComPtr<IXMLDOMNode> a;
    ASSERT_EQ(S_OK, SelectSingle(document, L"/d:r/p:a", &a));
    EXPECT_EQ(L"<p:a xmlns:p=\"urn:p\" p:x=\"1\"><b xmlns=\"xsdPV\">t</b></p:a>", XmlOf(a));
    CComPtr<IXMLDOMNode> attribute;
    ASSERT_EQ(S_OK, SelectSingle(a, L"@p:x", &attribute));
    EXPECT_EQ(L"p:x=\"1\"", XmlOf(attribute));
}

// ---- names and text -------------------------------------------------------------

struct NameCase {
    const wchar_t* query;
    const wchar_t* nodeName;
    const wchar_t* baseName;
    const wchar_t* prefix;
    const wchar_t* namespaceUri;
    DOMNodeType type;
    const wchar_t* text;
};

class NameTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameTable, NodeAnswersItsNames) {
    const NameCase& c = GetParam();
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<r xmlns:p=\"urn:p\"><t xmlns=\"xsdPV\" a=\"v\"> one <i>two</i> three </t>"
                                L"<p:e p:k=\"w\"/><!--note--><![CDATA[raw]]></r>"));
    ASSERT_EQ(S_OK, SetNamespaces(document, L"xmlns:d='xsdPV' xmlns:p='urn:p'"));
    CComPtr<IXMLDOMNode> node;
    ASSERT_EQ(S_OK, SelectSingle(document, c.query, &node)) << c.query;
    _bstr_t nodeName, baseName, prefix, uri;
    ASSERT_EQ(S_OK, node->get_nodeName(nodeName.GetAddress()));
    ASSERT_EQ(S_OK, node->get_baseName(baseName.GetAddress()));
    ASSERT_EQ(S_OK, node->get_prefix(prefix.GetAddress()));
    ASSERT_EQ(S_OK, node->get_namespaceURI(uri.GetAddress()));
    DOMNodeType type = NODE_INVALID;
    ASSERT_EQ(S_OK, node->get_nodeType(&type));
    EXPECT_STREQ(c.nodeName, nodeName);
    EXPECT_STREQ(c.baseName, baseName);
    EXPECT_STREQ(c.prefix, prefix);
    EXPECT_STREQ(c.namespaceUri, uri);
    EXPECT_EQ(c.type, type);
    EXPECT_EQ(c.text, TextOf(node));
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, NameTable,
    ::testing::Values(NameCase{L"r/d:t", L"t", L"t", L"", L"xsdPV", NODE_ELEMENT, L"one two three"},
                      NameCase{L"r/d:t/@a", L"a", L"a", L"", L"", NODE_ATTRIBUTE, L"v"},
                      NameCase{L"r/d:t/text()", L"#text", L"", L"", L"", NODE_TEXT, L" one "},
                      NameCase{L"r/p:e", L"p:e", L"e", L"p", L"urn:p", NODE_ELEMENT, L""},
                      NameCase{L"r/p:e/@p:k", L"p:k", L"k", L"p", L"urn:p", NODE_ATTRIBUTE, L"w"},
                      NameCase{L"r/comment()", L"#comment", L"", L"", L"", NODE_COMMENT, L"note"},
                      NameCase{L"r/text()", L"#cdata-section", L"", L"", L"", NODE_CDATA_SECTION, L"raw"},
                      NameCase{L"/", L"#document", L"", L"", L"", NODE_DOCUMENT, L"one two three raw"}));

// ---- navigation -----------------------------------------------------------------

TEST(DOMNavigation, ParentsChildrenAndSiblings) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<r><a/><b/><c/></r>"));
    CComPtr<IXMLDOMElement> root;
    ASSERT_EQ(S_OK, document->get_documentElement(&root));
    CComPtr<IXMLDOMNode> parent;
    ASSERT_EQ(S_OK, root->get_parentNode(&parent));
    EXPECT_TRUE(parent.IsEqualObject(document)); // the document object itself
    CComPtr<IXMLDOMNode> first, last, next, previous, none;
    ASSERT_EQ(S_OK, root->get_firstChild(&first));
    ASSERT_EQ(S_OK, root->get_lastChild(&last));
    EXPECT_EQ(L"<a/>", XmlOf(first));
    EXPECT_EQ(L"<c/>", XmlOf(last));
    ASSERT_EQ(S_OK, first->get_nextSibling(&next));
    EXPECT_EQ(L"<b/>", XmlOf(next));
    ASSERT_EQ(S_OK, next->get_previousSibling(&previous));
    EXPECT_EQ(L"<a/>", XmlOf(previous));
    EXPECT_EQ(S_FALSE, last->get_nextSibling(&none));
    EXPECT_FALSE(none);
    EXPECT_EQ(S_FALSE, first->get_firstChild(&none));
    EXPECT_FALSE(none);
    VARIANT_BOOL has = VARIANT_FALSE;
    EXPECT_EQ(S_OK, root->hasChildNodes(&has));
    EXPECT_EQ(VARIANT_TRUE, has);
    EXPECT_EQ(S_FALSE, first->hasChildNodes(&has));
    EXPECT_EQ(VARIANT_FALSE, has);
    CComPtr<IXMLDOMDocument> owner;
    ASSERT_EQ(S_OK, first->get_ownerDocument(&owner));
    EXPECT_TRUE(owner.IsEqualObject(document));
}

TEST(DOMNavigation, OnlyElementsAndAttributesAnswerTheirOwnInterfaces) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<r a=\"1\">t<!--c--><e/></r>"));
    struct Case {
        const wchar_t* query;
        bool element;
        bool attribute;
    };
    for (const Case& c :
         {Case{L"r", true, false}, Case{L"r/@a", false, true}, Case{L"r/text()", false, false},
          Case{L"r/comment()", false, false}, Case{L"r/e", true, false}}) {
        CComPtr<IXMLDOMNode> node;
        ASSERT_EQ(S_OK, SelectSingle(document, c.query, &node)) << c.query;
        EXPECT_EQ(c.element, static_cast<bool>(As<IXMLDOMElement>(node))) << c.query;
        EXPECT_EQ(c.attribute, static_cast<bool>(As<IXMLDOMAttribute>(node))) << c.query;
        EXPECT_FALSE(As<IXMLDOMDocument>(node)) << c.query;
        EXPECT_TRUE(As<IXMLDOMNode>(node)) << c.query;
    }
}

TEST(DOMNavigation, NodeListIndexesAndIterates) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<r><a/>t<b/><!--c--></r>"));
    CComPtr<IXMLDOMElement> root;
    ASSERT_EQ(S_OK, document->get_documentElement(&root));
    CComPtr<IXMLDOMNodeList> children;
    ASSERT_EQ(S_OK, root->get_childNodes(&children));
    LONG length = 0;
    ASSERT_EQ(S_OK, children->get_length(&length));
    ASSERT_EQ(4, length);
    const std::vector<std::wstring> expected{L"<a/>", L"t", L"<b/>", L"<!--c-->"};
    for (LONG i = 0; i < length; ++i) {
        CComPtr<IXMLDOMNode> item;
        ASSERT_EQ(S_OK, children->get_item(i, &item));
        EXPECT_EQ(expected[static_cast<size_t>(i)], XmlOf(item));
    }
    for (LONG outside : {-1, 4, 100}) {
        CComPtr<IXMLDOMNode> item;
        EXPECT_EQ(S_FALSE, children->get_item(outside, &item)) << outside;
        EXPECT_FALSE(item);
    }
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::wstring> seen;
        CComPtr<IXMLDOMNode> item;
        while (children->nextNode(&item) == S_OK)
            seen.push_back(XmlOf(item));
        EXPECT_FALSE(item);
        EXPECT_EQ(expected, seen);
        EXPECT_EQ(S_OK, children->reset());
    }
}

// ---- reference counts -----------------------------------------------------------

TEST(DOMReferences, NodesAndListsKeepTheirDocumentAliveUntilReleasedLast) {
    const LONG before = CDOMDocument::LiveCount();
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<r><a>t</a></r>"));
    ASSERT_EQ(before + 1, CDOMDocument::LiveCount());
    CComPtr<IXMLDOMElement> root;
    ASSERT_EQ(S_OK, document->get_documentElement(&root));
    CComPtr<IXMLDOMNodeList> children;
    ASSERT_EQ(S_OK, root->get_childNodes(&children));

    document = nullptr;
    EXPECT_EQ(before + 1, CDOMDocument::LiveCount());
    EXPECT_EQ(L"<r><a>t</a></r>", XmlOf(root));
    CComPtr<IXMLDOMDocument> owner;
    ASSERT_EQ(S_OK, root->get_ownerDocument(&owner));
    EXPECT_EQ(L"<r><a>t</a></r>\r\n", XmlOf(owner));
    owner = nullptr;
    root = nullptr;
    EXPECT_EQ(before + 1, CDOMDocument::LiveCount());
    CComPtr<IXMLDOMNode> a;
    ASSERT_EQ(S_OK, children->get_item(0, &a));
    children = nullptr;
    EXPECT_EQ(before + 1, CDOMDocument::LiveCount());
    EXPECT_EQ(L"t", TextOf(a));
    a = nullptr;
    EXPECT_EQ(before, CDOMDocument::LiveCount());
}

TEST(DOMReferences, CountsRiseAndFallByOne) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    EXPECT_EQ(2u, document->AddRef());
    EXPECT_EQ(1u, document->Release());
    ASSERT_TRUE(Loads(document, L"<r/>"));
    CComPtr<IXMLDOMElement> root;
    ASSERT_EQ(S_OK, document->get_documentElement(&root));
    // The element holds one reference on its document.
    EXPECT_EQ(3u, document->AddRef());
    EXPECT_EQ(2u, document->Release());
}

TEST(DOMReferences, NodesOfAnEarlierLoadKeepTheirTree) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<old><x>1</x></old>"));
    CComPtr<IXMLDOMElement> oldRoot;
    ASSERT_EQ(S_OK, document->get_documentElement(&oldRoot));
    ASSERT_TRUE(Loads(document, L"<new/>"));
    EXPECT_EQ(L"<old><x>1</x></old>", XmlOf(oldRoot));
    EXPECT_EQ(L"<new/>\r\n", XmlOf(document));
    // An element of the earlier tree cannot be put into the new one.
    CComPtr<IXMLDOMElement> newRoot;
    ASSERT_EQ(S_OK, document->get_documentElement(&newRoot));
    CComPtr<IXMLDOMNode> appended;
    EXPECT_EQ(E_INVALIDARG, newRoot->appendChild(oldRoot, &appended));
    EXPECT_EQ(L"<new/>", XmlOf(newRoot));
}

} // namespace
