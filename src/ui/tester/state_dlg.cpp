#include "ui/tester/state_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/platform/platform_services.h"
#include "ui/tester/state_lists.h"

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
    lists_ = new StateLists(editor_, this);
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
    variables->setBuddy(List(StateList::kVariables));
    flags->setBuddy(List(StateList::kFlags));
    grid->addWidget(variables, 0, 0);
    grid->addWidget(flags, 0, 1);
    grid->addWidget(List(StateList::kVariables), 1, 0);
    grid->addWidget(List(StateList::kFlags), 1, 1);
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
    return lists_->List(list);
}

QPushButton* CStateDlg::Button(const QString& caption) const {
    for (QPushButton* button : buttons_)
        if (button->text() == caption)
            return button;
    return nullptr;
}

void CStateDlg::Refill() {
    lists_->Refill();
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
