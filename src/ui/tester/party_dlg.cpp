#include "ui/tester/party_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "tester/party_settings.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"

namespace tw {

namespace {
constexpr int kPlayerNameLimit = 255;

QLineEdit* DigitsEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    return edit;
}
}  // namespace

CPartyDlg::CPartyDlg(PartySettings& party, PlatformServices& services, QWidget* parent)
    : QDialog(parent), party_(party), services_(services) {
    setWindowTitle(tr("Party Members"));
    setupControls();
    setupLayout();
    ShowFields(OpenPartyDialog(party_));
    ApplySizeRule();
    connect(partySize_, &QLineEdit::textEdited, this, [this] { ApplySizeRule(); });
}

void CPartyDlg::setupControls() {
    playerName_ = new QLineEdit(this);
    playerName_->setMaxLength(kPlayerNameLimit);
    sex_ = new QComboBox(this);
    sex_->addItems({tr("Male"), tr("Female")});
    sex_->setAccessibleName(tr("Sex"));
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        companions_[row] = new QComboBox(this);
        for (std::string_view name : kPartyCompanions)
            companions_[row]->addItem(FromBytes(name));
        alive_[row] = new QCheckBox(tr("Alive?"), this);
        alive_[row]->setAccessibleName(tr("Alive? %1").arg(row + 2));
    }
    partySize_ = DigitsEdit(this);
    time_ = DigitsEdit(this);
    partySize_->installEventFilter(this);
    weather_ = new QComboBox(this);
    weather_->addItems({tr("(1) Fair"), tr("(2) Rainy"), tr("(3) Snowy")});
}

void CPartyDlg::setupLayout() {
    auto addLabel = [this](QGridLayout* grid, const QString& text, QWidget* buddy, int row) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        grid->addWidget(label, row, 0);
    };
    // The members' rows and the settings below them each align in their own grid.
    auto* members = new QGridLayout;
    addLabel(members, tr("1:"), playerName_, 0);
    members->addWidget(playerName_, 0, 1);
    members->addWidget(sex_, 0, 2);
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        const int line = static_cast<int>(row) + 1;
        addLabel(members, tr("%1:").arg(row + 2), companions_[row], line);
        members->addWidget(companions_[row], line, 1);
        members->addWidget(alive_[row], line, 2);
    }
    members->setColumnStretch(1, 1);
    auto* settings = new QGridLayout;
    addLabel(settings, tr("Number of Party Members (including Pelgrin):"), partySize_, 0);
    addLabel(settings, tr("Time (integer between 0 and 2400):"), time_, 1);
    addLabel(settings, tr("Current weather:"), weather_, 2);
    settings->addWidget(partySize_, 0, 1);
    settings->addWidget(time_, 1, 1);
    settings->addWidget(weather_, 2, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPartyDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPartyDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(members);
    layout->addSpacing(8);
    layout->addLayout(settings);
    layout->addWidget(buttons);
}

void CPartyDlg::ShowFields(const PartyDialogFields& fields) {
    playerName_->setText(FromBytes(fields.playerName));
    sex_->setCurrentIndex(fields.isFemale ? 1 : 0);
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        companions_[row]->setCurrentIndex(fields.companion[row]);
        alive_[row]->setChecked(fields.companionAlive[row]);
    }
    partySize_->setText(FromBytes(fields.partySizeText));
    time_->setText(FromBytes(fields.timeText));
    weather_->setCurrentIndex(fields.weatherIndex);
}

PartyDialogFields CPartyDlg::ReadFields() const {
    PartyDialogFields fields;
    fields.playerName = ToBytes(playerName_->text());
    fields.isFemale = sex_->currentIndex() == 1;
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        fields.companion[row] = companions_[row]->currentIndex();
        fields.companionAlive[row] = alive_[row]->isChecked();
    }
    fields.partySizeText = ToBytes(partySize_->text());
    fields.timeText = ToBytes(time_->text());
    fields.weatherIndex = weather_->currentIndex();
    return fields;
}

void CPartyDlg::ApplySizeRule() {
    const PartySizeRule rule = ApplyPartySizeRule(ToBytes(partySize_->text()));
    if (rule.replacementText)
        partySize_->setText(FromBytes(*rule.replacementText));
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        companions_[row]->setEnabled(rule.rowEnabled[row]);
        alive_[row]->setEnabled(rule.rowEnabled[row]);
    }
}

bool CPartyDlg::eventFilter(QObject* watched, QEvent* event) {
    // Selected on focus, so that typing replaces the number.
    if (watched == partySize_ && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, partySize_, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void CPartyDlg::accept() {
    if (auto error = AcceptPartyDialog(ReadFields(), party_)) {
        services_.ShowMessage(MessageKind::kError, kPartyDialogErrorCaption, *error,
                              MessageButtons::kOk);
        return;
    }
    QDialog::accept();
}

}  // namespace tw
