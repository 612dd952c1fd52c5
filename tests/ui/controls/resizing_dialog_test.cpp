#include "ui/controls/resizing_dialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSizeGrip>
#include <QTest>
#include <fstream>
#include <sstream>

#include "support/scripted_platform_services.h"

namespace tw {
namespace {

TEST(LayoutFlagTest, EveryCaseOfTheTableMovesTheEdges) {
    std::ifstream table(TW_SOURCE_DIR "/tests/ui/controls/data/layout_flags.txt");
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::uint32_t flags = 0;
        double top = 0, bottom = 0, left = 0, right = 0;
        fields >> std::hex >> flags >> std::dec >> top >> bottom >> left >> right;
        LayoutRect rect{100, 200, 10, 50};
        ApplyLayoutFlags(flags, 10, 20, rect);
        EXPECT_EQ((std::vector{rect.top, rect.bottom, rect.left, rect.right}),
                  (std::vector{top, bottom, left, right}))
            << line;
        ++cases;
    }
    EXPECT_GT(cases, 10);
}

// A window like the NPC comments dialog: a box that grows, OK moving down, Cancel moving
// right and down, a label that stays, and one control centred in both directions.
class TestDialog : public CResizingDialog {
public:
    explicit TestDialog(PlatformServices& services) : CResizingDialog(157, services) {
        resize(300, 200);
        box = new QWidget(this);
        box->setGeometry(10, 10, 280, 140);
        ok = new QPushButton("OK", this);
        ok->setGeometry(10, 160, 75, 23);
        cancel = new QPushButton("Cancel", this);
        cancel->setGeometry(215, 160, 75, 23);
        label = new QWidget(this);
        label->setGeometry(100, 160, 50, 20);
        centred = new QWidget(this);
        centred->setGeometry(121, 81, 31, 17);
        SetLayout({{box, kLayoutGrowX | kLayoutGrowY},
                   {ok, kLayoutMoveY},
                   {cancel, kLayoutMoveX | kLayoutMoveY},
                   {label, 0},
                   {centred, kLayoutMoveHalfX | kLayoutMoveHalfY | kLayoutRepaint}});
        InitDialog();
    }
    QWidget* box;
    QPushButton* ok;
    QPushButton* cancel;
    QWidget* label;
    QWidget* centred;
};

std::vector<QRect> Geometries(const TestDialog& dialog) {
    return {dialog.box->geometry(), dialog.ok->geometry(), dialog.cancel->geometry(),
            dialog.label->geometry(), dialog.centred->geometry()};
}

class ResizingDialogTest : public testing::Test {
protected:
    ScriptedPlatformServices services;
};

TEST_F(ResizingDialogTest, ControlsFollowTheWindowAndReturnExactly) {
    TestDialog dialog(services);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const std::vector<QRect> start = Geometries(dialog);
    dialog.resize(310, 221);
    EXPECT_EQ(dialog.box->geometry(), QRect(10, 10, 290, 161));
    EXPECT_EQ(dialog.ok->geometry(), QRect(10, 181, 75, 23));
    EXPECT_EQ(dialog.cancel->geometry(), QRect(225, 181, 75, 23));
    EXPECT_EQ(dialog.label->geometry(), QRect(100, 160, 50, 20));
    EXPECT_EQ(dialog.centred->geometry(), QRect(126, 92, 31, 17));  // 81 + 10.5 rounds up
    dialog.resize(300, 200);
    EXPECT_EQ(Geometries(dialog), start);
    // One pixel at a time: half-pixel moves add up instead of being lost to rounding.
    for (int i = 1; i <= 9; ++i) {
        dialog.resize(300 + i, 200 + i);
    }
    EXPECT_EQ(dialog.centred->geometry(), QRect(126, 86, 31, 17));
    for (int i = 8; i >= 0; --i) {
        dialog.resize(300 + i, 200 + i);
    }
    EXPECT_EQ(Geometries(dialog), start);
    // The size it was made with is the least it takes; the grip sits in the corner.
    dialog.resize(100, 100);
    EXPECT_EQ(dialog.size(), QSize(300, 200));
    dialog.resize(400, 250);
    EXPECT_TRUE(dialog.Grip()->isVisible());
    EXPECT_EQ(dialog.Grip()->geometry().bottomRight(), QPoint(399, 249));
    dialog.SetShowGrip(false);
    EXPECT_FALSE(dialog.Grip()->isVisible());
}

// Only a resized window that remembers its size writes it, under its template id in hex.
TEST_F(ResizingDialogTest, SizeIsRememberedUnderTheTemplateIdInHex) {
    {
        TestDialog unchanged(services);
        unchanged.reject();
        TestDialog forgetful(services);
        forgetful.SetRememberSize(false);
        forgetful.show();
        forgetful.resize(500, 300);
    }
    EXPECT_EQ(services.GetProfileInt("9d", "CX", -1), -1);
    {
        TestDialog dialog(services);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        dialog.resize(420, 260);
        dialog.accept();
    }
    EXPECT_EQ(services.GetProfileInt("9d", "CX", 0), 420);
    EXPECT_EQ(services.GetProfileInt("9d", "CY", 0), 260);
    EXPECT_EQ(services.GetProfileInt("9d", "ST", 0), 1);

    TestDialog again(services);
    EXPECT_EQ(again.size(), QSize(420, 260));
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.box->geometry(), QRect(10, 10, 400, 200));
    EXPECT_EQ(again.cancel->geometry(), QRect(335, 220, 75, 23));
}

TEST_F(ResizingDialogTest, AWindowClosedMaximisedOpensMaximised) {
    services.WriteProfileInt("9d", "CX", 500);
    services.WriteProfileInt("9d", "CY", 400);
    services.WriteProfileInt("9d", "ST", 3);
    TestDialog dialog(services);
    EXPECT_TRUE(dialog.windowState().testFlag(Qt::WindowMaximized));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_FALSE(dialog.Grip()->isVisible());
    dialog.accept();
    EXPECT_EQ(services.GetProfileInt("9d", "ST", 0), 3);
}

}  // namespace
}  // namespace tw
