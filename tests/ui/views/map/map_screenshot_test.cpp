// Screenshots of the map, to be looked at: a small dialogue whole, with a broken link, an
// unreachable node, problems and a test's road; and a neighbourhood in a 100,000-node one.
// Both check that no box lies on another.

#include <gtest/gtest.h>

#include <QTest>

#include "generator/dialogue_generator.h"
#include "model/check/dialogue_check.h"
#include "model/command_kinds.h"
#include "support/app_test_support.h"
#include "support/screenshots.h"
#include "ui/document/editor_document.h"
#include "ui/views/document_problems.h"
#include "ui/views/map/map_canvas.h"
#include "ui/views/map/map_scene.h"
#include "ui/views/map/map_view.h"
#include "ui/views/problems_model.h"

namespace tw::test {
namespace {

class MapScreenshotTest : public testing::Test {
protected:
    void Show(std::unique_ptr<Dialogue> dialogue) {
        document = std::make_unique<EditorDocument>(std::move(dialogue));
        view.SetDocument(document.get());
        view.resize(1000, 720);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void Settle() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return view.IsSettled(); }, 120000));
    }
    void ExpectNoOverlaps() {
        const std::size_t count = view.Shown().Nodes().size();
        for (std::size_t a = 0; a < count; ++a) {
            for (std::size_t b = a + 1; b < count; ++b) {
                EXPECT_FALSE(view.Scene().BoxRect(a).intersects(view.Scene().BoxRect(b)))
                    << a << " and " << b;
            }
        }
    }

    std::unique_ptr<EditorDocument> document;
    MapView view;
};

TEST_F(MapScreenshotTest, InnkeeperWhole) {
    auto dialogue = std::make_unique<Dialogue>();
    ASSERT_FALSE(dialogue->Load(SamplePath("innkeeper.vrx")).has_value());
    Show(std::move(dialogue));
    Dialogue& inn = document->GetDialogue();
    document->AddNode(inn.Root().GetId(), "Storeroom", "nobody comes here");
    EditorDocument::Commands commands;
    commands.push_back(std::make_unique<CommandGoto>("Cellar"));
    document->AppendCommands(inn.FindNodeByName("Farewell")->GetId(), std::move(commands), "Add");
    document->SetCurrentNode(inn.FindNodeByName("Menu")->GetId());
    DocumentProblems::Of(*document).Model().SetFindings(CheckDialogue(inn));
    view.ShowProblems();
    view.SetTestPath({inn.Root().GetId(), inn.FindNodeByName("Welcome")->GetId(),
                      inn.FindNodeByName("Room")->GetId()});
    Settle();
    EXPECT_EQ(view.Shown().Nodes().size(), 10u);  // eight, the new one and the ghost
    ExpectNoOverlaps();
    view.Canvas().setFocus();
    QTest::keyClick(&view.Canvas(), Qt::Key_0, Qt::ControlModifier);  // all of it in view
    SaveShot(view, "map_innkeeper");
}

TEST_F(MapScreenshotTest, NeighbourhoodIn100000Nodes) {
    Show(GenerateDialogue({100000, 1}));
    Settle();
    DialogueNode* middle = document->GetDialogue().FindNodeById(50000);
    ASSERT_NE(middle, nullptr);
    document->SetCurrentNode(middle->GetId());
    Settle();
    ASSERT_EQ(view.Shown().Nodes()[0].id, middle->GetId());
    bool hasStub = false;
    for (const GraphNode& node : view.Shown().Nodes()) {
        hasStub |= node.moreIn > 0 || node.moreOut > 0;
    }
    EXPECT_TRUE(hasStub);
    ExpectNoOverlaps();
    SaveShot(view, "map_neighbourhood_100000");
}

}  // namespace
}  // namespace tw::test
