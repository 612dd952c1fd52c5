#include "ui/dialogs/comments_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

#include "ui/controls/style_edit_ctrl.h"

namespace tw {
namespace {

struct NamedColour {
    const char* name;
    int red;
    int green;
    int blue;
};

constexpr NamedColour kColours[] = {
    {"Black", 0, 0, 0}, {"Red", 255, 0, 0}, {"Green", 0, 255, 0}, {"Blue", 0, 0, 255}};

QPushButton* MakeStyleButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setCheckable(true);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CCommentsDlg::CCommentsDlg(PlatformServices& services, const std::string& comments, QWidget* parent)
    : CResizingDialog(kTemplateId, services, parent), comments_(comments) {
    setWindowTitle("Edit NPC Comments");
    SetupControls();
    SetupLayout();
    resize(560, 400);
    InitDialog();
    editor_->Init();
    editor_->SetStyledText(comments);
    colors_->setCurrentIndex(0);
    timerId_ = startTimer(kTimerMs);
}

void CCommentsDlg::SetupControls() {
    editor_ = new CStyleEditCtrl(this);
    editor_->setAccessibleName("NPC Comments");
    bold_ = MakeStyleButton("&Bold (Ctrl+B)", this);
    italic_ = MakeStyleButton("&Italic (Ctrl+L)", this);
    underline_ = MakeStyleButton("&Underline (Ctrl+U)", this);
    colors_ = new QComboBox(this);
    for (const NamedColour& colour : kColours) {
        colors_->addItem(colour.name);
    }
    connect(bold_, &QPushButton::clicked, this, [this](bool on) { editor_->SetBold(on); });
    connect(italic_, &QPushButton::clicked, this, [this](bool on) { editor_->SetItalic(on); });
    connect(underline_, &QPushButton::clicked, this,
            [this](bool on) { editor_->SetUnderline(on); });
    connect(colors_, &QComboBox::activated, this, [this](int index) {
        const NamedColour& colour = kColours[index];
        editor_->SetColor(colour.red, colour.green, colour.blue);
        editor_->setFocus();
    });
    connect(editor_, &QTextEdit::selectionChanged, this, [this] { FollowSelection(true); });
    connect(editor_, &QTextEdit::cursorPositionChanged, this, [this] { FollowSelection(true); });
}

void CCommentsDlg::SetupLayout() {
    auto* styles = new QHBoxLayout;
    styles->addWidget(bold_);
    styles->addWidget(italic_);
    styles->addWidget(underline_);
    auto* label = new QLabel("C&olor:", this);
    label->setBuddy(colors_);
    colors_->setAccessibleName("Color:");
    styles->addSpacing(12);
    styles->addWidget(label);
    styles->addWidget(colors_);
    styles->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Cancel)->setText("Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CCommentsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCommentsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editor_, 1);
    layout->addLayout(styles);
    layout->addWidget(buttons);
}

QPushButton* CCommentsDlg::StyleButton(int id) const {
    switch (id) {
        case 1074:
            return bold_;
        case 1075:
            return italic_;
        case 1076:
            return underline_;
        default:
            return nullptr;
    }
}

void CCommentsDlg::FollowSelection(bool colourToo) {
    bold_->setChecked(editor_->IsBold());
    italic_->setChecked(editor_->IsItalic());
    underline_->setChecked(editor_->IsUnderline());
    if (!colourToo) {
        return;
    }
    for (int i = 0; i < static_cast<int>(std::size(kColours)); ++i) {
        const NamedColour& colour = kColours[i];
        if (editor_->GetRed() == colour.red && editor_->GetGreen() == colour.green &&
            editor_->GetBlue() == colour.blue) {
            colors_->setCurrentIndex(i);
        }
    }
}

void CCommentsDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timerId_) {
        FollowSelection(false);
    }
    CResizingDialog::timerEvent(event);
}

void CCommentsDlg::StopTimer() {
    if (timerId_ != 0) {
        killTimer(timerId_);
        timerId_ = 0;
    }
}

void CCommentsDlg::accept() {
    StopTimer();
    comments_ = editor_->GetStyledText();
    CResizingDialog::accept();
}

void CCommentsDlg::reject() {
    StopTimer();
    CResizingDialog::reject();
}

}  // namespace tw
