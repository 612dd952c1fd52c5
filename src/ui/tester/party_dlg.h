#pragma once

#include <QDialog>
#include <array>

#include "tester/party_dialog_rules.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tw {

class PartySettings;
class PlatformServices;

// "Party Members": edits the party settings of the next tests. The fields and their
// rules are PartyDialogFields and the functions beside it; the window only shows them.
class CPartyDlg : public QDialog {
    Q_OBJECT
public:
    CPartyDlg(PartySettings& party, PlatformServices& services, QWidget* parent = nullptr);

    QLineEdit* PlayerName() const { return playerName_; }
    QComboBox* Sex() const { return sex_; }
    QComboBox* Companion(std::size_t row) const { return companions_.at(row); }
    QCheckBox* Alive(std::size_t row) const { return alive_.at(row); }
    QLineEdit* PartySize() const { return partySize_; }
    QLineEdit* Time() const { return time_; }
    QComboBox* Weather() const { return weather_; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupControls();
    void setupLayout();
    void ShowFields(const PartyDialogFields& fields);
    PartyDialogFields ReadFields() const;
    void ApplySizeRule();

    PartySettings& party_;
    PlatformServices& services_;
    QLineEdit* playerName_;
    QComboBox* sex_;
    std::array<QComboBox*, kCompanionRows> companions_{};
    std::array<QCheckBox*, kCompanionRows> alive_{};
    QLineEdit* partySize_;
    QLineEdit* time_;
    QComboBox* weather_;
};

}  // namespace tw
