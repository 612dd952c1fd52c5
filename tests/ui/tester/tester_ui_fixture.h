#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <ostream>

#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "support/scripted_platform_services.h"

// Readable Qt strings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{' << texts.join("|").toStdString() << '}';
}

namespace tw::test {

// Scripted services whose unanswered questions fail the test.
class TesterUiTest : public ::testing::Test {
protected:
    TesterUiTest() {
        services.SetFailureHook([](const std::string& error) { ADD_FAILURE() << error; });
    }
    void TearDown() override { EXPECT_EQ(services.PendingAnswers(), 0u); }

    static void SaveShot(QWidget& widget, const QString& name) {
        const QString dir = QString(TW_BINARY_DIR) + "/screenshots";
        QDir().mkpath(dir);
        EXPECT_TRUE(widget.grab().save(dir + "/" + name + ".png"));
    }
    static std::string DataPath(const std::string& name) {
        return (std::filesystem::path(TW_SOURCE_DIR) / "tests" / "cli" / "data" / name).string();
    }

    ScriptedPlatformServices services;
    PartySettings party;
    RandomSource random{1};
};

}  // namespace tw::test
