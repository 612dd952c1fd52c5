#pragma once

// "Explore Dialogue" and "Replay Finding": the exploration of the current document with its
// progress and Cancel, and a finding's road played in the tester up to the finding.

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace tw {

class DocumentManager;
class PartySettings;
class PlatformServices;
class ProblemsView;

class ExploreCommand : public QObject {
    Q_OBJECT

public:
    // What a test of the window plays with: its party, and the default state file when there
    // is one.
    struct TestSetting {
        PartySettings& party;
        PlatformServices& services;
        std::function<std::optional<std::filesystem::path>()> stateFile;
    };

    ExploreCommand(DocumentManager& documents, ProblemsView& problems, TestSetting setting,
                   QWidget& window);

    // The compile window first, as a test has it; then the exploration, the window painting
    // and a progress window offering Cancel once it takes a moment.
    void Explore();
    // The tester, with the road of the exploration's finding in the Problems pane's current
    // row played; nothing when the row is no such finding.
    void Replay();
    bool CanReplay() const;

    // The progress window shows after this long.
    static constexpr int kProgressDelayMs = 250;

private:
    DocumentManager& documents_;
    ProblemsView& problems_;
    TestSetting setting_;
    QWidget& window_;
};

}  // namespace tw
