#include "model/check/reachability.h"

#include "model/check/dialogue_references.h"

namespace tw {

std::vector<bool> ReachedFromStart(const DialogueReferences& references) {
    return ReachedFromStart(references.Nodes().size(), [&references](std::size_t node, auto visit) {
        for (const NodeReference& reference : references.OfNode(node)) {
            if (reference.resolved != nullptr) {
                visit(reference.resolvedIndex);
            }
        }
    });
}

}  // namespace tw
