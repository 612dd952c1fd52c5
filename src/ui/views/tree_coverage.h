#pragma once

// Shades in a document's tree the nodes that the last exploration found no road to, and
// tells a screen reader the same; the shading goes with the exploration's result.

#include <QObject>
#include <cstdint>
#include <vector>

namespace tw {

class DocumentTree;
class DocumentExploration;

class TreeCoverage : public QObject {
    Q_OBJECT

public:
    // Lives as long as tree.
    explicit TreeCoverage(DocumentTree& tree);

private:
    void Show();
    void Shade(std::int32_t nodeId, bool unreached);

    DocumentTree& tree_;
    DocumentExploration& exploration_;
    std::vector<std::int32_t> shaded_;
};

}  // namespace tw
