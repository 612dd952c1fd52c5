#pragma once

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tester/road.h"
#include "tester/state_editor.h"
#include "tester/test_display.h"
#include "tester/test_session.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tw {

class CStyleEditCtrl;
class Dialogue;
class DialogueNode;
class EnhancedListCtrl;
class PartySettings;
class PlatformServices;
class RandomSource;
class StateEditorMessages;
class StateLists;

// "Run Dialogue": one test of a dialogue. The session and its engine decide everything;
// the window shows what they tell it and forwards the user's choices.
class CTestDlg : public QDialog, public TestDisplay, public StateEditorHost {
    Q_OBJECT
public:
    // The dialogue must compile without errors. The default state file, when given, is
    // loaded into the state editor when the test starts.
    CTestDlg(Dialogue& dialogue, PartySettings& party, RandomSource& random,
             PlatformServices& services, std::optional<std::filesystem::path> defaultStateFile,
             QWidget* parent = nullptr);
    ~CTestDlg() override;

    // The start-up sequence; called once the window is shown, or by tests.
    void StartTest();
    // "Test from Selected Node": the test starts at node instead; set before it starts.
    void SetStartNode(DialogueNode* node) { startNode_ = node; }
    // Plays a road as soon as the test has started (without the state editor), its answers
    // given to the questions it raises; the writer goes on, or steps back, from there.
    void SetReplay(Road road) { replay_ = std::move(road); }
    // What the writer has given the test so far, as the input lines of `play`.
    const std::vector<std::string>& InputLines() const { return inputLines_; }
    TestSession& Session() { return *session_; }

    QListWidget* Responses() const { return responses_; }
    QListWidget* Messages() const { return messages_; }
    QLineEdit* NodeName() const { return node_; }
    QLineEdit* LastResponse() const { return lastResponse_; }
    EnhancedListCtrl* Commands() const { return commands_; }
    CStyleEditCtrl* NodeText() const { return nodeText_; }
    QLineEdit* CustomCommand() const { return customCommand_; }
    QLineEdit* TypedResponse() const { return typed_; }
    QPushButton* Button(const QString& caption) const;
    QListWidget* History() const { return history_; }

    // TestDisplay
    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override;
    void SetField(TestField field, const std::string& text) override;
    void SetNodeText(const std::string& text, bool isRich) override;
    void ClearCommands() override;
    void AddCommand(const CommandRow& row) override;
    void ClearResponses() override;
    void AddResponse(const std::string& text) override;
    void ClearMessages() override;
    void AddMessage(const std::string& text) override;
    void EnableControl(TestControl control, bool enabled) override;
    void ClearTypedResponse() override;
    // StateEditorHost
    void RunStateEditor(Environment& environment, bool loadDefaultState) override;

    // Escape and the close box ask the Quit question.
    void reject() override;
    // The ids of the nodes the run entered, in order, the one it stands in last.
    std::vector<std::int32_t> EnteredNodeIds();

signals:
    // After every step of the writer's (for the map to show the road).
    void stepped(const std::vector<std::int32_t>& enteredNodeIds);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupControls();
    void setupButtons();
    void setupLayout();
    void setupTabOrder();
    QLayout* setupRightColumn();
    QWidget* setupHistory();
    void RefreshHistory();
    void OnStepBack();
    void OnHistoryEntry(int row);
    void connectControls();
    QPushButton* AddButton(const char* caption);
    void OnSelectResponse();
    void OnEnter();
    void OnExecuteCustomCommand();
    // Runs a step of the writer's: the environment view marks what it changes.
    void Act(const std::function<void()>& step);
    QWidget* setupEnvironment();
    void ShowEnvironment();
    void OnEnvironmentEdited();
    void RecordEnvironmentChanges(const std::vector<StateRow>& before);
    void ChooseRow(int row);
    void PlayReplay();
    void OnSaveRecording();
    bool SkipsStateEditor() const;
    std::vector<StateRow> EnvironmentRows();

    PlatformServices& services_;
    std::optional<std::filesystem::path> defaultStateFile_;
    std::unique_ptr<TestSession> session_;
    bool started_ = false;
    QListWidget* responses_ = nullptr;
    QLineEdit* node_ = nullptr;
    QLineEdit* lastResponse_ = nullptr;
    EnhancedListCtrl* commands_ = nullptr;
    CStyleEditCtrl* nodeText_ = nullptr;
    QLineEdit* customCommand_ = nullptr;
    QLineEdit* typed_ = nullptr;
    QListWidget* messages_ = nullptr;
    std::vector<QPushButton*> buttons_;
    QListWidget* history_ = nullptr;
    DialogueNode* startNode_ = nullptr;
    Dialogue& dialogue_;
    RandomSource& random_;
    // The environment beside the conversation, editable as in the state editor.
    std::unique_ptr<StateEditorMessages> environmentDisplay_;
    std::unique_ptr<StateEditor> environmentEditor_;
    StateLists* environment_ = nullptr;
    std::vector<StateRow> shownRows_;  // what the view shows, before the writer edits it
    QCheckBox* skipStateEditor_ = nullptr;
    std::optional<Road> replay_;
    std::vector<MessageAnswer> pendingAnswers_;
    std::vector<std::string> inputLines_;
    std::uint32_t seed_ = 1;
    bool quitting_ = false;
};

}  // namespace tw
