#include "ui/tester/test_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "tester/random_source.h"
#include "ui/controls/command_icons.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/read_only_field.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/state_editor_messages.h"
#include "ui/tester/state_lists.h"

namespace tw {

namespace {
// The custom command edit reads at most this much, as its buffer holds.
constexpr int kCustomCommandLimit = 511;
}  // namespace

CTestDlg::CTestDlg(Dialogue& dialogue, PartySettings& party, RandomSource& random,
                   PlatformServices& services,
                   std::optional<std::filesystem::path> defaultStateFile, QWidget* parent)
    : QDialog(parent),
      services_(services),
      defaultStateFile_(std::move(defaultStateFile)),
      dialogue_(dialogue),
      random_(random) {
    setWindowTitle(tr("Run Dialogue"));
    session_ = std::make_unique<TestSession>(dialogue, party, random, *this, *this);
    setupControls();
    setupButtons();
    setupLayout();
    setupTabOrder();
    connectControls();
}

void CTestDlg::setupControls() {
    responses_ = new QListWidget(this);
    responses_->setAccessibleName(tr("Responses"));
    node_ = new QLineEdit(this);
    lastResponse_ = new QLineEdit(this);
    SetReadOnlyField(node_, true);
    SetReadOnlyField(lastResponse_, true);
    commands_ = new EnhancedListCtrl(this);
    commands_->setAccessibleName(tr("Commands"));
    commands_->SetImageList(CommandIcons());
    commands_->SetRowDragEnabled(false);
    commands_->AddColumn(tr("Command"), 85);
    commands_->AddColumn(tr("String"), 240);
    nodeText_ = new CStyleEditCtrl(this);
    nodeText_->setAccessibleName(tr("Node text"));
    nodeText_->Init();
    nodeText_->setReadOnly(true);
    ShowAsReadOnly(nodeText_, true);
    customCommand_ = new QLineEdit(this);
    customCommand_->setAccessibleName(tr("Custom command"));
    customCommand_->setMaxLength(kCustomCommandLimit);
    typed_ = new QLineEdit(this);
    messages_ = new QListWidget(this);
    messages_->setAccessibleName(tr("Messages"));
    // Enter in these edits presses their own button, not the default one.
    customCommand_->installEventFilter(this);
    typed_->installEventFilter(this);
}

QPushButton* CTestDlg::AddButton(const char* caption) {
    auto* button = new QPushButton(tr(caption), this);
    button->setAutoDefault(false);
    buttons_.push_back(button);
    return button;
}

void CTestDlg::setupButtons() {
    AddButton("Select Response")->setDefault(true);
    AddButton("Execute Custom Command");
    AddButton("Enter");
    AddButton("View/Alter Environment State");
    AddButton("Restart Dialogue");
    AddButton("Quit");
    AddButton("Step Back")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    AddButton("Save Recording...");
}

QPushButton* CTestDlg::Button(const QString& caption) const {
    for (QPushButton* button : buttons_)
        if (button->text() == caption)
            return button;
    return nullptr;
}

static QLabel* Buddy(const QString& text, QWidget* control, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    return label;
}

void CTestDlg::setupLayout() {
    auto* group = new QGroupBox(tr("Responses"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(responses_, 1);
    groupLayout->addWidget(Button("Select Response"), 0, Qt::AlignLeft);
    auto* grid = new QGridLayout(this);
    grid->addWidget(group, 0, 0);
    grid->addWidget(setupHistory(), 1, 0);
    grid->addLayout(setupRightColumn(), 0, 1, 2, 1);
    grid->addWidget(setupEnvironment(), 0, 2, 2, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button("View/Alter Environment State"));
    bottom->addWidget(skipStateEditor_);
    bottom->addStretch(1);
    bottom->addWidget(Button("Save Recording..."));
    bottom->addWidget(Button("Restart Dialogue"));
    bottom->addWidget(Button("Quit"));
    grid->addLayout(bottom, 2, 0, 1, 3);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(1, 1);
    resize(1180, 640);
}

QLayout* CTestDlg::setupRightColumn() {
    auto* column = new QGridLayout;
    column->addWidget(Buddy(tr("Node:"), node_, this), 0, 0);
    column->addWidget(node_, 0, 1);
    column->addWidget(Buddy(tr("Last Response:"), lastResponse_, this), 1, 0);
    column->addWidget(lastResponse_, 1, 1);
    column->addWidget(commands_, 2, 0, 1, 2);
    column->addWidget(nodeText_, 3, 0, 1, 2);
    auto* custom = new QHBoxLayout;
    custom->addWidget(customCommand_, 1);
    custom->addWidget(Button("Execute Custom Command"));
    column->addLayout(custom, 4, 0, 1, 2);
    column->addWidget(Buddy(tr("Typed Response:"), typed_, this), 5, 0);
    auto* typed = new QHBoxLayout;
    typed->addWidget(typed_, 1);
    typed->addWidget(Button("Enter"));
    column->addLayout(typed, 5, 1);
    column->addWidget(messages_, 6, 0, 1, 2);
    column->setRowStretch(2, 1);
    column->setRowStretch(3, 2);
    column->setRowStretch(6, 1);
    return column;
}

// Reading order: the Responses column, then the right column top to bottom, then the
// buttons along the bottom.
void CTestDlg::setupTabOrder() {
    QWidget* const order[] = {responses_,
                              Button("Select Response"),
                              history_,
                              Button("Step Back"),
                              node_,
                              lastResponse_,
                              commands_,
                              nodeText_,
                              customCommand_,
                              Button("Execute Custom Command"),
                              typed_,
                              Button("Enter"),
                              messages_,
                              Button("View/Alter Environment State"),
                              skipStateEditor_,
                              Button("Save Recording..."),
                              Button("Restart Dialogue"),
                              Button("Quit")};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CTestDlg::connectControls() {
    connect(Button("Select Response"), &QPushButton::clicked, this, [this] { OnSelectResponse(); });
    connect(responses_, &QListWidget::itemDoubleClicked, this, [this] { OnSelectResponse(); });
    connect(Button("Enter"), &QPushButton::clicked, this, [this] { OnEnter(); });
    connect(Button("Execute Custom Command"), &QPushButton::clicked, this,
            [this] { OnExecuteCustomCommand(); });
    connect(Button("View/Alter Environment State"), &QPushButton::clicked, this,
            [this] { Act([this] { session_->ViewEnvironmentState(); }); });
    connect(Button("Restart Dialogue"), &QPushButton::clicked, this, [this] {
        inputLines_.push_back("restart");
        Act([this] { session_->RestartDialogue(); });
    });
    connect(Button("Save Recording..."), &QPushButton::clicked, this,
            [this] { OnSaveRecording(); });
    // Number keys choose the offered responses, unless a text box takes them.
    for (int key = Qt::Key_1; key <= Qt::Key_9; ++key) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, key] { ChooseRow(key - Qt::Key_1); });
    }
    connect(Button("Quit"), &QPushButton::clicked, this, [this] { reject(); });
    connect(Button("Step Back"), &QPushButton::clicked, this, [this] { OnStepBack(); });
    connect(history_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OnHistoryEntry(history_->row(item)); });
}

void CTestDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_)
        QTimer::singleShot(0, this, [this] { StartTest(); });
}

void CTestDlg::StartTest() {
    if (started_)
        return;
    started_ = true;
    seed_ = random_.State();
    if (replay_)
        pendingAnswers_ = replay_->startAnswers;
    Act([this] {
        if (startNode_ != nullptr)
            session_->StartAt(*startNode_);
        else
            session_->Start();
    });
    PlayReplay();
}

bool CTestDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == typed_)
                Button("Enter")->click();
            else if (watched == customCommand_)
                Button("Execute Custom Command")->click();
            else if (watched == history_)
                OnHistoryEntry(history_->currentRow());
            else
                return QDialog::eventFilter(watched, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CTestDlg::OnSelectResponse() {
    const int row = responses_->currentRow();
    const bool selected = row >= 0 && responses_->currentItem()->isSelected();
    if (!selected)
        return;
    inputLines_.push_back(std::to_string(row + 1));
    Act([this, row] { session_->Engine().SelectResponse(static_cast<std::size_t>(row)); });
}

void CTestDlg::ChooseRow(int row) {
    if (!responses_->isEnabled() || row >= responses_->count())
        return;
    responses_->setCurrentRow(row);
    OnSelectResponse();
}

void CTestDlg::OnEnter() {
    if (!typed_->isEnabled())
        return;
    const std::string typed = ToBytes(typed_->text());
    inputLines_.push_back(typed.empty() ? "say" : "say " + typed);
    Act([this, &typed] { session_->Engine().EnterReply(typed); });
}

void CTestDlg::OnExecuteCustomCommand() {
    const std::string command = ToBytes(customCommand_->text());
    inputLines_.push_back("do " + command);
    Act([this, &command] { session_->ExecuteCustomCommand(command); });
}

void CTestDlg::reject() {
    quitting_ = true;
    if (session_->QuitTest())
        QDialog::reject();
    quitting_ = false;
}

// A question the road being replayed answers is not asked; any other answer is kept for the
// recording.
MessageAnswer CTestDlg::ShowMessage(MessageKind kind, std::string_view caption,
                                    std::string_view text, MessageButtons buttons) {
    const bool question = buttons != MessageButtons::kOk;
    if (question && !pendingAnswers_.empty()) {
        const MessageAnswer answer = pendingAnswers_.front();
        pendingAnswers_.erase(pendingAnswers_.begin());
        return answer;
    }
    const MessageAnswer answer = services_.ShowMessage(kind, caption, text, buttons);
    if (question && !quitting_)
        inputLines_.push_back(AnswerLine(answer));
    return answer;
}

void CTestDlg::SetField(TestField field, const std::string& text) {
    (field == TestField::kNode ? node_ : lastResponse_)->setText(FromBytes(text));
}

void CTestDlg::SetNodeText(const std::string& text, bool isRich) {
    if (isRich)
        nodeText_->SetRTF(text);
    else
        nodeText_->setPlainText(FromBytes(text));
}

void CTestDlg::ClearCommands() {
    commands_->DeleteAllRows();
}

void CTestDlg::AddCommand(const CommandRow& row) {
    const int index = commands_->InsertRow(commands_->RowCount(), FromBytes(row.command), row.icon);
    commands_->SetItemText(index, 1, FromBytes(row.text));
}

void CTestDlg::ClearResponses() {
    responses_->clear();
}
void CTestDlg::AddResponse(const std::string& text) {
    responses_->addItem(FromBytes(text));
}
void CTestDlg::ClearMessages() {
    messages_->clear();
}
void CTestDlg::AddMessage(const std::string& text) {
    messages_->addItem(FromBytes(text));
}
void CTestDlg::ClearTypedResponse() {
    typed_->clear();
}

void CTestDlg::EnableControl(TestControl control, bool enabled) {
    switch (control) {
        case TestControl::kResponses:
            return responses_->setEnabled(enabled);
        case TestControl::kSelectResponse:
            return Button("Select Response")->setEnabled(enabled);
        case TestControl::kTypedResponse:
            return typed_->setEnabled(enabled);
        case TestControl::kEnter:
            return Button("Enter")->setEnabled(enabled);
    }
}

}  // namespace tw
