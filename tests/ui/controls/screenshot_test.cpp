// A demo window holding every control with content, grabbed to PNG files under
// <build>/screenshots for a look by eye; the test checks that each picture has content.

#include <gtest/gtest.h>

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ui/controls/command_icons.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/in_place_edit.h"
#include "ui/controls/resizing_dialog.h"
#include "ui/controls/style_edit_ctrl.h"
#include "support/scripted_platform_services.h"

namespace tw {
namespace {

class DemoWindow : public CResizingDialog {
public:
    explicit DemoWindow(PlatformServices& services) : CResizingDialog(102, services) {
        setWindowTitle("Vorunda Dialogue Editor -- demo");
        resize(760, 460);
        SetupTree();
        SetupText();
        SetupLists();
        SetLayout({{tree, kLayoutGrowY},
                   {text, kLayoutGrowX | kLayoutGrowY},
                   {commands, kLayoutMoveX | kLayoutCenterY | kLayoutHalfTopOnly},
                   {responses, kLayoutMoveX | kLayoutCenterY | kLayoutMoveY}});
        InitDialog();
    }

    void SetupTree() {
        tree = new EnhancedTreeCtrl(this);
        tree->setGeometry(8, 8, 200, 444);
        tree->SetImageList(CommandIcons());
        tree->InsertItem("Initialization Node", kImageInitializationNode, kImageInitializationNode,
                         0);
        QTreeWidgetItem* greet =
            tree->InsertItem("Greeting [first meeting]", kImageNode, kImageNode, 1);
        tree->InsertItem("AskAboutMill", kImageNode, kImageNode, 2, greet);
        QTreeWidgetItem* trade = tree->InsertItem("Trade", kImageNode, kImageNode, 3, greet);
        tree->InsertItem("Haggle", kImageNode, kImageNode, 4, trade);
        tree->InsertItem("Farewell", kImageNode, kImageNode, 5);
        tree->expandAll();
        tree->setCurrentItem(trade);
    }

    void SetupText() {
        text = new CStyleEditCtrl(this);
        text->setGeometry(216, 8, 200, 444);
        text->Init();
        text->SetStyledText(
            "Welcome to the \x02"
            "Bmill\x03"
            "B, traveller.\n\x02Iwhat brings you\x03I here?\n"
            "\x04\xff\x01\x01"
            "Careful\x04\x01\x01\x01 with the \x02Ugears\x03U.");
    }

    void SetupLists() {
        commands = new EnhancedListCtrl(this);
        commands->setGeometry(424, 8, 328, 180);
        commands->SetImageList(CommandIcons());
        commands->AddColumn("Command", 85);
        commands->AddColumn("String", 260);
        const char* rows[][2] = {{"MANUAL", "$gold = $gold - 5"},
                                 {"F_SET", "set MetMiller = TRUE"},
                                 {"CASSIGN", "$price = if (Haggled) then (4) else (5)"},
                                 {"ASSIGN", "$visits = $visits + 1"},
                                 {"BRANCH", "branch \"Yes\"->Trade, \"No\"->Farewell"},
                                 {"END", "END CONVERSATION"},
                                 {"GOTO", "goto Farewell"},
                                 {"REPLY", "reply $name"}};
        for (int i = 0; i < 8; ++i) {
            commands->InsertRow(i, rows[i][0], i);
            commands->SetItemText(i, 1, rows[i][1]);
        }
        responses = new EnhancedListCtrl(this);
        responses->setGeometry(424, 196, 328, 256);
        responses->SetImageList(CommandIcons());
        for (auto [title, width] : {std::pair{"Tag", 70},
                                    {"Type", 40},
                                    {"Response", 95},
                                    {"Goto Node", 64},
                                    {"Condition", 140}}) {
            responses->AddColumn(title, width);
        }
        responses->SetColumnEditable(2, true);
        responses->SetLabelEditing(true);
        AddResponse(0, "trade", "ADD", "Show me your wares.", "Trade", "");
        AddResponse(1, "bye", "ADD", "Farewell.", "Farewell", "$visits > 1");
        AddResponse(2, "#mill", "CUT", "Tell me about the mill.", "", "");
        responses->SelectRow(1);
    }

    void AddResponse(int row, const char* tag, const char* type, const char* say, const char* node,
                     const char* condition) {
        const bool isCut = QString(type) == "CUT";
        responses->InsertRow(row, tag, isCut ? kImageCutResponse : kImageAddResponse);
        responses->SetItemText(row, 1, type);
        responses->SetItemText(row, 2, say);
        responses->SetItemText(row, 3, node);
        responses->SetItemText(row, 4, condition);
    }

    EnhancedTreeCtrl* tree;
    CStyleEditCtrl* text;
    EnhancedListCtrl* commands;
    EnhancedListCtrl* responses;
};

// Enough different colours that the picture is not blank or a single flat fill.
int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

void Save(QWidget& widget, const QString& name) {
    const QString dir = QString(TW_BINARY_DIR) + "/screenshots";
    QDir().mkpath(dir);
    const QImage image = widget.grab().toImage();
    EXPECT_GT(DistinctColours(image), 8) << name.toStdString();
    EXPECT_TRUE(image.save(dir + "/" + name + ".png")) << name.toStdString();
}

TEST(ScreenshotTest, DemoWindowWithEveryControl) {
    ScriptedPlatformServices services;
    DemoWindow window(services);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Save(window, "controls");
    window.resize(900, 560);
    Save(window, "controls_resized");
    CInPlaceEdit* editor = window.responses->EditSubLabel(1, 2);
    ASSERT_NE(editor, nullptr);
    Save(*window.responses, "response_list_editing");
    editor->Finish();

    QWidget* viewport = window.tree->viewport();
    QTreeWidgetItem* farewell = window.tree->topLevelItem(2);
    const QPoint start =
        window.tree->visualItemRect(window.tree->topLevelItem(1)->child(0)).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, start + QPoint(12, 0));
    QTest::mouseMove(viewport, window.tree->visualItemRect(farewell).center());
    Save(*window.tree, "tree_drop_highlight");
    QTest::mouseRelease(viewport, Qt::LeftButton, {},
                        window.tree->visualItemRect(farewell).center());
    Save(*window.tree, "tree_after_drop");
}

}  // namespace
}  // namespace tw
