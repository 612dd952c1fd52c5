#include "ui/views/map/document_map.h"

#include <utility>

#include "ui/document/editor_document.h"

namespace tw {

DocumentMap& DocumentMap::Of(EditorDocument& document) {
    if (auto* kept = document.findChild<DocumentMap*>(QString(), Qt::FindDirectChildrenOnly)) {
        return *kept;
    }
    return *new DocumentMap(document);
}

DocumentMap::DocumentMap(EditorDocument& document) : QObject(&document), document_(document) {}

void DocumentMap::Keep(MapMade made) {
    made_ = std::make_shared<MapMade>(std::move(made));
    generation_ = document_.Generation();
}

std::shared_ptr<MapMade> DocumentMap::Take() {
    return std::exchange(made_, nullptr);
}

bool DocumentMap::IsUnchanged() const {
    return generation_ == document_.Generation();
}

}  // namespace tw
