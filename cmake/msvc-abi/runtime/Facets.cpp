// Locale facets the standard library makes on demand: each module keeps the ones it made and
// releases them when it ends, as Microsoft's library does in its static part.
#include <stdlib.h>
#include <locale>

namespace {
struct FacetNode {
    FacetNode* next;
    std::_Facet_base* facet;
};

FacetNode* facets = nullptr;

void releaseFacets() {
    while (facets != nullptr) {
        FacetNode* const node = facets;
        facets = node->next;
        delete node->facet->_Decref();
        delete node;
    }
}
}  // namespace

namespace std {
void __cdecl _Facet_Register(_Facet_base* facet) {
    if (facets == nullptr) {
        atexit(releaseFacets);
    }
    facets = new FacetNode{facets, facet};
}
}  // namespace std
