#pragma once

// The main window's controls and their places: the tabs, the NPC box and the buttons on top,
// the node column with the map beside the tree, the lists with their buttons, and the find
// bar and the Problems pane below.

#include <map>
#include <string>

#include "ui/dialogs/editing_dialog.h"

class QLineEdit;
class QMenuBar;
class QPushButton;
class QSplitter;
class QTabBar;
class QWidget;

namespace tw {

class DocumentManager;
class FindBar;
class FindPart;
class MapView;
class NodeEditor;
class NodeTreePart;
class PlatformServices;
class ProblemsView;

class MainWindowLayout {
public:
    // The tree and the node editor first: the menus are made between them and the rest.
    void MakeParts(QWidget& window, DocumentManager& documents, PlatformServices& services,
                   const DialogRunner& runDialog);
    // Places every control under the menu bar and starts in the tree.
    void Arrange(QMenuBar& menuBar);
    // Each document brings its own tree, so the order is set again whenever one is shown.
    void SetTabOrder();
    // The splitters' places are kept in the window's profile section.
    void RestoreSplitters(PlatformServices& services, const std::string& section);
    void SaveSplitters(PlatformServices& services, const std::string& section);

    QTabBar* tabs = nullptr;
    QLineEdit* npcName = nullptr;
    std::map<int, QPushButton*> buttons;
    NodeTreePart* trees = nullptr;
    NodeEditor* editor = nullptr;
    ProblemsView* problems = nullptr;
    MapView* map = nullptr;
    FindBar* findBar = nullptr;
    FindPart* find = nullptr;
    QSplitter* panes = nullptr;

private:
    QPushButton* MakeButton(int id, const QString& caption);
    QWidget* TopRow();
    QWidget* NodeColumn();
    QWidget* TreeAndMap();
    QWidget* ListColumn();
    QSplitter* Body();

    QWidget* window_ = nullptr;
    DocumentManager* documents_ = nullptr;
    QSplitter* halves_ = nullptr;
};

}  // namespace tw
