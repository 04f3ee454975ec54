// The bounds a text must keep before libxml2 parses it: its size, the attributes of
// one element, the depth of nesting and the namespace declarations in scope. libxml2
// checks an element's attributes against each other and looks prefixes up through
// the declarations in scope, so without these bounds one element (or one deep chain
// of declarations) costs time quadratic in its size. One pass over the text, before
// anything is parsed; a text beyond a bound is refused as the DOM refuses bad XML.
#pragma once

#include <cstddef>

#include "platform/msxml/XmlTree.h"

class CXmlInputLimits {
public:
    static constexpr size_t kMaxCharacters = 16 * 1024 * 1024;
    static constexpr size_t kMaxAttributes = 256; // per element, namespace declarations included
    static constexpr size_t kMaxDepth = 256;
    static constexpr size_t kMaxDeclarationsInScope = 256;

    // False with the failure (reason, line and position of the element at fault).
    static bool Check(const wchar_t* text, size_t length, XmlParseFailure* failure);
};
