#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "model/dialogue.h"
#include "support/app_test_support.h"
#include "support/modal_helpers.h"
#include "support/qt_printers.h"
#include "support/screenshots.h"
#include "support/scripted_platform_services.h"
#include "support/view_rows.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/test_dlg.h"

namespace tw::test {

// Scripted services whose unanswered questions fail the test.
class TesterUiTest : public ::testing::Test {
protected:
    TesterUiTest() {
        services.SetFailureHook([](const std::string& error) { ADD_FAILURE() << error; });
    }
    void TearDown() override { EXPECT_EQ(services.PendingAnswers(), 0u); }

    static std::string DataPath(const std::string& name) {
        return (std::filesystem::path(TW_SOURCE_DIR) / "tests" / "cli" / "data" / name).string();
    }
    // A list as automation finds it: by its accessible name.
    static EnhancedListCtrl& FindList(QWidget& window, const QString& name) {
        for (auto* list : window.findChildren<EnhancedListCtrl*>())
            if (list->accessibleName() == name)
                return *list;
        ADD_FAILURE() << "no list " << name.toStdString();
        return *window.findChild<EnhancedListCtrl*>();
    }

    ScriptedPlatformServices services;
    PartySettings party;
    RandomSource random{1};
};

// "Run Dialogue" on the innkeeper, started as the writer starts it.
class TestDlgTest : public TesterUiTest {
protected:
    // The state window opens at the start unless it was skipped; one that should not open
    // fails the test. The watch ends with the start, leaving a later window alone.
    void Open(bool expectStateWindow = true) {
        ASSERT_FALSE(dialogue.Load(SamplePath("innkeeper.vrx")).has_value());
        tester = std::make_unique<CTestDlg>(dialogue, party, random, services,
                                            DataPath("innkeeper.state.txt"));
        auto watching = std::make_shared<bool>(true);
        OnNextModal<CStateDlg>(
            [expectStateWindow](CStateDlg& state) {
                EXPECT_TRUE(expectStateWindow) << "the state window opened";
                Press(state.Button("OK"));
            },
            [watching](CStateDlg&) { return *watching; });
        tester->show();
        tester->StartTest();
        *watching = false;
        QApplication::setActiveWindow(tester.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(tester.get()));
    }
    static void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Press(const char* caption) { Press(tester->Button(caption)); }
    void Choose(int number) {
        tester->Responses()->setCurrentRow(number - 1);
        Press("Select Response");
    }
    void Reply(const QString& text) {
        tester->TypedResponse()->clear();
        QTest::keyClicks(tester->TypedResponse(), text);
        QTest::keyClick(tester->TypedResponse(), Qt::Key_Return);
    }
    void Command(const QString& text) {
        tester->CustomCommand()->clear();
        QTest::keyClicks(tester->CustomCommand(), text);
        QTest::keyClick(tester->CustomCommand(), Qt::Key_Return);
    }
    std::string Variable(const char* name) {
        return tester->Session().GetEnvironment().Get(name).ToString();
    }

    Dialogue dialogue;
    std::unique_ptr<CTestDlg> tester;
};

}  // namespace tw::test
