#pragma once

// What the map made of a document it has moved away from: each node's facts and the graph of
// the whole dialogue. Kept on the document, so that a switch of tabs frees none of it (freeing
// 100,000 nodes' worth beside the window's thread slows that thread too), and taken back
// when the map returns to the document.

#include <QObject>
#include <cstdint>
#include <memory>

#include "graph/graph_snapshot.h"
#include "ui/views/map/map_graph_runner.h"

namespace tw {

class EditorDocument;

struct MapMade {
    GraphFactsCache facts;
    MapGraphRunner::Whole whole;
};

class DocumentMap : public QObject {
    Q_OBJECT

public:
    // Made on first use; lives as long as the document.
    static DocumentMap& Of(EditorDocument& document);

    void Keep(MapMade made);
    // What was kept, if anything. Unless IsUnchanged, the document has changed since, which
    // the facts do not show.
    std::shared_ptr<MapMade> Take();
    bool IsUnchanged() const;

private:
    explicit DocumentMap(EditorDocument& document);

    EditorDocument& document_;
    std::shared_ptr<MapMade> made_;
    std::uint64_t generation_ = 0;
};

}  // namespace tw
