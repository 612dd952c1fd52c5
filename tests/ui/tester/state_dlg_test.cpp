// "Dialogue State" through its widgets, in the walks of data/state_steps.txt: each opens the
// window, clicks and types as a writer does, and checks what the window shows and gives.

#include "ui/tester/state_dlg.h"

#include <QKeySequence>
#include <QListWidget>
#include <QTest>

#include "script/environment.h"
#include "support/view_rows.h"
#include "support/walks.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/tester/list_input.h"
#include "ui/tester/tester_ui_fixture.h"

namespace tw::test {
namespace {

class StateSteps : public TesterUiTest, public testing::WithParamInterface<Walk> {
protected:
    // The window on screen and active, so that clicks and keys reach it as a user's do.
    void Open(const QString& file) {
        dialog.reset();
        environment = std::make_unique<Environment>();
        defaultFile = DataPath(file.toStdString());
        dialog = std::make_unique<CStateDlg>(*environment, file.isEmpty() ? nullptr : &defaultFile,
                                             services);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    QWidget* Target(const QString& name) {
        if (name == "focus") {
            return QApplication::focusWidget();
        }
        if (name == "window") {
            return dialog.get();
        }
        return &List(name);
    }
    EnhancedListCtrl& List(const QString& name) { return FindList(*dialog, name); }
    std::string Value(const std::string& name) const {
        if (!environment->IsDefined(name)) {
            return "undefined";
        }
        const tw::Value value = environment->Get(name);
        return std::string(ValueTypeName(value.GetType())) + " " + value.ToString();
    }

    void Step(const QString& verb, const QString& rest, const QStringList& w) {
        if (verb == "open") {
            Open(rest);
        } else if (verb == "click") {
            ClickCell(List(w[0]), w[1].toInt(), w[2].toInt());
        } else if (verb == "commit") {
            TypeAndCommit(QString(rest).replace('_', ' '));
        } else if (verb == "edit") {
            EditCell(List(w[0]), w[1].toInt(), w[2].toInt(), rest.section(' ', 3));
        } else if (verb == "type") {
            QTest::keyClicks(QApplication::focusWidget(), rest);
        } else if (verb == "key") {
            const QKeyCombination key = QKeySequence(w[1])[0];
            QTest::keyClick(Target(w[0]), key.key(), key.keyboardModifiers());
            QApplication::processEvents();
        } else if (verb == "button") {
            QTest::mouseClick(dialog->Button(rest), Qt::LeftButton);
        } else if (verb == "answer") {
            services.QueueAnswer(rest == "ok" ? MessageAnswer::kOk : MessageAnswer::kCancel);
        } else if (verb == "file") {
            services.QueueFileChoice(rest == "none" ? std::nullopt
                                                    : std::optional(dir.File(rest.toStdString())));
        } else if (verb == "errorlist") {
            OnNextModal<CErrorDlg>([this](CErrorDlg& list) {
                listed = ColumnTexts(*list.List(), 0);
                list.accept();
            });
        } else {
            Check(verb, rest, w);
        }
    }

    void Check(const QString& verb, const QString& rest, const QStringList& w) {
        if (verb == "title") {
            EXPECT_EQ(dialog->windowTitle(), rest);
        } else if (verb == "column") {
            EXPECT_EQ(ColumnTexts(List(w[0]), w[1].toInt()).join('|'), rest.section(' ', 2));
        } else if (verb == "rows") {
            EXPECT_EQ(List(w[0]).RowCount(), w[1].toInt());
        } else if (verb == "selected") {
            EXPECT_EQ(List(w[0]).selectedItems().size(), w[1].toInt());
        } else if (verb == "editor") {
            ASSERT_NE(OpenEditor(), nullptr);
            EXPECT_EQ(OpenEditor()->text(), rest);
        } else if (verb == "noeditor") {
            EXPECT_EQ(List(w[0]).CurrentEditor(), nullptr);
        } else if (verb == "visible") {
            EXPECT_EQ(dialog->isVisible(), rest == "yes");
        } else if (verb == "accepted") {
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
        } else if (verb == "env") {
            EXPECT_EQ(Value(w[0].toStdString()), rest.section(' ', 1).toStdString());
        } else if (verb == "listed") {
            ASSERT_EQ(listed.size(), w[0].toInt());
            EXPECT_TRUE(listed[0].startsWith(rest.section(' ', 1))) << listed[0].toStdString();
        } else if (verb == "caption") {
            EXPECT_EQ(services.Messages().back().caption, rest.toStdString());
        } else if (verb == "saved") {
            const std::string text = ReadFile(dir.File(w[0].toStdString()));
            EXPECT_TRUE(text.starts_with(rest.section(' ', 1).toStdString())) << text;
        } else if (verb == "filter") {
            const FileFilter filter{rest.section('|', 0, 0).toStdString(),
                                    rest.section('|', 1).toStdString()};
            EXPECT_EQ(services.FileDialogs().back().request.filters[0], filter);
        } else if (verb == "shot") {
            SaveShot(*dialog, rest);
        } else {
            FAIL() << "unknown step";
        }
    }

    TempDir dir{"state_steps"};
    std::unique_ptr<Environment> environment;
    std::filesystem::path defaultFile;
    std::unique_ptr<CStateDlg> dialog;
    QStringList listed;
};

TEST_P(StateSteps, ShowWhatTheWriterDid) {
    for (const std::string& line : GetParam().lines) {
        SCOPED_TRACE(line);
        const QString text = QString::fromStdString(line);
        const QString rest = text.section(' ', 1);
        Step(text.section(' ', 0, 0), rest, rest.split(' ', Qt::SkipEmptyParts));
        if (HasFatalFailure()) {
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Walks, StateSteps,
                         testing::ValuesIn(ReadWalks(TW_SOURCE_DIR
                                                     "/tests/ui/tester/data/state_steps.txt")),
                         WalkTestName);

}  // namespace
}  // namespace tw::test
