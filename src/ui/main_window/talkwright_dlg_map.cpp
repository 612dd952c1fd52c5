// The conversation map in the window: its pane beside the tree, its wiring to the other
// parts, and File > Export Map.

#include <QSplitter>

#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/platform_services.h"
#include "ui/views/map/map_view.h"
#include "ui/views/node_editor.h"
#include "ui/views/node_tree_part.h"
#include "ui/views/problems_pane.h"
#include "ui/views/problems_view.h"

namespace tw {
namespace {

constexpr int kMapWidth = 360;

}  // namespace

// The map opens hidden; View > Map shows it beside the tree.
QWidget* CTalkwrightDlg::SetupTreeAndMap() {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("treeMapSplitter");
    splitter->setChildrenCollapsible(false);
    map_ = new MapView(splitter);
    map_->setObjectName("map");
    map_->hide();
    splitter->addWidget(trees_);
    splitter->addWidget(map_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kMapWidth, kMapWidth});
    return splitter;
}

// Double-click or Enter on a box opens the node for editing: its text takes the keys.
void CTalkwrightDlg::ConnectMap() {
    // A hidden map is told the findings when it is shown or exported: marking 50,000 of them
    // after every check would cost the window's thread for nothing.
    connect(problems_, &ProblemsView::checked, map_, [this](const std::vector<Finding>& found) {
        if (map_->isVisible()) {
            map_->ShowFindings(found);
        }
    });
    connect(map_, &MapView::nodeActivated, this, [this] { editor_->Text().setFocus(); });
    connect(map_, &MapView::leaveRequested, this, [this] { trees_->setFocus(); });
}

void CTalkwrightDlg::OnExportMap() {
    FileDialogRequest request;
    request.caption = "Export Map";
    request.filters = {{"SVG Drawing (*.svg)", "*.svg"}, {"PNG Picture (*.png)", "*.png"}};
    request.defaultExtension = "svg";
    request.startDirectory = Services().GetWorkingDirectory();
    request.promptOverwrite = true;
    const std::optional<std::string> path = Services().ChooseFileToSave(request);
    if (!path) {
        return;
    }
    if (!map_->isVisible()) {
        map_->ShowFindings(problems_->Pane().Shown());
    }
    if (std::optional<std::string> failure = map_->Export(*path)) {
        Services().ShowMessage(MessageKind::kError, "Error", *failure, MessageButtons::kOk);
    }
}

}  // namespace tw
