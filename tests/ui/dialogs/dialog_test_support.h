#pragma once

// What the dialog tests share: scripted platform services, a runner that drives nested
// dialogs step by step, and helpers to type into and read the controls by resource id.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <deque>
#include <functional>

#include "ui/dialogs/editing_dialog.h"
#include "support/scripted_platform_services.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tw::test {

// Each nested dialog is shown, handed to the next step (which fills it and presses its
// buttons) and answered with its result, as exec() would.
class DialogScript {
public:
    using Step = std::function<void(QDialog&)>;
    void Then(Step step) { steps_.push_back(std::move(step)); }
    std::size_t Pending() const { return steps_.size(); }
    DialogRunner Runner() {
        return [this](QDialog& dialog) {
            if (steps_.empty()) {
                ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
                return int{QDialog::Rejected};
            }
            const Step step = std::move(steps_.front());
            steps_.pop_front();
            dialog.setResult(QDialog::Rejected);
            dialog.show();
            step(dialog);
            dialog.hide();
            return dialog.result();
        };
    }

private:
    std::deque<Step> steps_;
};

class DialogTest : public testing::Test {
protected:
    void SetUp() override {
        services.SetFailureHook([](const std::string& error) { ADD_FAILURE() << error; });
    }
    void TearDown() override {
        EXPECT_EQ(services.PendingAnswers(), 0u);
        EXPECT_EQ(script.Pending(), 0u);
    }

    template <typename T>
    static T* Get(const CEditingDialog& dialog, int id) {
        T* control = dialog.Control<T>(id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    static void Type(const CEditingDialog& dialog, int id, const QString& text) {
        if (auto* box = dialog.Control<QComboBox>(id)) {
            box->setEditText(text);
        } else if (auto* edit = Get<QLineEdit>(dialog, id)) {
            edit->setText(text);
        }
    }
    static QString Text(const CEditingDialog& dialog, int id) {
        if (auto* box = dialog.Control<QComboBox>(id)) {
            return box->currentText();
        }
        auto* edit = Get<QLineEdit>(dialog, id);
        return edit ? edit->text() : QString();
    }
    static void Click(const CEditingDialog& dialog, int id) {
        if (auto* button = Get<QAbstractButton>(dialog, id)) {
            button->click();
        }
    }
    // A mouse click near the button's left end, where a radio or check box has its mark.
    static void MouseClick(QAbstractButton* button) {
        const int middle = button->height() / 2;
        QTest::mouseClick(button, Qt::LeftButton, {},
                          QPoint(std::min(middle, button->width() / 2), middle));
    }
    static bool Enabled(const CEditingDialog& dialog, int id) {
        QWidget* control = dialog.Control<QWidget>(id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control && control->isEnabled();
    }
    // Presses OK expecting the dialog to stay open with this error.
    void OkFails(CEditingDialog& dialog, const std::string& error) {
        services.QueueAnswer(MessageAnswer::kOk);
        const std::size_t before = services.Messages().size();
        Click(dialog, 1);
        ASSERT_EQ(services.Messages().size(), before + 1) << error;
        EXPECT_EQ(services.Messages().back(),
                  (ScriptedPlatformServices::Message{"Error", error, MessageButtons::kOk,
                                                     MessageKind::kError}));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    void OkSucceeds(CEditingDialog& dialog) {
        Click(dialog, 1);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.isVisible());
    }
    // Shows a dialog made by the test as the runner would.
    static void Open(QDialog& dialog) {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
    }

    ScriptedPlatformServices services;
    DialogScript script;
};

}  // namespace tw::test
