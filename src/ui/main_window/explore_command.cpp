#include "ui/main_window/explore_command.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <string>

#include "model/dialogue.h"
#include "tester/random_source.h"
#include "tester/road.h"
#include "ui/dialogs/compile_dlg.h"
#include "ui/document/document_exploration.h"
#include "ui/document/document_manager.h"
#include "ui/document/editor_document.h"
#include "ui/platform/platform_services.h"
#include "ui/tester/test_dlg.h"
#include "ui/views/problems_view.h"

namespace tw {
namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

}  // namespace

ExploreCommand::ExploreCommand(DocumentManager& documents, ProblemsView& problems,
                               TestSetting setting, QWidget& window)
    : QObject(&window),
      documents_(documents),
      problems_(problems),
      setting_(std::move(setting)),
      window_(window) {}

void ExploreCommand::Explore() {
    if (documents_.Count() == 0) {
        return;
    }
    EditorDocument& document = documents_.Current();
    CCompileDlg compile(document.GetDialogue(), &window_);
    if (compile.exec() != QDialog::Accepted) {
        return;
    }
    ExploreOptions options;
    options.party = setting_.party;
    std::error_code ignored;
    if (const auto stateFile = setting_.stateFile();
        stateFile && std::filesystem::is_regular_file(*stateFile, ignored)) {
        options.stateFile = *stateFile;
    }
    DocumentExploration& exploration = DocumentExploration::Of(document);
    QProgressDialog progress("Exploring every road of the dialogue...", "Cancel", 0, 0, &window_);
    progress.setWindowTitle("Explore Dialogue");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoReset(false);
    QEventLoop running;
    connect(&exploration, &DocumentExploration::progress, &progress,
            [&progress](const ExploreProgress& reached) {
                progress.setMaximum(static_cast<int>(reached.maxStates));
                progress.setValue(static_cast<int>(reached.states));
            });
    connect(&progress, &QProgressDialog::canceled, &exploration,
            [&exploration] { exploration.Cancel(); });
    connect(&exploration, &DocumentExploration::finished, &running, &QEventLoop::quit);
    exploration.Start(nullptr, std::move(options));
    running.exec();
    exploration.disconnect(&progress);
    if (exploration.Result() && !exploration.Result()->stateMessages.empty()) {
        setting_.services.ShowMessage(MessageKind::kWarning, "Explore Dialogue",
                                      JoinLines(exploration.Result()->stateMessages),
                                      MessageButtons::kOk);
    }
}

bool ExploreCommand::CanReplay() const {
    const ExploreFinding* finding = problems_.CurrentExploreFinding();
    return finding != nullptr && finding->hasRoad;
}

// The dialogue is as the exploration compiled it: any change since forgot its findings.
void ExploreCommand::Replay() {
    const ExploreFinding* finding = problems_.CurrentExploreFinding();
    if (finding == nullptr || !finding->hasRoad || documents_.Count() == 0) {
        return;
    }
    std::optional<Road> road = ParseRoad(finding->road);
    if (!road) {
        return;
    }
    RandomSource random(finding->seed);
    CTestDlg tester(documents_.Current().GetDialogue(), setting_.party, random, setting_.services,
                    setting_.stateFile(), &window_);
    tester.SetReplay(std::move(*road));
    tester.exec();
}

}  // namespace tw
