#include <gtest/gtest.h>

#include <string>

#include "platform/oleaut/Bstr.h"
#include "tests/platform/msxml/DomTestSupport.h"

namespace {

// Extended info as a host hands it over: the root in no namespace, the rest in "xsdPV".
constexpr const wchar_t* kExtendedInfo =
    L"<ExtendedInfo>\n"
    L"  <PVPanelTitle xmlns=\"xsdPV\"><Text LCID=\"1031\">Titel</Text><Text "
    L"LCID=\"1033\">Title</Text></PVPanelTitle>\n"
    L"  <PVBannerTitle xmlns=\"xsdPV\"><Text LCID=\"1031\">Banner</Text></PVBannerTitle>\n"
    L"  <PVPanelState xmlns=\"xsdPV\" Expand=\"true\"/>\n"
    L"  <Help xmlns=\"xsdPV\" HelpID=\"42\" HelpFile=\"\\Help\\PV\"/>\n"
    L"  <PVPageIdToClsidMap xmlns=\"xsdPV\">\n"
    L"    <PVPageIdToClsidMapItem PageId=\"1\" Clsid=\"{11111111-2222-3333-4444-555555555555}\"/>\n"
    L"    <PVPageIdToClsidMapItem PageId=\"*\" Clsid=\"{66666666-7777-8888-9999-AAAAAAAAAAAA}\"/>\n"
    L"  </PVPageIdToClsidMap>\n"
    L"  <PVPanelState Expand=\"false\"/>\n"
    L"</ExtendedInfo>";

class ExtendedInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_document = NewDocument().p();
        ASSERT_TRUE(Loads(m_document, kExtendedInfo));
        ASSERT_EQ(S_OK, SetNamespaces(m_document, L"xmlns:pv='xsdPV'"));
    }
    CComPtr<IXMLDOMDocument2> m_document;
};

struct SelectionCase {
    const wchar_t* query;
    LONG count;
    const wchar_t* firstXml; // null when nothing matches
};

class SelectionTable : public ExtendedInfoTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionTable, SelectNodesAndSelectSingleNodeAgree) {
    const SelectionCase& c = GetParam();
    _bstr_t query(c.query);
    CComPtr<IXMLDOMNodeList> list;
    ASSERT_EQ(S_OK, m_document->selectNodes(query.GetBSTR(), &list)) << c.query;
    LONG count = -1;
    ASSERT_EQ(S_OK, list->get_length(&count));
    EXPECT_EQ(c.count, count) << c.query;

    CComPtr<IXMLDOMNode> single;
    const HRESULT hr = m_document->selectSingleNode(query.GetBSTR(), &single);
    if (c.firstXml) {
        ASSERT_EQ(S_OK, hr) << c.query;
        EXPECT_EQ(c.firstXml, XmlOf(single)) << c.query;
    } else {
        EXPECT_EQ(S_FALSE, hr) << c.query;
        EXPECT_FALSE(single);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Queries, SelectionTable,
    ::testing::Values(SelectionCase{L"ExtendedInfo/pv:PVPanelTitle/pv:Text[@LCID='1033']", 1,
                                    L"<Text xmlns=\"xsdPV\" LCID=\"1033\">Title</Text>"},
                      SelectionCase{L"ExtendedInfo/pv:PVBannerTitle/pv:Text[@LCID='1033']", 0, nullptr},
                      SelectionCase{L"ExtendedInfo/pv:PVPanelTitle/pv:Text", 2,
                                    L"<Text xmlns=\"xsdPV\" LCID=\"1031\">Titel</Text>"},
                      // Without the prefix the names are in no namespace and match nothing in "xsdPV".
                      SelectionCase{L"ExtendedInfo/PVPanelTitle/Text", 0, nullptr},
                      SelectionCase{L"ExtendedInfo/pv:PVPanelState", 1,
                                    L"<PVPanelState xmlns=\"xsdPV\" Expand=\"true\"/>"},
                      SelectionCase{L"/ExtendedInfo/PVPanelState", 1, L"<PVPanelState Expand=\"false\"/>"},
                      SelectionCase{L"ExtendedInfo/pv:Help/@HelpID", 1, L"HelpID=\"42\""},
                      SelectionCase{L"ExtendedInfo/pv:PVPageIdToClsidMap/pv:PVPageIdToClsidMapItem", 2,
                                    L"<PVPageIdToClsidMapItem xmlns=\"xsdPV\" PageId=\"1\" "
                                    L"Clsid=\"{11111111-2222-3333-4444-555555555555}\"/>"},
                      SelectionCase{L"//pv:Text", 3, L"<Text xmlns=\"xsdPV\" LCID=\"1031\">Titel</Text>"},
                      SelectionCase{L"ExtendedInfo/pv:Missing", 0, nullptr}));

TEST_F(ExtendedInfoTest, AnyPrefixBoundToTheUriSelectsAndAnUnboundOneFails) {
    ASSERT_EQ(S_OK, SetNamespaces(m_document, L"xmlns:q=\"xsdPV\"  xmlns:other='urn:other'"));
    CComPtr<IXMLDOMNode> help;
    EXPECT_EQ(S_OK, SelectSingle(m_document, L"ExtendedInfo/q:Help", &help));
    EXPECT_TRUE(help);
    CComPtr<IXMLDOMNode> none;
    EXPECT_EQ(E_FAIL, SelectSingle(m_document, L"ExtendedInfo/pv:Help", &none));
    EXPECT_FALSE(none);
}

TEST_F(ExtendedInfoTest, BadQueriesFail) {
    for (const wchar_t* query : {L"ExtendedInfo/[", L"count(//pv:Text)", L"", L"ExtendedInfo/zz:Help"}) {
        CComPtr<IXMLDOMNode> node;
        EXPECT_EQ(E_FAIL, SelectSingle(m_document, query, &node)) << query;
        EXPECT_FALSE(node);
    }
}

TEST_F(ExtendedInfoTest, QueriesRunFromTheNodeTheyAreAskedOf) {
    CComPtr<IXMLDOMNode> map;
    ASSERT_EQ(S_OK, SelectSingle(m_document, L"ExtendedInfo/pv:PVPageIdToClsidMap", &map));
    CComPtr<IXMLDOMNode> star;
    ASSERT_EQ(S_OK, SelectSingle(map, L"pv:PVPageIdToClsidMapItem[@PageId='*']/@Clsid", &star));
    EXPECT_EQ(L"{66666666-7777-8888-9999-AAAAAAAAAAAA}", TextOf(star));
    CComPtr<IXMLDOMNode> root;
    ASSERT_EQ(S_OK, SelectSingle(map, L"..", &root));
    _bstr_t name;
    ASSERT_EQ(S_OK, root->get_nodeName(name.GetAddress()));
    EXPECT_STREQ(L"ExtendedInfo", name);
}

struct PropertyCase {
    const wchar_t* name;
    const wchar_t* value;
    HRESULT result;
};

class PropertyTable : public ::testing::TestWithParam<PropertyCase> {};

TEST_P(PropertyTable, SetPropertyAcceptsOnlyWhatTheDomKnows) {
    const PropertyCase& c = GetParam();
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    _bstr_t name(c.name);
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(c.value);
    EXPECT_EQ(c.result, document->setProperty(name.GetBSTR(), value)) << c.name << L" = " << c.value;
    VariantClear(&value);
    VARIANT answer;
    VariantInit(&answer);
    if (c.result == S_OK) {
        ASSERT_EQ(S_OK, document->getProperty(name.GetBSTR(), &answer));
        ASSERT_EQ(VT_BSTR, answer.vt);
        EXPECT_STREQ(c.value, answer.bstrVal);
        VariantClear(&answer);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Properties, PropertyTable,
    ::testing::Values(PropertyCase{L"SelectionNamespaces", L"xmlns:pv='xsdPV'", S_OK},
                      PropertyCase{L"SelectionNamespaces", L"xmlns:a='1' xmlns:b=\"2\" xmlns='3'", S_OK},
                      PropertyCase{L"SelectionNamespaces", L"", S_OK},
                      PropertyCase{L"SelectionNamespaces", L"xmlns:pv=xsdPV", E_FAIL},
                      PropertyCase{L"SelectionNamespaces", L"xmlns:pv='xsdPV", E_FAIL},
                      PropertyCase{L"SelectionNamespaces", L"pv='xsdPV'", E_FAIL},
                      PropertyCase{L"SelectionNamespaces", L"xmlns:='x'", E_FAIL},
                      PropertyCase{L"SelectionNamespaces", L"xmlns:a='1'xmlns:b='2'", E_FAIL},
                      PropertyCase{L"SelectionLanguage", L"XPath", S_OK},
                      PropertyCase{L"SelectionLanguage", L"XSLPattern", E_FAIL},
                      PropertyCase{L"NoSuchProperty", L"x", E_INVALIDARG}));

TEST(DOMProperties, ABadNamespaceTextKeepsTheEarlierBindings) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<r xmlns=\"xsdPV\"/>"));
    ASSERT_EQ(S_OK, SetNamespaces(document, L"xmlns:pv='xsdPV'"));
    EXPECT_EQ(E_FAIL, SetNamespaces(document, L"xmlns:pv="));
    CComPtr<IXMLDOMNode> root;
    EXPECT_EQ(S_OK, SelectSingle(document, L"pv:r", &root));
    // The bindings belong to the document, not to one load.
    ASSERT_TRUE(Loads(document, L"<r xmlns=\"xsdPV\"><s/></r>"));
    CComPtr<IXMLDOMNode> s;
    EXPECT_EQ(S_OK, SelectSingle(document, L"pv:r/pv:s", &s));
}

// ---- attributes -----------------------------------------------------------------

struct AttributeCase {
    const wchar_t* name;
    HRESULT result;
    VARTYPE type;
    const wchar_t* value; // for VT_BSTR
};

class GetAttributeTable : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(GetAttributeTable, AnswersTextOrNull) {
    const AttributeCase& c = GetParam();
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<e a=\"1\" b=\"\" xmlns:p=\"urn:p\" p:c=\"3\" d=\"x &amp; y\"/>"));
    CComPtr<IXMLDOMElement> element;
    ASSERT_EQ(S_OK, document->get_documentElement(&element));
    _bstr_t name(c.name);
    VARIANT value;
    value.vt = VT_I4;
    EXPECT_EQ(c.result, element->getAttribute(name.GetBSTR(), &value)) << c.name;
    ASSERT_EQ(c.type, value.vt) << c.name;
    if (c.type == VT_BSTR) {
        EXPECT_STREQ(c.value, value.bstrVal) << c.name;
    }
    VariantClear(&value);

    CComPtr<IXMLDOMAttribute> node;
    EXPECT_EQ(c.type == VT_BSTR && std::wstring(c.name).rfind(L"xmlns", 0) != 0 ? S_OK : S_FALSE,
              element->getAttributeNode(name.GetBSTR(), &node))
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(Names, GetAttributeTable,
                         ::testing::Values(AttributeCase{L"a", S_OK, VT_BSTR, L"1"},
                                           AttributeCase{L"b", S_OK, VT_BSTR, L""},
                                           AttributeCase{L"d", S_OK, VT_BSTR, L"x & y"},
                                           AttributeCase{L"p:c", S_OK, VT_BSTR, L"3"},
                                           AttributeCase{L"xmlns:p", S_OK, VT_BSTR, L"urn:p"},
                                           AttributeCase{L"c", S_FALSE, VT_NULL, nullptr},
                                           AttributeCase{L"A", S_FALSE, VT_NULL, nullptr},
                                           AttributeCase{L"missing", S_FALSE, VT_NULL, nullptr}));

TEST(DOMAttributes, SetAttributeConvertsReplacesInPlaceAndRefusesBadNames) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<e a=\"1\" b=\"2\"/>"));
    CComPtr<IXMLDOMElement> element;
    ASSERT_EQ(S_OK, document->get_documentElement(&element));
    VARIANT number;
    number.vt = VT_I4;
    number.lVal = 42;
    _bstr_t a(L"a"), c(L"c");
    EXPECT_EQ(S_OK, element->setAttribute(a.GetBSTR(), number));
    EXPECT_EQ(S_OK, element->setAttribute(c.GetBSTR(), number));
    EXPECT_EQ(L"<e a=\"42\" b=\"2\" c=\"42\"/>", XmlOf(element));
    for (const wchar_t* bad : {L"", L"1x", L"a b", L"<", L"a:b:c"}) {
        _bstr_t name(bad);
        EXPECT_EQ(E_FAIL, element->setAttribute(name.GetBSTR(), number)) << bad;
    }
    EXPECT_EQ(E_INVALIDARG, element->setAttribute(nullptr, number));
    EXPECT_EQ(S_OK, element->removeAttribute(a.GetBSTR()));
    EXPECT_EQ(S_FALSE, element->removeAttribute(a.GetBSTR()));
    EXPECT_EQ(L"<e b=\"2\" c=\"42\"/>", XmlOf(element));
}

TEST(DOMAttributes, CreateAttributeAndSetAttributeNodeReplaceAnEarlierOne) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<Page Id=\"3\" Clsid=\"{old}\" x=\"y\"/>"));
    CComPtr<IXMLDOMElement> page;
    ASSERT_EQ(S_OK, document->get_documentElement(&page));
    _bstr_t clsid(L"Clsid");
    CComPtr<IXMLDOMAttribute> attribute;
    ASSERT_EQ(S_OK, document->createAttribute(clsid.GetBSTR(), &attribute));
    CComPtr<IXMLDOMNode> noParent;
    EXPECT_EQ(S_FALSE, attribute->get_parentNode(&noParent));
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(L"{new}");
    ASSERT_EQ(S_OK, attribute->put_value(value));
    VariantClear(&value);
    EXPECT_EQ(L"Clsid=\"{new}\"", XmlOf(attribute));

    CComPtr<IXMLDOMAttribute> replaced;
    ASSERT_EQ(S_OK, page->setAttributeNode(attribute, &replaced));
    EXPECT_EQ(L"<Page Id=\"3\" Clsid=\"{new}\" x=\"y\"/>", XmlOf(page));
    ASSERT_TRUE(replaced);
    ASSERT_EQ(S_OK, replaced->get_value(&value));
    EXPECT_STREQ(L"{old}", value.bstrVal);
    VariantClear(&value);
    // The attribute is in use now: another element cannot take it.
    CComPtr<IXMLDOMElement> other;
    _bstr_t tag(L"Other");
    ASSERT_EQ(S_OK, document->createElement(tag.GetBSTR(), &other));
    CComPtr<IXMLDOMAttribute> none;
    EXPECT_EQ(E_FAIL, other->setAttributeNode(attribute, &none));
    // The replaced one is free again and can be put elsewhere.
    EXPECT_EQ(S_OK, other->setAttributeNode(replaced, &none));
    EXPECT_FALSE(none);
    EXPECT_EQ(L"<Other Clsid=\"{old}\"/>", XmlOf(other));
}

// What the panel does with the sub-items of a module: give every page element, at
// every depth, the class of its page id.
void AddClsid(IXMLDOMDocument2* document, IXMLDOMNodeList* pages) {
    CComPtr<IXMLDOMNode> node;
    while (pages->nextNode(&node) == S_OK) {
        CComPtr<IXMLDOMElement> page = As<IXMLDOMElement>(node);
        ASSERT_TRUE(page);
        _bstr_t idName(L"Id");
        VARIANT id;
        ASSERT_EQ(S_OK, page->getAttribute(idName.GetBSTR(), &id));
        std::wstring clsid = L"{CLSID-" + std::wstring(id.bstrVal) + L"}";
        VariantClear(&id);
        _bstr_t clsidName(L"Clsid");
        CComPtr<IXMLDOMAttribute> attribute;
        ASSERT_EQ(S_OK, document->createAttribute(clsidName.GetBSTR(), &attribute));
        VARIANT value;
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(clsid.c_str());
        ASSERT_EQ(S_OK, attribute->put_value(value));
        VariantClear(&value);
        CComPtr<IXMLDOMAttribute> old;
        ASSERT_EQ(S_OK, page->setAttributeNode(attribute, &old));
        CComPtr<IXMLDOMNodeList> children;
        ASSERT_EQ(S_OK, page->get_childNodes(&children));
        AddClsid(document, children);
    }
}

TEST(DOMAttributes, SubItemsGetTheirClassAtEveryDepth) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(
        Loads(document,
              L"<ProfileViewDirectory xmlns=\"xsdPV\" xsi:schemaLocation=\"xsdPV PV.xsd\" "
              L"xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
              L"<PageSet><Page Id=\"1\"><Page Id=\"2\"/></Page><Page Id=\"3\" Clsid=\"{old}\"/></PageSet>\n"
              L"</ProfileViewDirectory>"));
    ASSERT_EQ(S_OK, SetNamespaces(document, L"xmlns:pv='xsdPV'"));
    CComPtr<IXMLDOMNode> pageSet;
    ASSERT_EQ(S_OK, SelectSingle(document, L"/pv:ProfileViewDirectory/pv:PageSet", &pageSet));
    CComPtr<IXMLDOMNodeList> pages;
    ASSERT_EQ(S_OK, pageSet->get_childNodes(&pages));
    AddClsid(document, pages);
    EXPECT_EQ(L"<ProfileViewDirectory xmlns=\"xsdPV\" xsi:schemaLocation=\"xsdPV PV.xsd\" "
              L"xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><PageSet>"
              L"<Page Id=\"1\" Clsid=\"{CLSID-1}\"><Page Id=\"2\" Clsid=\"{CLSID-2}\"/></Page>"
              L"<Page Id=\"3\" Clsid=\"{CLSID-3}\"/></PageSet></ProfileViewDirectory>\r\n",
              XmlOf(document));
}

// ---- building -------------------------------------------------------------------

CComPtr<IXMLDOMElement> Element(IXMLDOMDocument2* document, const wchar_t* name) {
    _bstr_t tag(name);
    CComPtr<IXMLDOMElement> element;
    EXPECT_EQ(S_OK, document->createElement(tag.GetBSTR(), &element));
    return element;
}

CComPtr<IXMLDOMNode> TextNode(IXMLDOMDocument2* document, const wchar_t* text) {
    _bstr_t data(text);
    CComPtr<IXMLDOMNode> node;
    EXPECT_EQ(S_OK, document->createTextNode(data.GetBSTR(), &node));
    return node;
}

VARIANT Before(IUnknown* node) {
    VARIANT reference;
    reference.vt = VT_UNKNOWN;
    reference.punkVal = node;
    return reference;
}

TEST(DOMBuilding, AppendInsertAndRemoveChildren) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    CComPtr<IXMLDOMElement> root = Element(document, L"root");
    CComPtr<IXMLDOMElement> a = Element(document, L"a");
    CComPtr<IXMLDOMElement> b = Element(document, L"b");
    CComPtr<IXMLDOMElement> c = Element(document, L"c");
    CComPtr<IXMLDOMNode> out;
    ASSERT_EQ(S_OK, document->appendChild(root, &out));
    EXPECT_EQ(L"<root/>", XmlOf(out));
    ASSERT_EQ(S_OK, root->appendChild(a, nullptr));
    ASSERT_EQ(S_OK, root->appendChild(b, nullptr));
    ASSERT_EQ(S_OK, b->appendChild(TextNode(document, L"t<&"), nullptr));
    ASSERT_EQ(S_OK, root->insertBefore(c, Before(a), nullptr));
    EXPECT_EQ(L"<root><c/><a/><b>t&lt;&amp;</b></root>\r\n", XmlOf(document));

    // Moving a node that is in the tree takes it from its old place.
    ASSERT_EQ(S_OK, root->insertBefore(b, Before(c), nullptr));
    EXPECT_EQ(L"<root><b>t&lt;&amp;</b><c/><a/></root>", XmlOf(root));

    CComPtr<IXMLDOMNode> removed;
    ASSERT_EQ(S_OK, root->removeChild(c, &removed));
    EXPECT_EQ(L"<c/>", XmlOf(removed));
    CComPtr<IXMLDOMNode> parent;
    EXPECT_EQ(S_FALSE, c->get_parentNode(&parent));
    EXPECT_EQ(E_INVALIDARG, root->removeChild(c, &removed));
    EXPECT_EQ(L"<root><b>t&lt;&amp;</b><a/></root>", XmlOf(root));
    CComPtr<IXMLDOMElement> result;
    ASSERT_EQ(S_OK, document->get_documentElement(&result));
    EXPECT_EQ(L"<root><b>t&lt;&amp;</b><a/></root>", XmlOf(result));
}

TEST(DOMBuilding, RefusesWhatWouldBreakTheTree) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<r><a><b/></a></r>"));
    CComPtr<IXMLDOMElement> root;
    ASSERT_EQ(S_OK, document->get_documentElement(&root));
    CComPtr<IXMLDOMNode> a, b;
    ASSERT_EQ(S_OK, SelectSingle(document, L"r/a", &a));
    ASSERT_EQ(S_OK, SelectSingle(document, L"r/a/b", &b));
    CComPtr<IXMLDOMNode> out;
    EXPECT_EQ(E_FAIL, b->appendChild(a, &out)); // an ancestor under its descendant
    EXPECT_EQ(E_FAIL, a->appendChild(a, &out)); // a node under itself
    EXPECT_EQ(E_FAIL, document->appendChild(Element(document, L"second"), &out)); // two roots
    EXPECT_EQ(E_FAIL, document->appendChild(TextNode(document, L"x"), &out));     // text at the top
    CComPtr<IXMLDOMAttribute> attribute;
    _bstr_t name(L"n");
    ASSERT_EQ(S_OK, document->createAttribute(name.GetBSTR(), &attribute));
    EXPECT_EQ(E_FAIL, root->appendChild(attribute, &out)); // an attribute is no child
    EXPECT_EQ(E_FAIL, TextNode(document, L"t")->appendChild(Element(document, L"x"), &out));
    EXPECT_EQ(E_INVALIDARG, root->appendChild(nullptr, &out));
    EXPECT_EQ(E_INVALIDARG, root->insertBefore(Element(document, L"x"), Before(b), &out)); // not a child of r
    CComPtr<IXMLDOMDocument2> other = NewDocument();
    EXPECT_EQ(E_INVALIDARG, root->appendChild(Element(other, L"foreign"), &out));
    EXPECT_EQ(L"<r><a><b/></a></r>\r\n", XmlOf(document));
    for (const wchar_t* bad : {L"", L"1a", L"a b", L"a:b:c"}) {
        _bstr_t tag(bad);
        CComPtr<IXMLDOMElement> element;
        EXPECT_EQ(E_FAIL, document->createElement(tag.GetBSTR(), &element)) << bad;
        EXPECT_FALSE(element);
    }
}

TEST(DOMBuilding, AdjacentTextNodesStayApart) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    CComPtr<IXMLDOMElement> root = Element(document, L"r");
    CComPtr<IXMLDOMNode> x = TextNode(document, L"x");
    CComPtr<IXMLDOMNode> y = TextNode(document, L"y");
    ASSERT_EQ(S_OK, root->appendChild(x, nullptr));
    ASSERT_EQ(S_OK, root->appendChild(y, nullptr));
    CComPtr<IXMLDOMNodeList> children;
    ASSERT_EQ(S_OK, root->get_childNodes(&children));
    LONG length = 0;
    children->get_length(&length);
    EXPECT_EQ(2, length);
    EXPECT_EQ(L"x", TextOf(x));
    EXPECT_EQ(L"y", TextOf(y));
    EXPECT_EQ(L"<r>xy</r>", XmlOf(root));
}

TEST(DOMBuilding, AnElementWithoutNamespaceUnderADefaultOneUndeclaresIt) {
    CComPtr<IXMLDOMDocument2> document = NewDocument();
    ASSERT_TRUE(Loads(document, L"<R xmlns=\"xsdPV\"><S/></R>"));
    CComPtr<IXMLDOMElement> root;
    ASSERT_EQ(S_OK, document->get_documentElement(&root));
    ASSERT_EQ(S_OK, root->appendChild(Element(document, L"n"), nullptr));
    EXPECT_EQ(L"<R xmlns=\"xsdPV\"><S/><n xmlns=\"\"/></R>\r\n", XmlOf(document));
}

} // namespace
