#pragma once

// What the dialog tests share: scripted platform services, a runner that drives nested
// dialogs step by step, and real typing and clicks on the controls found by resource id.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <deque>

#include "support/modal_helpers.h"
#include "support/qt_printers.h"
#include "support/scripted_platform_services.h"
#include "ui/dialogs/editing_dialog.h"

namespace tw::test {

class DialogTest : public testing::Test {
protected:
    void SetUp() override {
        services.SetFailureHook([](const std::string& error) { ADD_FAILURE() << error; });
    }
    void TearDown() override {
        EXPECT_EQ(services.PendingAnswers(), 0u);
        EXPECT_TRUE(steps.empty());
    }

    // Each nested dialog is handed to the next step.
    DialogRunner Runner() {
        return [this](QDialog& dialog) { return RunQueuedStep(steps, dialog); };
    }
    template <typename T>
    static T* Get(const CEditingDialog& dialog, int id) {
        T* control = dialog.Control<T>(id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    static QLineEdit* EditOf(const CEditingDialog& dialog, int id) {
        auto* box = dialog.Control<QComboBox>(id);
        return box ? box->lineEdit() : Get<QLineEdit>(dialog, id);
    }
    // Replaces the field's text key by key; a key outside ASCII brings its character.
    static void Type(const CEditingDialog& dialog, int id, const QString& text) {
        QLineEdit* edit = EditOf(dialog, id);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(edit, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), {});
            }
        }
    }
    // A mouse click near the button's left end, where a radio or check box has its mark.
    static void Click(const CEditingDialog& dialog, int id) {
        auto* button = Get<QAbstractButton>(dialog, id);
        const int middle = button->height() / 2;
        QTest::mouseClick(button, Qt::LeftButton, {},
                          QPoint(std::min(middle, button->width() / 2), middle));
    }
    static void Open(QDialog& dialog) {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
    }

    ScriptedPlatformServices services;
    std::deque<DialogStep> steps;
};

}  // namespace tw::test
