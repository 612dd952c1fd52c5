// The editor under a dark desktop palette: what is drawn follows the palette, and every text
// stays readable on its background.

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <array>
#include <cmath>

#include "model/editing/script_field_check.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/script_hint.h"
#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(40, 40, 44));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(60, 60, 64));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(38, 110, 190));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 130, 130));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 130, 130));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 130, 130));
    return dark;
}

double Luminance(QRgb rgb) {
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

// The contrast ratio of the pixel that stands out most from the background: the strokes
// of the text, for a picture of text.
double BestContrast(const QImage& image, const QColor& background) {
    const double base = Luminance(background.rgb());
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double pixel = Luminance(image.pixel(x, y));
            best = std::max(best, (std::max(pixel, base) + 0.05) / (std::min(pixel, base) + 0.05));
        }
    }
    return best;
}

class DarkPaletteTest : public MainWindowTest {
protected:
    void SetUp() override {
        saved_ = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        QApplication::setPalette(saved_);
    }

private:
    QPalette saved_;
};

TEST_F(DarkPaletteTest, NodeTextInTheAutomaticColourIsDrawnInThePalettesText) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Tree()->expandAll();
    Select("Welcome [first meeting]");
    window->resize(1100, 720);
    QApplication::processEvents();

    CStyleEditCtrl* text = NodeText();
    EXPECT_EQ(text->palette().color(QPalette::Base), QColor(30, 30, 30));
    const QImage drawn = text->viewport()->grab().toImage();
    EXPECT_GE(BestContrast(drawn, QColor(30, 30, 30)), 7.0);

    // Plain black text, typed or loaded, reads back as black however it is drawn.
    text->SetRichText({{TextStyle{}, "plain words"}});
    int red = -1, green = -1, blue = -1;
    text->selectAll();
    text->GetColor(red, green, blue);
    EXPECT_EQ((std::array{red, green, blue}), (std::array{0, 0, 0}));

    // Black chosen after a colour goes back to the automatic colour.
    text->SetColor(200, 0, 0);
    EXPECT_EQ(text->GetRed(), 200);
    text->SetColor(0, 0, 0);
    EXPECT_EQ(text->GetColorRef(), 0u);
    const RichText back = text->GetRichText();
    ASSERT_FALSE(back.empty());
    EXPECT_EQ(back.front().style.color, TextColor{});
    EXPECT_GE(BestContrast(text->viewport()->grab().toImage(), QColor(30, 30, 30)), 7.0);
}

TEST_F(DarkPaletteTest, ScriptHintsStayReadableOnADarkWindow) {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* good = new QLineEdit("$gold = 5", &form);
    auto* bad = new QLineEdit("$gold = ", &form);
    auto* goodHint = new ScriptHint(good, CheckStatementField, &form);
    auto* badHint = new ScriptHint(bad, CheckStatementField, &form);
    for (QWidget* widget : std::initializer_list<QWidget*>{good, goodHint, bad, badHint}) {
        layout->addWidget(widget);
    }
    form.resize(420, 160);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QColor background = form.palette().color(QPalette::Window);
    EXPECT_GE(BestContrast(goodHint->grab().toImage(), background), 4.5);
    EXPECT_GE(BestContrast(badHint->grab().toImage(), background), 4.5);

    // Back on a light palette the hints turn dark again, still readable.
    QApplication::setPalette(QPalette(QColor(240, 240, 240)));
    QApplication::processEvents();
    const QColor light = form.palette().color(QPalette::Window);
    EXPECT_GE(BestContrast(goodHint->grab().toImage(), light), 4.5);
    EXPECT_GE(BestContrast(badHint->grab().toImage(), light), 4.5);
}

}  // namespace
}  // namespace tw::test
