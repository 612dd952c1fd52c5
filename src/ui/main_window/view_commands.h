#pragma once

// The View menu's panes: Problems with "Check Dialogue" and "Explore Dialogue", which show it
// first, and the conversation map beside the tree.

#include <QObject>

class QAction;

namespace tw {

class ExploreCommand;
class MapView;
class NodeEditor;
class NodeTreePart;
class ProblemsView;

class ViewCommands : public QObject {
    Q_OBJECT

public:
    // The panes follow the checkable "Problems" and "Map" items.
    ViewCommands(ProblemsView& problems, MapView& map, ExploreCommand& explore,
                 QAction& problemsShown, QAction& mapShown, QObject& window);
    // A box opened on the map gives its node's text the keys; leaving the map goes to the
    // tree.
    void ConnectMap(NodeEditor& editor, NodeTreePart& trees);

    void ShowProblems();
    void CheckDialogue();
    void ExploreDialogue();
    void ShowMap();

private:
    ProblemsView& problems_;
    MapView& map_;
    ExploreCommand& explore_;
    QAction& problemsShown_;
    QAction& mapShown_;
};

}  // namespace tw
