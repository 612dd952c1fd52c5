// Dialogue text that looks like markup is shown as written: in the questions the window asks,
// in the tooltips of the lists and in the labels of its dialogs.

#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>
#include <QToolTip>

#include "main_window_fixture.h"
#include "support/dialogue_builder.h"
#include "support/modal_helpers.h"
#include "ui/platform/qt_platform_services.h"

namespace tw::test {
namespace {

const QString kName = "<b>bold</b>";
const QString kText = "<img src=\"picture.png\"> & <font color=red>red</font>";

// What Qt shows for a text: markup when it takes the text for markup, else the text itself.
QString Shown(const QString& text) {
    QTextDocument document;
    document.setHtml(text);
    return Qt::mightBeRichText(text) ? document.toPlainText() : text;
}

// The main window on Qt's own message boxes, so that the boxes it shows are real ones.
class PlainTextTest : public testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<CTalkwrightDlg>(services);
        services.SetDialogParent(window.get());
        window->SetDialogRunner([this](QDialog& dialog) { return RunQueuedStep(steps, dialog); });
        Dialogue& document = window->Documents().Current().GetDialogue();
        DialogueNode& node = document.AppendNode(document.Root(), 1, kName.toStdString());
        AddGoto(node, "<i>gone</i>");
        AddResponse(node, "A01", kText.toStdString(), {});
        window->Documents().Current().ReportTreeChanged();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTreeWidgetItem* item = Tree()->topLevelItem(Tree()->topLevelItemCount() - 1);
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {},
                          Tree()->visualItemRect(item).center());
        ASSERT_EQ(item->text(0), kName);
    }
    void TearDown() override { window->Documents().Current().GetDialogue().SetModified(false); }

    QTreeWidget* Tree() const { return CurrentTree(*window); }

    // The tooltip the list shows while the pointer rests on that cell.
    static QString HoverTip(QAbstractItemView* list, int row, int column) {
        const QRect cell = list->visualRect(list->model()->index(row, column));
        QTest::mouseMove(list->viewport(), cell.center() + QPoint(0, 1));
        QTest::mouseMove(list->viewport(), cell.center());
        const QString tip = QTest::qWaitFor([] { return QToolTip::isVisible(); }, 3000)
                                ? QToolTip::text()
                                : "(no tooltip)";
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));
        return tip;
    }

    // Opens the node menu from the keyboard and clicks the item with that caption.
    void ChooseFromNodeMenu(const QString& caption) {
        ChooseFromNextPopup(caption);
        Tree()->setFocus();
        QTest::keyClick(Tree(), Qt::Key_Menu);
    }

    TempDir profile{"plain_text_profile"};
    QtPlatformServices services{nullptr, QString::fromStdString(profile.File("profile.ini"))};
    std::unique_ptr<CTalkwrightDlg> window;
    std::deque<DialogStep> steps;
};

TEST_F(PlainTextTest, QuestionsAndCaptionsQuoteTheNodeNameAsWritten) {
    bool asked = false;
    OnNextModal<QMessageBox>([&asked](QMessageBox& box) {
        asked = true;
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.text(), "Are you sure you want to clear node " + kName + "?");
        QTest::mouseClick(box.button(QMessageBox::No), Qt::LeftButton);
    });
    ChooseFromNodeMenu("&Clear Node");
    EXPECT_TRUE(asked);

    steps.push_back([](QDialog& dialog) {
        const QLabel* caption = dialog.findChild<QLabel*>();
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->textFormat(), Qt::PlainText);
        EXPECT_EQ(caption->text(), "Nothing leads to " + kName + ".");
    });
    ChooseFromNodeMenu("&Links to This Node");
    EXPECT_TRUE(steps.empty());
}

TEST_F(PlainTextTest, TooltipsShowTheTextAsWritten) {
    const int responseColumn = 2;
    EXPECT_EQ(Shown(HoverTip(ResponseList(*window), 0, responseColumn)), kText);
    QTest::keyClick(window.get(), Qt::Key_F7);  // Check Dialogue
    auto* problems = window->findChild<QTableView*>("problemsList");
    ASSERT_GE(RowCount(*problems), 1);
    const QString finding = RowText(*problems, 0, 2);
    ASSERT_TRUE(finding.contains("<i>gone</i>")) << finding.toStdString();
    EXPECT_EQ(Shown(HoverTip(problems, 0, 2)), finding);
}

}  // namespace
}  // namespace tw::test
