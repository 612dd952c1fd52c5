#include "ui/tester/test_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "ui/tester/state_dlg.h"
#include "ui/controls/command_icons.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/read_only_field.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"

namespace tw {

namespace {
// The custom command edit reads at most this much, as its buffer holds.
constexpr int kCustomCommandLimit = 511;
}  // namespace

CTestDlg::CTestDlg(Dialogue& dialogue, PartySettings& party, RandomSource& random,
                   PlatformServices& services,
                   std::optional<std::filesystem::path> defaultStateFile, QWidget* parent)
    : QDialog(parent), services_(services), defaultStateFile_(std::move(defaultStateFile)) {
    setWindowTitle(tr("Run Dialogue"));
    setupControls();
    setupButtons();
    setupLayout();
    setupTabOrder();
    connectControls();
    session_ = std::make_unique<TestSession>(dialogue, party, random, *this, *this);
}

CTestDlg::~CTestDlg() = default;

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
    grid->addLayout(setupRightColumn(), 0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button("View/Alter Environment State"));
    bottom->addStretch(1);
    bottom->addWidget(Button("Restart Dialogue"));
    bottom->addWidget(Button("Quit"));
    grid->addLayout(bottom, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    resize(860, 600);
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
            [this] { session_->ViewEnvironmentState(); });
    connect(Button("Restart Dialogue"), &QPushButton::clicked, this,
            [this] { session_->RestartDialogue(); });
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
    if (startNode_ != nullptr)
        session_->StartAt(*startNode_);
    else
        session_->Start();
    RefreshHistory();
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
    session_->Engine().SelectResponse(selected ? std::optional<std::size_t>(row) : std::nullopt);
    RefreshHistory();
}

void CTestDlg::OnEnter() {
    if (!typed_->isEnabled())
        return;
    session_->Engine().EnterReply(ToBytes(typed_->text()));
    RefreshHistory();
}

void CTestDlg::OnExecuteCustomCommand() {
    session_->ExecuteCustomCommand(ToBytes(customCommand_->text()));
}

void CTestDlg::reject() {
    if (session_->QuitTest())
        QDialog::reject();
}

MessageAnswer CTestDlg::ShowMessage(MessageKind kind, std::string_view caption,
                                    std::string_view text, MessageButtons buttons) {
    return services_.ShowMessage(kind, caption, text, buttons);
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

void CTestDlg::RunStateEditor(Environment& environment, bool loadDefaultState) {
    const bool load = loadDefaultState && defaultStateFile_.has_value();
    CStateDlg editor(environment, load ? &*defaultStateFile_ : nullptr, services_, this);
    editor.exec();
}

}  // namespace tw
