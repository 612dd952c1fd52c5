// Following links through the real widgets: Go to Node, Back and Forward, Links to This Node.

#include <QListWidget>

#include "model/command_kinds.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/views/links_dlg.h"

namespace tw::test {
namespace {

class LinksTest : public MainWindowTest {
public:
    void SetUp() override {
        MainWindowTest::SetUp();
        Dialogue& document = Current();
        DialogueNode& greeting = document.AppendNode(document.Root(), 1, "Greeting", "hello");
        DialogueNode& farewell = document.AppendNode(document.Root(), 2, "Farewell");
        document.AppendNode(farewell, 3, "Shop");
        document.SetNextNodeId(4);
        document.Root().AppendCommand(std::make_unique<CommandGoto>("greeting"));
        greeting.AppendCommand(std::make_unique<CommandVariable>("$gold", "5"));
        greeting.AppendCommand(std::make_unique<CommandYesNo>(
            CommandYesNo::Strings{"Leave", "Shop"}, CommandYesNo::Strings{"Farewell", "Shop"}));
        auto add = std::make_unique<NodeResponseAdd>("A01");
        add->SetPlayerText("Hello again");
        add->SetGotoNode("Greeting");
        farewell.AppendResponse(std::move(add));
        farewell.AppendCommand(std::make_unique<CommandManual>("if $gold > 1 then goto Shop"));
        Refresh();
    }

    QString Selected() const {
        QTreeWidgetItem* item = Tree()->currentItem();
        return item ? item->text(0) : QString();
    }
    void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(target, key, modifiers);
    }
};

TEST_F(LinksTest, GoToNodeFollowsTheSelectedCommandOrResponse) {
    Select("Greeting [hello]");
    CommandList()->setFocus();
    CommandList()->SelectRow(1);  // the branch: its first choice leads to Farewell
    Key(CommandList(), Qt::Key_F12);
    EXPECT_EQ(Selected(), "Farewell");
    ResponseList()->setFocus();
    ResponseList()->SelectRow(0);
    Key(ResponseList(), Qt::Key_F12);
    EXPECT_EQ(Selected(), "Greeting [hello]");
}

TEST_F(LinksTest, GoToNodeOnARowWithoutALinkStaysPut) {
    Select("Greeting [hello]");
    CommandList()->setFocus();
    CommandList()->SelectRow(0);  // an assignment
    Key(CommandList(), Qt::Key_F12);
    EXPECT_EQ(Selected(), "Greeting [hello]");
}

TEST_F(LinksTest, BackAndForwardWalkTheSelections) {
    Select("Greeting [hello]");
    CommandList()->setFocus();
    CommandList()->SelectRow(1);
    Key(CommandList(), Qt::Key_F12);  // Farewell
    CommandList()->setFocus();
    CommandList()->SelectRow(0);
    Key(CommandList(), Qt::Key_F12);  // the manual goto: Shop
    EXPECT_EQ(Selected(), "Shop");
    Key(Tree(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Selected(), "Farewell");
    Key(Tree(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Selected(), "Greeting [hello]");
    Key(Tree(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Selected(), "Farewell");
    // A new selection drops the road ahead.
    Select("Initialization Node");
    Key(Tree(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Selected(), "Initialization Node");
    Key(Tree(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Selected(), "Farewell");
}

TEST_F(LinksTest, LinksToThisNodeListsEveryWayInAndGoesToTheChosenOne) {
    QStringList shown;
    window->SetDialogRunner([&shown](QDialog& dialog) {
        auto& links = dynamic_cast<CLinksDlg&>(dialog);
        for (int i = 0; i < links.List()->count(); ++i) {
            shown << links.List()->item(i)->text();
        }
        links.List()->setCurrentRow(1);
        dialog.accept();
        return int{QDialog::Accepted};
    });
    Select("Greeting [hello]");
    Key(Tree(), Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_EQ(shown, (QStringList{"Initialization Node: command 1: goto",
                                  "Farewell: response 1: response \"A01\""}));
    EXPECT_EQ(Selected(), "Farewell");
    EXPECT_EQ(ResponseList()->SelectedRow(), 0);
}

TEST_F(LinksTest, LinksToANodeNothingLeadsTo) {
    Current().Root().RemoveCommand(Current().Root().Commands().front().get());
    Node("Farewell").RemoveResponse(Node("Farewell").Responses().front().get());
    int shownRows = -1;
    window->SetDialogRunner([&shownRows](QDialog& dialog) {
        shownRows = dynamic_cast<CLinksDlg&>(dialog).List()->count();
        return int{QDialog::Rejected};
    });
    Select("Greeting [hello]");
    Trigger("linksToNode");
    EXPECT_EQ(shownRows, 0);
    EXPECT_EQ(Selected(), "Greeting [hello]");
}

}  // namespace
}  // namespace tw::test
