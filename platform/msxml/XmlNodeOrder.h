// Where an element's namespace declarations stood among its attributes in the source.
// libxml2 keeps declarations (nsDef) apart from attributes (properties); the DOM
// serialises both in the order they were written. The order of the first 16 is kept
// in the element's spare `extra` field, which libxml2 leaves unused on elements;
// beyond those, and on elements built in code, attributes come before declarations.
#pragma once

#include <cstddef>
#include <vector>

struct _xmlNode;

class CXmlNodeOrder {
public:
    static constexpr size_t kKept = 16;

    // isDeclaration[i]: whether the i-th attribute as written was a namespace declaration.
    static void Note(_xmlNode* element, const std::vector<bool>& isDeclaration);
    // Whether the attribute written at `position` was a namespace declaration.
    static bool IsDeclarationAt(const _xmlNode* element, size_t position);
};
