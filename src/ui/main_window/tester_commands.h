#pragma once

// The tester's commands: "Edit Party Settings", "Test Dialogue" and the test from the
// selected node, with what every test plays with: the party, the random numbers and the
// default state file.

#include <QObject>
#include <filesystem>
#include <optional>
#include <string>

#include "tester/party_settings.h"

namespace tw {

class DocumentManager;
class MapView;
class PlatformServices;
class RandomSource;

class TesterCommands : public QObject {
    Q_OBJECT

public:
    TesterCommands(DocumentManager& documents, PlatformServices& services, MapView& map,
                   QWidget& window);

    // The party every test of every open document plays with, kept for the whole run.
    PartySettings& Party() { return party_; }
    // The application's random numbers; a fixed seed until the application hands them over.
    void SetRandomSource(RandomSource& random) { random_ = &random; }
    RandomSource* Random() const { return random_; }
    // The default state file is looked for in the directory the program started in.
    void SetStartupDirectory(std::string directory) { startupDirectory_ = std::move(directory); }
    std::optional<std::filesystem::path> DefaultStateFile() const;

    void EditPartySettings();
    void TestDialogue() { Test(false); }
    void TestFromNode() { Test(true); }

private:
    void Test(bool fromCurrentNode);

    DocumentManager& documents_;
    PlatformServices& services_;
    MapView& map_;
    QWidget& window_;
    PartySettings party_;
    RandomSource* random_ = nullptr;
    std::string startupDirectory_;
};

}  // namespace tw
