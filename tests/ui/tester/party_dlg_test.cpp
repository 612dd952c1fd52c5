// "Party Members" through its widgets.

#include "ui/tester/party_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/tester/tester_ui_fixture.h"

namespace tw::test {
namespace {

using PartyDlgTest = TesterUiTest;

TEST_F(PartyDlgTest, OpensOnTheSettingsAndOkWritesEveryRow) {
    party.names[2] = "farrow";  // matched without regard to case
    party.names[3] = "Nobody";  // no match: the first companion
    party.alive[4] = false;
    party.gender = 2;
    party.partySize = 4;
    party.time = 1230;
    party.weather = 3;
    CPartyDlg dialog(party, services);
    EXPECT_EQ(dialog.PlayerName()->text(), "Pelgrin");
    EXPECT_EQ(dialog.Sex()->currentText(), "Female");
    EXPECT_EQ(dialog.Companion(1)->currentText(), "Farrow");
    EXPECT_EQ(dialog.Companion(2)->currentText(), "Captain Orlek");
    EXPECT_FALSE(dialog.Alive(3)->isChecked());
    EXPECT_EQ(dialog.Time()->text(), "1230");
    EXPECT_EQ(dialog.Weather()->currentText(), "(3) Snowy");
    EXPECT_TRUE(dialog.Companion(2)->isEnabled());
    EXPECT_FALSE(dialog.Companion(3)->isEnabled());
    EXPECT_FALSE(dialog.Alive(4)->isEnabled());
    // Nine labels, each naming its control: six members, the size, the time, the weather.
    int buddies = 0;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        buddies += label->buddy() != nullptr;
    }
    EXPECT_EQ(buddies, 9);
    dialog.show();
    SaveShot(dialog, "party_dlg");
    QTest::keyClicks(dialog.PlayerName(), "s");
    QTest::keyClick(dialog.Sex(), Qt::Key_Up);
    dialog.Companion(4)->setCurrentText("Rhosyn");  // disabled row, written all the same
    dialog.Alive(4)->setChecked(false);
    dialog.Time()->selectAll();
    QTest::keyClicks(dialog.Time(), "3000");
    QTest::keyClick(dialog.Weather(), Qt::Key_Up);
    QTest::keyClick(dialog.PlayerName(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(party.names[0], "Pelgrins");
    EXPECT_EQ(party.gender, 1);
    EXPECT_EQ(party.names[5], "Rhosyn");
    EXPECT_FALSE(party.alive[5]);
    EXPECT_EQ(party.time, 3000);
    EXPECT_EQ(party.weather, 2);
}

TEST_F(PartyDlgTest, SizeRuleOnEveryChangeAndDigitsOnly) {
    CPartyDlg dialog(party, services);
    dialog.show();
    QLineEdit* size = dialog.PartySize();
    size->setFocus();
    // Selected on focus, which comes once the window is active.
    EXPECT_TRUE(QTest::qWaitFor([size] { return size->selectedText() == "6"; }, 3000));
    QTest::keyClicks(size, "9");
    EXPECT_EQ(size->text(), "6");
    size->selectAll();
    QTest::keyClick(size, Qt::Key_Backspace);
    EXPECT_EQ(size->text(), "1");
    EXPECT_FALSE(dialog.Companion(0)->isEnabled());
    size->selectAll();
    QTest::keyClicks(size, "3x");
    EXPECT_EQ(size->text(), "3");
    EXPECT_TRUE(dialog.Companion(1)->isEnabled());
    EXPECT_FALSE(dialog.Companion(2)->isEnabled());
    QTest::keyClicks(dialog.Time(), "a");
    EXPECT_EQ(dialog.Time()->text(), "0");
    // An empty name is refused and nothing is written.
    dialog.PlayerName()->selectAll();
    QTest::keyClicks(dialog.PlayerName(), "   ");
    services.QueueAnswer(MessageAnswer::kOk);
    QTest::keyClick(dialog.PlayerName(), Qt::Key_Return);
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].caption, "Error");
    EXPECT_EQ(services.Messages()[0].text, "Please enter a name for the Pelgrin.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(party.partySize, 6);
}

}  // namespace
}  // namespace tw::test
