#include "ui/dialogs/response_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "model/dialogue.h"
#include "ui/controls/read_only_field.h"
#include "ui/dialogs/conditional_dlg.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

constexpr int kTextLength = 511;

}  // namespace

CResponseDlg::CResponseDlg(PlatformServices& services, NodeResponse* response,
                           ResponseContext context, QWidget* parent)
    : CEditingDialog(services, parent), response_(response), context_(std::move(context)) {
    setWindowTitle(response ? "Edit Response" : "Create Response");
    auto* grid = new QGridLayout(this);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(2, 1);
    SetupAdd(grid);
    SetupCut(grid);
    SetupCondition(grid);
    grid->addWidget(AddOkCancel(), 9, 0, 1, 4);
    setMinimumWidth(520);
    if (response) {
        Show(*response);
    } else {
        SetAddMode(true);
    }
}

void CResponseDlg::SetupAdd(QGridLayout* grid) {
    auto* add = Keep(1034, new QRadioButton("Add New Response [&ADD]", this));
    grid->addWidget(add, 0, 0, 1, 4);
    QLineEdit* tag = AddEdit(1037, kTextLength);
    SetReadOnlyField(tag, true);
    grid->addWidget(AddLabel("Response &Tag:", tag), 1, 1);
    grid->addWidget(tag, 1, 2);
    auto* autoChoose = Keep(1038, new QPushButton("A&utoChoose", this));
    autoChoose->setAutoDefault(false);
    grid->addWidget(autoChoose, 1, 3);
    QLineEdit* text = AddEdit(1036, kTextLength);
    grid->addWidget(AddLabel("Response &String:", text), 2, 1);
    grid->addWidget(text, 2, 2, 1, 2);
    QComboBox* node = AddNodeBox(1040, context_.nodeNames, kTextLength);
    grid->addWidget(AddLabel("&Go to Node:", node), 3, 1);
    grid->addWidget(node, 3, 2, 1, 2);
    connect(add, &QRadioButton::clicked, this, [this] { SetAddMode(true); });
    connect(autoChoose, &QPushButton::clicked, this,
            [this] { SetTextOf(1037, context_.dialogue->NextFreeResponseTag()); });
}

void CResponseDlg::SetupCut(QGridLayout* grid) {
    auto* cut = Keep(1035, new QRadioButton("Remove Old Response [&CUT]", this));
    grid->addWidget(cut, 4, 0, 1, 4);
    auto* box = Keep(1039, new QComboBox(this));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    QStringList rows;
    for (const std::string& row : CutBoxRows(context_.tags, *context_.dialogue)) {
        rows << FromBytes(row);
    }
    rows.sort(Qt::CaseInsensitive);
    box->addItems(rows);
    box->setCurrentIndex(-1);
    box->lineEdit()->setMaxLength(kTextLength);
    QLabel* label = AddLabel("Response Ta&g:", box);
    label->setText("Response Tag:");  // the [ADD] tag has the mnemonic; this one has its radio's
    box->setAccessibleName("Response Tag to remove");
    grid->addWidget(label, 5, 1);
    grid->addWidget(box, 5, 2, 1, 2);
    connect(cut, &QRadioButton::clicked, this, [this] { SetAddMode(false); });
}

void CResponseDlg::SetupCondition(QGridLayout* grid) {
    auto* check = Keep(1060, new QCheckBox("Only e&xecute if condition is true:", this));
    grid->addWidget(check, 6, 0, 1, 4);
    QLineEdit* shown = AddEdit(1061, kTextLength);
    SetReadOnlyField(shown, true);
    shown->setAccessibleName("Condition");
    grid->addWidget(shown, 7, 1, 1, 2);
    auto* choose = Keep(1062, new QPushButton("Ch&oose", this));
    choose->setAutoDefault(false);
    choose->setAccessibleName("Choose the condition");
    grid->addWidget(choose, 7, 3);
    connect(choose, &QPushButton::clicked, this, [this] { OnChoose(); });
}

void CResponseDlg::Show(const NodeResponse& response) {
    const ResponseFields fields = FieldsOfResponse(response);
    SetTextOf(1037, fields.tag);
    SetTextOf(1036, fields.text);
    SetTextOf(1040, fields.gotoNode);
    SetTextOf(1039, fields.cutRow);
    Control<QRadioButton>(fields.addMode ? 1035 : 1034)->setEnabled(false);
    SetAddMode(fields.addMode);
    Control<QCheckBox>(1060)->setChecked(fields.hasCondition);
    condition_ = fields.condition;
    SetTextOf(1061, fields.condition.value_or(std::string{}));
    context_.currentTag = response.GetTag();
}

void CResponseDlg::SetAddMode(bool add) {
    Control<QRadioButton>(1034)->setChecked(add);
    Control<QRadioButton>(1035)->setChecked(!add);
    Control<QComboBox>(1040)->setEnabled(add);
    SetReadOnlyField(Control<QLineEdit>(1037), !(add && IsCreateMode()));
    SetReadOnlyField(Control<QLineEdit>(1036), !add);
    Control<QPushButton>(1038)->setEnabled(add && IsCreateMode());
    Control<QComboBox>(1039)->setEnabled(!add);
}

void CResponseDlg::OnChoose() {
    CConditionalDlg dialog(Services(), condition_, this);
    if (RunChild(dialog) == QDialog::Accepted) {
        condition_ = dialog.GetExpression();
        SetTextOf(1061, *condition_);
    }
}

ResponseFields CResponseDlg::Fields() const {
    ResponseFields fields;
    fields.addMode = Control<QRadioButton>(1034)->isChecked();
    fields.tag = TextOf(1037);
    fields.text = TextOf(1036);
    fields.gotoNode = TextOf(1040);
    fields.cutRow = TextOf(1039);
    fields.hasCondition = Control<QCheckBox>(1060)->isChecked();
    fields.condition = condition_;
    return fields;
}

void CResponseDlg::OnOk() {
    const ResponseFields fields = Fields();
    if (!RunSteps(CheckResponseFields(fields, context_))) {
        return;
    }
    if (response_) {
        ApplyResponseFields(fields, context_, *response_);
    } else {
        created_ = BuildResponse(fields, context_);
    }
    accept();
}

}  // namespace tw
