#include "ui/main_window/view_commands.h"

#include <QAction>

#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/explore_command.h"
#include "ui/views/map/map_view.h"
#include "ui/views/node_editor.h"
#include "ui/views/node_tree_part.h"
#include "ui/views/problems_pane.h"
#include "ui/views/problems_view.h"

namespace tw {

ViewCommands::ViewCommands(ProblemsView& problems, MapView& map, ExploreCommand& explore,
                           QAction& problemsShown, QAction& mapShown, QObject& window)
    : QObject(&window),
      problems_(problems),
      map_(map),
      explore_(explore),
      problemsShown_(problemsShown),
      mapShown_(mapShown) {}

void ViewCommands::ConnectMap(NodeEditor& editor, NodeTreePart& trees) {
    // A hidden map is marked again when it is shown or exported.
    connect(&problems_, &ProblemsView::checked, &map_, [this] {
        if (map_.isVisible()) {
            map_.ShowProblems();
        }
    });
    connect(&map_, &MapView::nodeActivated, this, [&editor] { editor.Text().setFocus(); });
    connect(&map_, &MapView::leaveRequested, this, [&trees] { trees.setFocus(); });
}

void ViewCommands::ShowProblems() {
    problems_.setVisible(problemsShown_.isChecked());
}

void ViewCommands::CheckDialogue() {
    problemsShown_.setChecked(true);
    problems_.CheckNow();
}

void ViewCommands::ExploreDialogue() {
    problemsShown_.setChecked(true);
    explore_.Explore();
}

void ViewCommands::ShowMap() {
    map_.setVisible(mapShown_.isChecked());
    if (mapShown_.isChecked()) {
        map_.ShowProblems();
    }
}

}  // namespace tw
