#include "ui/controls/style_edit_ctrl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <fstream>
#include <sstream>

#include "model/text/rtf_to_text.h"
#include "model/text/styled_text.h"
#include "support/line_cases.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

class StyleEditCtrlTest : public testing::Test {
protected:
    void SetUp() override {
        box.Init();
        box.resize(300, 120);
        box.SetChangeHandler([this] { ++changes; });
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    }

    void Select(int from, int to) {
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
    }

    CStyleEditCtrl box;
    int changes = 0;
};

TEST_F(StyleEditCtrlTest, StyledTextOfTheTableThroughTheBox) {
    std::ifstream table(TW_SOURCE_DIR "/tests/ui/controls/data/styled_text.txt");
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.starts_with("#"))
            continue;
        std::istringstream fields(line);
        std::string markup, plain, back;
        std::getline(fields, markup, '\t');
        std::getline(fields, plain, '\t');
        std::getline(fields, back);
        box.SetStyledText(test::Unescaped(markup));
        EXPECT_EQ(ToBytes(box.toPlainText()), test::Unescaped(plain)) << line;
        EXPECT_EQ(box.GetStyledText(), test::Unescaped(back == "=" ? markup : back)) << line;
        EXPECT_EQ(box.textCursor().position(), 0);
        ++cases;
    }
    EXPECT_GT(cases, 10);
    // Text bytes the markup reserves cannot be stored and are left out.
    RichText rich;
    AppendText(rich, {},
               std::string("a\x02"
                           "b\0c",
                           5));
    EXPECT_EQ(EncodeStyledText(rich), "abc");
    // After Init new typing is plain black, whatever the text held before.
    box.SetStyledText(
        "\x02"
        "B\x04\xff\x01\x01red");
    box.clear();
    box.Init();
    QTest::keyClicks(&box, "new");
    EXPECT_EQ(box.GetStyledText(), "new");
}

TEST_F(StyleEditCtrlTest, AColourComponentOfOneComesBackAsZero) {
    box.setPlainText("hue");
    Select(0, 3);
    box.SetColor(1, 200, 1);
    EXPECT_EQ(box.GetRed(), 1);
    const std::string markup = box.GetStyledText();
    EXPECT_EQ(markup, "\x04\x01\xc8\x01hue");
    box.SetStyledText(markup);
    Select(0, 3);
    EXPECT_EQ(box.GetRed(), 0);
    EXPECT_EQ(box.GetGreen(), 200);
    EXPECT_EQ(box.GetBlue(), 0);
    EXPECT_EQ(box.GetColorRef(), 200u << 8);
}

TEST_F(StyleEditCtrlTest, RtfRoundTripAndPlainTextConversion) {
    box.SetStyledText(
        "One \x02"
        "Bbold\x03"
        "B and \x04\x01\x01\xff"
        "blue \\{x}\nTwo: \xe9t\xe9");
    const std::string rtf = box.GetRTF();
    EXPECT_EQ(RtfToText(rtf), "One bold and blue \\{x}\nTwo: \xe9t\xe9");
    CStyleEditCtrl other;
    other.SetRTF(rtf);
    EXPECT_EQ(other.GetStyledText(), box.GetStyledText());
    EXPECT_EQ(other.GetRTF(), rtf);
}

TEST_F(StyleEditCtrlTest, ControlKeysToggleStylesOfTheSelection) {
    box.setPlainText("word word");
    Select(0, 4);
    QTest::keyClick(&box, Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(box.IsBold());
    QTest::keyClick(&box, Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(box.IsUnderline());
    QTest::keyClick(&box, Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(box.IsItalic());
    QTest::keyClick(&box, Qt::Key_B, Qt::ControlModifier);
    EXPECT_FALSE(box.IsBold());
    Select(2, 7);  // half underlined: not underlined as a whole, so Ctrl+U underlines it all
    EXPECT_FALSE(box.IsUnderline());
    QTest::keyClick(&box, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(box.GetStyledText(), "\x02I\x02Uword\x03I wo\x03Urd");
    EXPECT_GT(changes, 0);
}

TEST_F(StyleEditCtrlTest, PasteTakesOnlyThePlainText) {
    box.SetStyledText(
        "\x02"
        "Bab");
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(1);
    box.setTextCursor(cursor);
    auto* data = new QMimeData;
    data->setHtml("<i style='color:#00ff00'>X\xe2\x80\x94Y</i>");
    data->setText(QString::fromUtf8("X\u2014Y\u0416"));
    QApplication::clipboard()->setMimeData(data);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    // Formatted as the text around it; a character outside the code page becomes '?'.
    EXPECT_EQ(box.GetStyledText(),
              "\x02"
              "BaX\x97Y?b");
    QApplication::clipboard()->setMimeData(new QMimeData);  // nothing to paste
    box.PastePlainText();
    EXPECT_EQ(box.toPlainText(), QString::fromUtf8("aX—Y?b"));
}

TEST_F(StyleEditCtrlTest, FocusLostAndRightButtonCallbacks) {
    int focusLost = 0;
    int rightButton = 0;
    box.SetFocusLostHandler([&focusLost] { ++focusLost; });
    box.SetRightButtonHandler([&rightButton] { ++rightButton; });
    QTest::mouseClick(box.viewport(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(rightButton, 1);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&box, &out);
    EXPECT_EQ(focusLost, 1);
}

}  // namespace
}  // namespace tw
