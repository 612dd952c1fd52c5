// The compile window and the error list through their widgets.

#include "ui/dialogs/compile_dlg.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "model/dialogue.h"
#include "support/dialogue_builder.h"
#include "support/modal_helpers.h"
#include "support/screenshots.h"
#include "support/view_rows.h"
#include "ui/dialogs/error_dlg.h"

namespace tw::test {
namespace {

// Two bad commands in a child, one bad condition in a grandchild, nothing wrong elsewhere.
std::unique_ptr<Dialogue> ThreeErrors() {
    auto dialogue = std::make_unique<Dialogue>();
    DialogueNode& child = dialogue->AppendNode(dialogue->Root(), 1, "Child", "");
    AddScript(child, "$a = = 1");
    AddScript(child, "$b = (2");
    AddResponse(dialogue->AppendNode(child, 2, "Grand", ""), "t", {}, {}, "$x > > 1");
    dialogue->AppendNode(dialogue->Root(), 3, "Other", "");
    return dialogue;
}

TEST(CompileDlgTest, ThreeErrorsAreListedInTreeOrderThenCancel) {
    auto dialogue = ThreeErrors();
    CCompileDlg compile(*dialogue);
    QStringList rows;
    OnNextModal<CErrorDlg>([&](CErrorDlg& list) {
        EXPECT_EQ(list.windowTitle(), "Syntax Errors");
        rows = ColumnTexts(*list.List(), 0);
        SaveShot(compile, "compile_dlg_errors");
        SaveShot(list, "error_dlg");
        QTest::mouseClick(list.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(compile.exec(), QDialog::Rejected);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0].startsWith("NODE Child: Syntax Error: $a = = 1: "))
        << rows[0].toStdString();
    EXPECT_TRUE(rows[1].startsWith("NODE Child: Syntax Error: $b = (2: ")) << rows[1].toStdString();
    EXPECT_TRUE(rows[2].startsWith("NODE Grand: Response Condition: $x > > 1: "))
        << rows[2].toStdString();
    EXPECT_EQ(compile.ErrorsFound()->text(), "Errors found: 3");
}

// An empty dialogue runs to the end and accepts; neither Escape nor the close box stops it.
TEST(CompileDlgTest, EscapeAndTheCloseBoxDoNotInterrupt) {
    Dialogue dialogue;
    CCompileDlg compile(dialogue);
    EXPECT_TRUE(compile.findChildren<QPushButton*>().empty());
    compile.show();
    QTest::keyClick(&compile, Qt::Key_Escape);
    compile.close();
    EXPECT_TRUE(compile.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !compile.isVisible(); }, 60000));
    EXPECT_EQ(compile.result(), QDialog::Accepted);
    EXPECT_EQ(compile.Progress()->value(), 100);
    EXPECT_EQ(compile.ErrorsFound()->text(), "Errors found: 0");
}

TEST(CompileDlgTest, WaitsBeforeTheWalkAndPaintsAtMostThirtyTimesASecond) {
    Dialogue dialogue;
    DialogueNode* parent = &dialogue.Root();
    for (int id = 1; id <= 20000; ++id) {
        DialogueNode& node = dialogue.AppendNode(*parent, id, "N" + std::to_string(id), "");
        AddScript(node, "$v = 1");
        if (id % 50 == 0)
            parent = &node;  // several levels deep
    }
    CCompileDlg compile(dialogue);
    QElapsedTimer clock;
    clock.start();
    compile.open();
    QTest::qWait(CCompileDlg::kStartDelayMs / 2);
    if (clock.elapsed() < CCompileDlg::kStartDelayMs) {  // a busy machine may sleep past it
        EXPECT_EQ(compile.Progress()->value(), 0);       // the window shows before the work starts
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !compile.isVisible(); }, 60000));
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    EXPECT_EQ(compile.result(), QDialog::Accepted);
    EXPECT_EQ(compile.Progress()->value(), 100);
    EXPECT_LE(compile.RepaintCount(), static_cast<int>(seconds * 31) + 2);
    EXPECT_GE(compile.RepaintCount(), 1);
}

TEST(ErrorDlgTest, ShowsEveryMessageInOrderAndOkCloses) {
    const std::vector<std::string> errors{"first", "caf\xE9 second", "third"};
    CErrorDlg list(errors);
    ASSERT_EQ(list.List()->count(), 3);
    EXPECT_EQ(list.List()->item(1)->text(), QString::fromUtf8("café second"));
    list.show();
    QTest::keyClick(list.List(), Qt::Key_Return);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(list.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace tw::test
