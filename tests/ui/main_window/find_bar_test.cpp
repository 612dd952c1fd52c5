// A large dialogue searched by the find bar in slices between events.

#include "ui/views/find_bar.h"

#include <QLineEdit>
#include <filesystem>

#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

// A large dialogue is searched in slices between events; nodes deleted meanwhile start the
// search again on what is left.
TEST_F(MainWindowTest, LargeDialoguesAreSearchedInSlicesAndDeletionsStartAgain) {
    Dialogue large;
    for (int i = 1; i <= 9000; ++i)
        large.AppendNode(large.Root(), i, "n" + std::to_string(i) + " gold");
    large.SetNextNodeId(9001);
    const fs::path path = fs::path(TW_BINARY_DIR) / "find_bar_test" / "large.vrx";
    fs::create_directories(path.parent_path());
    ASSERT_EQ(large.SaveAs(path.string()), std::nullopt);
    ASSERT_TRUE(window->OpenDialogueFile(path.string()));
    Trigger("find");
    Find()->Pattern()->setText("gold");
    const QTableView& results = *Find()->Results();
    EXPECT_GT(RowCount(results), 0);
    ASSERT_LT(RowCount(results), 9000);  // the last node is not searched yet
    Select("n9000 gold");
    services.QueueAnswer(MessageAnswer::kYes);
    Trigger("deleteBranch");
    EXPECT_TRUE(QTest::qWaitFor([&results] { return RowCount(results) >= 8999; }, 10000));
    QTest::qWait(20);
    ASSERT_EQ(RowCount(results), 8999);
    for (int row = 0; row < 8999; ++row)
        ASSERT_NE(RowText(results, row, 0), "n9000 gold");
}

}  // namespace
}  // namespace tw::test
