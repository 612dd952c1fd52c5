#pragma once

// Following links between nodes: "Go to Node", "Back" and "Forward", "Links to This Node",
// and the jumps from a finding or a find result to its node and row.

#include <QObject>
#include <cstdint>

#include "model/check/check_finding.h"
#include "ui/dialogs/editing_dialog.h"

namespace tw {

class DocumentManager;
class EditorDocument;
class NodeEditor;
class NodeTreePart;
struct SearchMatch;

class LinkCommands : public QObject {
    Q_OBJECT

public:
    LinkCommands(DocumentManager& documents, NodeTreePart& trees, NodeEditor& editor,
                 const DialogRunner& runDialog, QWidget& window);

    void GoToNode();
    void Back() { Step(true); }
    void Forward() { Step(false); }
    void ShowLinksToNode();
    // Selects the node and, in its list, the command or response row.
    void SelectNodeRow(std::int32_t nodeId, ItemKind item, std::size_t index);
    void ShowMatch(EditorDocument& document, std::int32_t nodeId, const SearchMatch& match);

private:
    void Step(bool back);

    DocumentManager& documents_;
    NodeTreePart& trees_;
    NodeEditor& editor_;
    const DialogRunner& runDialog_;
    QWidget& window_;
};

}  // namespace tw
