// The tester window beside the conversation: the flags and variables, live, with what the
// last step changed marked and editable as in the state editor; the number keys; playing a
// road to a point and saving the writer's own road as a recording.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "base/file_write.h"
#include "model/dialogue.h"
#include "tester/random_source.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/platform/platform_services.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/state_editor_messages.h"
#include "ui/tester/state_lists.h"
#include "ui/tester/test_dlg.h"

namespace tw {
namespace {

constexpr const char* kProfileSection = "Tester";
constexpr const char* kSkipStateEditorKey = "SkipStateEditor";

}  // namespace

CTestDlg::~CTestDlg() = default;

// At the start the writer may skip the window (a replay always does): the default state
// file is loaded all the same.
void CTestDlg::RunStateEditor(Environment& environment, bool loadDefaultState) {
    const bool load = loadDefaultState && defaultStateFile_.has_value();
    const std::vector<StateRow> before = EnvironmentRows();
    if (loadDefaultState && (replay_ || SkipsStateEditor())) {
        environmentDisplay_->LoadQuietly(environment, load ? &*defaultStateFile_ : nullptr);
        return;
    }
    CStateDlg editor(environment, load ? &*defaultStateFile_ : nullptr, services_, this);
    editor.exec();
    if (!loadDefaultState)
        RecordEnvironmentChanges(before);
}

QWidget* CTestDlg::setupEnvironment() {
    environmentDisplay_ = std::make_unique<StateEditorMessages>(services_, *this);
    environmentEditor_ =
        std::make_unique<StateEditor>(session_->GetEnvironment(), *environmentDisplay_);
    auto* group = new QGroupBox(tr("Environment"), this);
    group->setAccessibleName(tr("Environment"));
    environment_ = new StateLists(*environmentEditor_, group);
    environment_->SetChangedHandler([this] { OnEnvironmentEdited(); });
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(environment_->List(StateList::kVariables), 1);
    layout->addWidget(environment_->List(StateList::kFlags), 1);
    skipStateEditor_ = new QCheckBox(tr("Skip the state window at the start"), this);
    skipStateEditor_->setObjectName("skipStateWindow");
    skipStateEditor_->setChecked(services_.GetProfileInt(kProfileSection, kSkipStateEditorKey, 0) !=
                                 0);
    connect(skipStateEditor_, &QCheckBox::toggled, this, [this](bool skip) {
        services_.WriteProfileInt(kProfileSection, kSkipStateEditorKey, skip ? 1 : 0);
    });
    return group;
}

bool CTestDlg::SkipsStateEditor() const {
    return skipStateEditor_->isChecked();
}

// Every name and value of the environment as the state editor lists them.
std::vector<StateRow> CTestDlg::EnvironmentRows() {
    environmentEditor_->FillLists();
    std::vector<StateRow> rows;
    for (StateList list : {StateList::kVariables, StateList::kFlags}) {
        const std::vector<StateRow>& listed = environmentEditor_->Rows(list);
        rows.insert(rows.end(), listed.begin(), listed.end() - 1);  // not the entry row
    }
    return rows;
}

void CTestDlg::Act(const std::function<void()>& step) {
    environmentEditor_->FillLists();
    environment_->Mark();
    step();
    ShowEnvironment();
    RefreshHistory();
    emit stepped(EnteredNodeIds());
}

void CTestDlg::ShowEnvironment() {
    shownRows_ = EnvironmentRows();
    environment_->Refill();
}

// An edit in the view is applied as the state window applies its lists, and the party is
// read back from it; a new row waits for its value.
void CTestDlg::OnEnvironmentEdited() {
    for (StateList list : {StateList::kVariables, StateList::kFlags}) {
        for (const StateRow& row : environmentEditor_->Rows(list)) {
            if (!row.name.empty() && row.value.empty()) {
                return;
            }
        }
    }
    environmentEditor_->Ok();
    session_->AfterEnvironmentEdit();
    RecordEnvironmentChanges(shownRows_);
    ShowEnvironment();
}

// A recording sets what the writer set by hand; what was removed it cannot say.
void CTestDlg::RecordEnvironmentChanges(const std::vector<StateRow>& before) {
    for (const StateRow& row : EnvironmentRows()) {
        const bool same = std::find(before.begin(), before.end(), row) != before.end();
        if (!same) {
            inputLines_.push_back("set " + row.name + " = " + row.value);
        }
    }
}

void CTestDlg::PlayReplay() {
    if (!replay_) {
        return;
    }
    for (RoadStep& step : replay_->steps) {
        pendingAnswers_ = step.answers;
        if (step.isReply) {
            inputLines_.push_back(step.reply.empty() ? "say" : "say " + step.reply);
            Act([this, &step] { session_->Engine().EnterReply(step.reply); });
        } else {
            inputLines_.push_back(std::to_string(step.row + 1));
            Act([this, &step] { session_->Engine().SelectResponse(step.row); });
        }
    }
    pendingAnswers_.clear();
    replay_.reset();
}

// The dialogue is named relative to the recording where it can be, as `talkwright-cli test`
// reads it.
void CTestDlg::OnSaveRecording() {
    namespace fs = std::filesystem;
    if (dialogue_.GetPath().empty()) {
        services_.ShowMessage(MessageKind::kError, "Error",
                              "Save the dialogue first: a recording names its file.",
                              MessageButtons::kOk);
        return;
    }
    FileDialogRequest request;
    request.caption = "Save Recording";
    request.filters = {{"Recorded playthroughs (*.play)", "*.play"}};
    request.defaultExtension = "play";
    request.startDirectory = fs::path(dialogue_.GetPath()).parent_path().string();
    const std::optional<std::string> path = services_.ChooseFileToSave(request);
    if (!path) {
        return;
    }
    std::error_code ignored;
    const fs::path relative = fs::path(dialogue_.GetPath())
                                  .lexically_proximate(fs::absolute(*path, ignored).parent_path());
    const std::string start = startNode_ ? startNode_->GetName() : std::string();
    const std::string text = RecordingText({relative.generic_string(), seed_, start}, inputLines_);
    if (std::optional<std::string> failure = ReplaceFileAtomically(*path, text)) {
        services_.ShowMessage(MessageKind::kError, "Error", *failure, MessageButtons::kOk);
    }
}

}  // namespace tw
