#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "tester/test_display.h"
#include "tester/test_session.h"

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
};

}  // namespace tw
