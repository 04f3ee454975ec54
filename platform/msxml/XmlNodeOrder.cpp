#include "platform/msxml/XmlNodeOrder.h"

#include <libxml/tree.h>

void CXmlNodeOrder::Note(_xmlNode* element, const std::vector<bool>& isDeclaration) {
    unsigned short mask = 0;
    for (size_t i = 0; i < isDeclaration.size() && i < kKept; ++i)
        if (isDeclaration[i])
            mask = static_cast<unsigned short>(mask | (1u << i));
    element->extra = mask;
}

bool CXmlNodeOrder::IsDeclarationAt(const _xmlNode* element, size_t position) {
    return position < kKept && (element->extra & (1u << position)) != 0;
}
