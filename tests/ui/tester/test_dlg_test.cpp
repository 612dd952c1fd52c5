// "Run Dialogue" through its widgets, checked against the terminal player's walk.

#include <QLabel>

#include "script/environment.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/tester/list_input.h"
#include "ui/tester/tester_ui_fixture.h"

namespace tw::test {
namespace {

// What the terminal player printed after one input: the node it entered, if any, and
// whether a message box was shown.
struct PlayStep {
    QString input;
    QString node;  // empty when the input entered no node
    QString text;
    QStringList responses;
    int messages = 0;
};

void ReadNode(const QStringList& lines, qsizetype& i, PlayStep& step) {
    step.node = lines[i].mid(3, lines[i].size() - 6);
    QStringList text;
    while (++i < lines.size() && lines[i].startsWith("  "))
        text << lines[i].mid(2);
    step.text = text.join("\n");
    while (i < lines.size() && !lines[i].startsWith(">") && !lines[i].startsWith("== ")) {
        if (lines[i] == "Responses:") {
            while (++i < lines.size() && lines[i].startsWith("  "))
                step.responses << lines[i].mid(lines[i].indexOf(". ") + 2);
            continue;
        }
        ++i;
    }
}

std::vector<PlayStep> ReadPlay(const std::string& path) {
    const QStringList lines = QString::fromStdString(ReadFile(path)).split('\n');
    std::vector<PlayStep> steps(1);  // the start, before any input
    for (qsizetype i = 0; i < lines.size();) {
        const QString& line = lines[i];
        if (line.startsWith("> "))
            steps.push_back({line.mid(2), {}, {}, {}, 0});
        if (line.startsWith("== ")) {
            ReadNode(lines, i, steps.back());
            continue;
        }
        if (line.startsWith("[") && !line.startsWith("[Syntax Errors]"))
            ++steps.back().messages;
        ++i;
    }
    return steps;
}

// The control that Tab moves to from widget, as the focus chain orders them.
QWidget* NextTabStop(QWidget* widget) {
    for (QWidget* next = widget->nextInFocusChain(); next != widget;
         next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(widget->window()))
            return next;
    return nullptr;
}

TEST_F(TestDlgTest, InnkeeperWalkMatchesTheTerminalPlayer) {
    const std::vector<PlayStep> steps = ReadPlay(DataPath("innkeeper.play.expected"));
    Open();
    const auto expectShown = [this](const PlayStep& step) {
        SCOPED_TRACE(step.input.toStdString());
        EXPECT_EQ(tester->NodeName()->text(), step.node);
        // The rich text ends with its last paragraph mark.
        EXPECT_EQ(tester->NodeText()->toPlainText().trimmed(), step.text);
        EXPECT_EQ(ColumnTexts(*tester->Responses(), 0), step.responses);
    };
    expectShown(steps[0]);
    bool shot = false;
    for (std::size_t i = 1; i < steps.size(); ++i) {
        const PlayStep& step = steps[i];
        if (step.input.startsWith("#") || step.input == "show")
            continue;
        if (step.input == "quit")
            break;
        if (step.input == "set $gold = 20") {
            // The terminal's state-editor commands, done in the window.
            const std::string extra = DataPath("innkeeper.extra.state.txt");
            OnNextModal<CStateDlg>([this, extra](CStateDlg& state) {
                QApplication::setActiveWindow(&state);  // a user clicks into the window first
                EnhancedListCtrl& variables = *state.List(StateList::kVariables);
                EditCell(variables, RowNamed(variables, "$gold"), 1, "20");
                services.QueueFileChoice(extra);
                OnNextModal<CErrorDlg>([](CErrorDlg& list) {
                    EXPECT_EQ(list.List()->count(), 1);  // the line "$gold = = 2"
                    list.accept();
                });
                Press(state.Button("Load State from File"));
                Press(state.Button("OK"));
            });
            Press("View/Alter Environment State");
            continue;
        }
        if (!step.input.startsWith("say") && !step.input.startsWith("do ") &&
            step.input != "restart" && step.input.toInt() == 0)
            continue;  // the other state-editor commands
        for (int m = 0; m < step.messages; ++m)
            services.QueueAnswer(MessageAnswer::kOk);
        if (step.input.startsWith("say"))
            Reply(step.input.mid(4));
        else if (step.input.startsWith("do "))
            Command(step.input.mid(3));
        else if (step.input == "restart")
            Press("Restart Dialogue");
        else
            Choose(step.input.toInt());
        if (!step.node.isEmpty())
            expectShown(step);
        if (!shot && step.node == "Menu") {
            SaveShot(*tester, "test_dlg");
            shot = true;
        }
    }
    EXPECT_TRUE(shot);
    EXPECT_EQ(tester->NodeName()->text(), "Room");
    QTest::keyClicks(tester->LastResponse(), "x");  // shown to read, never edited
    EXPECT_EQ(tester->LastResponse()->text(), "A room again.");
}

TEST_F(TestDlgTest, TabFollowsReadingOrderAndTypedReplyMode) {
    Open();
    EXPECT_TRUE(tester->Button("Select Response")->isDefault());
    EXPECT_EQ(NextTabStop(tester->Responses()), tester->Button("Select Response"));
    EXPECT_EQ(NextTabStop(tester->Button("Select Response")), tester->History());
    EXPECT_EQ(NextTabStop(tester->CustomCommand()), tester->Button("Execute Custom Command"));
    EXPECT_EQ(NextTabStop(tester->Button("Execute Custom Command")), tester->TypedResponse());
    EXPECT_EQ(NextTabStop(tester->Messages()), tester->Button("View/Alter Environment State"));
    EXPECT_EQ(tester->Commands()->ItemText(1, 0), "REPLY");
    // Welcome awaits a typed reply: the edit and "Enter" are on, the list is not.
    EXPECT_TRUE(tester->TypedResponse()->isEnabled());
    EXPECT_FALSE(tester->Responses()->isEnabled());
    QTest::keyClicks(tester->TypedResponse(), "Ysolde");
    Press("Enter");
    EXPECT_FALSE(tester->TypedResponse()->isEnabled());
    EXPECT_TRUE(tester->TypedResponse()->text().isEmpty());
}

TEST_F(TestDlgTest, CustomCommandsRestartAndTheStateEditorKeepTheEnvironment) {
    Open();
    Press("Execute Custom Command");  // nothing typed: nothing happens
    EXPECT_TRUE(services.Messages().empty());
    Command("set kCustom = true");
    EXPECT_EQ(tester->NodeName()->text(), "Welcome");
    services.QueueAnswer(MessageAnswer::kOk);
    Command("goto Cellar");
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].caption, "Runtime Error");
    EXPECT_EQ(services.Messages()[0].text.find("Unable to continue"), std::string::npos);
    Command("goto Room");
    EXPECT_EQ(tester->NodeName()->text(), "Room");
    Press("Restart Dialogue");
    EXPECT_EQ(tester->NodeName()->text(), "WelcomeBack");  // kMetBrannoc was kept
    bool sawFlag = false;
    OnNextModal<CStateDlg>([&](CStateDlg& state) {
        sawFlag = RowNamed(*state.List(StateList::kFlags), "kCustom") >= 0;
        QApplication::setActiveWindow(&state);  // a user clicks into the window first
        EnhancedListCtrl& variables = *state.List(StateList::kVariables);
        EditCell(variables, RowNamed(variables, "$PartySize"), 1, "3");  // reaches the party
        Press(state.Button("OK"));
    });
    Press("View/Alter Environment State");
    EXPECT_TRUE(sawFlag);
    EXPECT_EQ(party.partySize, 3);
}

TEST_F(TestDlgTest, QuitAsksAndNoKeepsTheTestRunning) {
    Open();
    services.QueueAnswer(MessageAnswer::kNo);
    QTest::keyClick(tester.get(), Qt::Key_Escape);
    EXPECT_TRUE(tester->isVisible());
    EXPECT_EQ(services.Messages().back().text, "Are you sure you want to end the test?");
    EXPECT_EQ(services.Messages().back().caption, "Warning");
    services.QueueAnswer(MessageAnswer::kYes);
    Press("Quit");
    EXPECT_FALSE(tester->isVisible());
    services.QueueAnswer(MessageAnswer::kNo);
    tester->show();
    tester->close();  // the close box asks too
    EXPECT_TRUE(tester->isVisible());
}

}  // namespace
}  // namespace tw::test
