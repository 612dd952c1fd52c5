#include "ui/tester/state_dlg.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/in_place_edit.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"

namespace tw {

CStateDlg::CStateDlg(Environment& environment, const std::filesystem::path* defaultStateFile,
                     PlatformServices& services, QWidget* parent)
    : QDialog(parent), services_(services), editor_(environment, *this) {
    setWindowTitle(tr("Dialogue State"));
    setupLists();
    setupButtons();
    setupLayout();
    editor_.Open(defaultStateFile);
    Refill();
}

void CStateDlg::setupLists() {
    lists_[0] = MakeList(StateList::kVariables, tr("Variable"), 112);
    lists_[1] = MakeList(StateList::kFlags, tr("Flag"), 122);
}

EnhancedListCtrl* CStateDlg::MakeList(StateList which, const QString& nameColumn, int width) {
    auto* list = new EnhancedListCtrl(this);
    list->AddColumn(nameColumn, width);
    list->AddColumn(tr("Value"), 100);
    list->SetColumnEditable(0, true);
    list->SetColumnEditable(1, true);
    list->SetLabelEditing(true);  // a second click on a cell of the current row edits it
    list->SetRowDragEnabled(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->installEventFilter(this);
    list->SetEditHandler([this, which](int row, int column, QString& text, EnhancedListCtrl&) {
        text = FromBytes(editor_.EditCell(which, static_cast<std::size_t>(row),
                                          static_cast<StateColumn>(column), ToBytes(text)));
        // A new entry row appears after the edit has ended, not inside it.
        QTimer::singleShot(0, this, [this, which] { FillList(which); });
    });
    return list;
}

void CStateDlg::setupButtons() {
    const std::pair<const char*, void (CStateDlg::*)()> actions[] = {
        {"Save State to File", &CStateDlg::OnSave},
        {"Load State from File", &CStateDlg::OnLoad},
        {"Clear All", nullptr},
        {"OK", &CStateDlg::OnOk},
    };
    for (const auto& [caption, handler] : actions) {
        auto* button = new QPushButton(tr(caption), this);
        button->setAutoDefault(false);
        buttons_.push_back(button);
        if (handler)
            connect(button, &QPushButton::clicked, this, handler);
    }
    connect(buttons_[2], &QPushButton::clicked, this, [this] {
        editor_.ClearAll();
        Refill();
    });
}

void CStateDlg::setupLayout() {
    auto* grid = new QGridLayout(this);
    auto* variables = new QLabel(tr("Variables"), this);
    auto* flags = new QLabel(tr("Flags"), this);
    variables->setBuddy(lists_[0]);
    flags->setBuddy(lists_[1]);
    lists_[0]->setAccessibleName(tr("Variables"));
    lists_[1]->setAccessibleName(tr("Flags"));
    grid->addWidget(variables, 0, 0);
    grid->addWidget(flags, 0, 1);
    grid->addWidget(lists_[0], 1, 0);
    grid->addWidget(lists_[1], 1, 1);
    auto* help = new QLabel(
        tr("To add a variable or flag, click just below the last entry in the respective "
           "list.  Pressing F2 while a variable or flag is selected will allow you to edit "
           "that variable/flag's value."),
        this);
    help->setWordWrap(true);
    grid->addWidget(help, 2, 0, 1, 2);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons_)
        row->addWidget(button);
    grid->addLayout(row, 3, 0, 1, 2);
    grid->setRowStretch(1, 1);
    resize(520, 380);
}

EnhancedListCtrl* CStateDlg::List(StateList list) const {
    return lists_[static_cast<int>(list)];
}

QPushButton* CStateDlg::Button(const QString& caption) const {
    for (QPushButton* button : buttons_)
        if (button->text() == caption)
            return button;
    return nullptr;
}

void CStateDlg::Refill() {
    FillList(StateList::kVariables);
    FillList(StateList::kFlags);
}

// The current row stays current, so that a click on the next cell of a row just edited
// edits it at once.
void CStateDlg::FillList(StateList which) {
    EnhancedListCtrl* list = List(which);
    const int current = list->currentIndex().isValid() ? list->currentIndex().row() : -1;
    list->DeleteAllRows();
    const auto& rows = editor_.Rows(which);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = list->InsertRow(static_cast<int>(i), FromBytes(rows[i].name), -1);
        list->SetItemText(row, 1, FromBytes(rows[i].value));
    }
    if (current >= 0)
        list->SelectRow(std::min(current, list->RowCount() - 1));
}

bool CStateDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != lists_[0] && watched != lists_[1]))
        return QDialog::eventFilter(watched, event);
    const StateList which = watched == lists_[0] ? StateList::kVariables : StateList::kFlags;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete) {
        DeleteSelectedRows(which);
        return true;
    }
    if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
        EditCurrentRow(which);
        return true;
    }
    return StartTypingNewEntry(which, *key);
}

void CStateDlg::DeleteSelectedRows(StateList which) {
    std::vector<std::size_t> selected;
    EnhancedListCtrl* list = List(which);
    for (int row = 0; row < list->RowCount(); ++row)
        if (list->topLevelItem(row)->isSelected())
            selected.push_back(static_cast<std::size_t>(row));
    editor_.DeleteRows(which, std::move(selected));
    FillList(which);
}

// F2 edits the value, as the dialog's instructions say; on a row without a name, where
// a value could not be applied, the name.
void CStateDlg::EditCurrentRow(StateList which) {
    EnhancedListCtrl* list = List(which);
    if (!list->currentIndex().isValid())
        return;
    const int row = list->currentIndex().row();
    list->EditSubLabel(row, list->ItemText(row, 0).isEmpty() ? 0 : 1);
}

// Typing on the empty entry row starts a new entry: the name editor opens and takes the
// key, so the rest of the typing lands in it.
bool CStateDlg::StartTypingNewEntry(StateList which, QKeyEvent& key) {
    EnhancedListCtrl* list = List(which);
    const bool isText = !key.text().isEmpty() && key.text().front().isPrint() &&
                        !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!isText || !list->currentIndex().isValid() ||
        list->currentIndex().row() != static_cast<int>(editor_.EntryRow(which)))
        return false;
    CInPlaceEdit* cell = list->EditSubLabel(list->currentIndex().row(), 0);
    if (cell == nullptr)
        return false;
    QCoreApplication::sendEvent(cell, &key);
    return true;
}

void CStateDlg::OnOk() {
    if (editor_.Ok())
        accept();
    else
        Refill();
}

void CStateDlg::reject() {
    OnOk();
}

FileDialogRequest CStateDlg::StateFileRequest(const char* caption) const {
    FileDialogRequest request;
    request.caption = caption;
    request.filters = {{"Text files(*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}};
    request.defaultExtension = "txt";
    request.startDirectory = services_.GetWorkingDirectory();
    return request;
}

void CStateDlg::OnSave() {
    if (auto path = services_.ChooseFileToSave(StateFileRequest("Save State to File")))
        editor_.SaveStateToFile(std::filesystem::path(*path));
}

void CStateDlg::OnLoad() {
    if (auto path = services_.ChooseFileToOpen(StateFileRequest("Load State from File")))
        editor_.LoadStateFromFile(std::filesystem::path(*path));
    Refill();
}

MessageAnswer CStateDlg::ShowMessage(MessageKind kind, std::string_view caption,
                                     std::string_view text, MessageButtons buttons) {
    return services_.ShowMessage(kind, caption, text, buttons);
}

void CStateDlg::ShowErrors(const std::vector<std::string>& errors) {
    CErrorDlg list(errors, this);
    list.exec();
}

}  // namespace tw
