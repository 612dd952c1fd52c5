// The "Map" pane in the main window, driven as a writer does: edits and undo, other
// documents, a test run, a large dialogue.

#include <QSignalSpy>
#include <QSpinBox>

#include "generator/dialogue_generator.h"
#include "model/command_kinds.h"
#include "support/modal_helpers.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/test_dlg.h"
#include "ui/views/map/map_scene.h"

namespace tw::test {
namespace {

class MapPaneTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    }
    MapView* Map() const { return Named<MapView>("map"); }
    void ShowMap() {
        if (!Action("showMap")->isChecked()) {
            Trigger("showMap");
        }
        WaitForMap();
    }
    void WaitForMap() const {
        ASSERT_TRUE(QTest::qWaitFor([this] { return Map()->IsSettled(); }, 30000));
    }
    std::size_t Index(const std::string& name) const { return Map()->Shown().Find(name); }
    // An Add Command of a goto to the target at the end of the innkeeper's Farewell.
    static void AddGotoToFarewell(EditorDocument& innkeeper, const char* target) {
        EditorDocument::Commands commands;
        commands.push_back(std::make_unique<CommandGoto>(target));
        const std::int32_t farewell = innkeeper.GetDialogue().FindNodeByName("Farewell")->GetId();
        innkeeper.AppendCommands(farewell, std::move(commands), "Add Command");
    }
    std::optional<std::size_t> LinkBetween(const std::string& from, const std::string& to) const {
        const DialogueGraph& graph = Map()->Shown();
        for (std::size_t edge : graph.OutEdges(Index(from))) {
            if (graph.Edges()[edge].to == Index(to)) {
                return edge;
            }
        }
        return std::nullopt;
    }
};

TEST_F(MapPaneTest, OnlyChangedLinksRedrawAndUndoRedrawsAgain) {
    ShowMap();
    QSignalSpy redrawn(Map(), &MapView::redrawn);
    Select(QString::fromStdString(Node("Farewell").Label()));
    NodeText()->setFocus();
    QTest::keyClicks(NodeText(), "Go ");
    WaitForMap();
    EXPECT_EQ(redrawn.count(), 0);
    EXPECT_EQ(Map()->Shown().Nodes()[Index("Farewell")].firstLine, "Go Safe roads, friend.");
    const std::size_t links = Map()->Shown().Edges().size();
    AddGotoToFarewell(CurrentDocument(), "Cellar");
    WaitForMap();
    EXPECT_EQ(redrawn.count(), 1);
    ASSERT_EQ(Map()->Shown().Edges().size(), links + 1);
    EXPECT_TRUE(Map()->Shown().Nodes().back().isGhost);
    Trigger("undo");
    WaitForMap();
    EXPECT_EQ(redrawn.count(), 2);
    EXPECT_EQ(Map()->Shown().Edges().size(), links);
}

// A link added while the graph of the edit before is on its way: that graph, which lacks the
// new link, is never drawn, and the map ends with both links.
TEST_F(MapPaneTest, ALinkAddedWhileTheMapIsBuiltIsNeverMissingFromTheDrawing) {
    ShowMap();
    int requested = 0;
    QObject::connect(Map(), &MapView::graphRequested, Map(), [&] {
        if (++requested == 1) {
            AddGotoToFarewell(CurrentDocument(), "Attic");
        }
    });
    std::vector<std::pair<bool, bool>> drawn;  // the ghosts Cellar and Attic on show
    QObject::connect(Map(), &MapView::redrawn, Map(), [&] {
        const std::size_t none = Map()->Shown().Nodes().size();
        drawn.emplace_back(Index("Cellar") != none, Index("Attic") != none);
    });
    AddGotoToFarewell(CurrentDocument(), "Cellar");
    WaitForMap();
    EXPECT_EQ(requested, 2);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0], std::pair(true, true));
}

// Away from a document and back, the map draws it as it is: a change made to it meanwhile,
// which the map did not follow, is drawn too.
TEST_F(MapPaneTest, BackOnADocumentTheMapDrawsItAsItIsNow) {
    Documents().Add(std::make_unique<EditorDocument>(GenerateDialogue({20, 2})));
    const auto clickTab = [this](int index) {
        ClickTab(index);
        WaitForMap();
    };
    ClickTab(0);
    ShowMap();
    const std::size_t links = Map()->Shown().Edges().size();
    clickTab(1);
    clickTab(0);
    EXPECT_EQ(Map()->Shown().Nodes().size(), 8u);
    EXPECT_EQ(Map()->Shown().Edges().size(), links);
    clickTab(1);
    AddGotoToFarewell(Documents().At(0), "Cellar");
    clickTab(0);
    EXPECT_EQ(Map()->Shown().Edges().size(), links + 1);
    EXPECT_TRUE(Map()->Shown().Nodes().back().isGhost);
}

TEST_F(MapPaneTest, ATestRunMarksTheNodesEnteredAndTheLinksTaken) {
    ShowMap();
    OnNextModal<CStateDlg>([](CStateDlg& state) { state.Button("OK")->click(); });
    BoxMarks welcome, room, start;
    bool welcomeToRoom = false, startToWelcome = false;
    OnNextModal<CTestDlg>(
        [&](CTestDlg& tester) {
            tester.TypedResponse()->setText("Ysolde");
            QTest::keyClick(tester.TypedResponse(), Qt::Key_Return);
            tester.Responses()->setCurrentRow(0);  // "I need a room for the night."
            tester.Button("Select Response")->click();
            WaitForMap();
            welcome = Map()->Scene().MarksOf(Index("Welcome"));
            room = Map()->Scene().MarksOf(Index("Room"));
            start = Map()->Scene().MarksOf(0);
            welcomeToRoom = Map()->Scene().IsTaken(*LinkBetween("Welcome", "Room"));
            startToWelcome = Map()->Scene().IsTaken(*LinkBetween("Initialization Node", "Welcome"));
            services.QueueAnswer(MessageAnswer::kYes);
            tester.Button("Quit")->click();
        },
        [](CTestDlg& tester) { return !tester.NodeName()->text().isEmpty(); });
    Button(control_id::kTestDialogue)->click();
    EXPECT_TRUE(start.entered && welcome.entered && room.entered);
    EXPECT_TRUE(room.current);
    EXPECT_FALSE(welcome.current);
    EXPECT_TRUE(welcomeToRoom);
    EXPECT_TRUE(startToWelcome);
    EXPECT_FALSE(Map()->Scene().IsTaken(*LinkBetween("Welcome", "Menu")));
    // The test is over: the road is gone from the map.
    EXPECT_FALSE(Map()->Scene().MarksOf(Index("Room")).entered);
}

TEST_F(MapPaneTest, ALargeDialogueShowsTheNeighbourhoodOfTheSelectedNode) {
    const std::size_t added =
        Documents().Add(std::make_unique<EditorDocument>(GenerateDialogue({1000, 3})));
    Documents().SetCurrent(added);
    ShowMap();
    auto* depth = Map()->findChild<QSpinBox*>("mapDepth");
    EXPECT_TRUE(depth->isEnabled());
    EXPECT_EQ(depth->value(), 2);
    const std::size_t atTwo = Map()->Shown().Nodes().size();
    EXPECT_LT(atTwo, 300u);
    EXPECT_EQ(Map()->Shown().Nodes()[0].id, Current().Root().GetId());
    depth->setFocus();
    QTest::keyClick(depth, Qt::Key_Up);
    WaitForMap();
    EXPECT_GT(Map()->Shown().Nodes().size(), atTwo);
    // Selecting a node at the border centres the map on it.
    const GraphNode border = Map()->Shown().Nodes().back();
    ClickBox(*Map(), border.name);
    WaitForMap();
    EXPECT_EQ(Map()->Shown().Nodes()[0].id, border.id);
}

}  // namespace
}  // namespace tw::test
