#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "script/environment.h"
#include "tester/test_engine.h"

namespace tw {

class Dialogue;
class DialogueNode;
class PartySettings;
class RandomSource;
class TestDisplay;

// Opens the state editor for a running test and returns when it is closed. The tester
// window runs CStateDlg modally; the terminal player applies its own commands.
class StateEditorHost {
public:
    virtual ~StateEditorHost() = default;
    // With loadDefaultState the editor first loads the default state file, if any.
    virtual void RunStateEditor(Environment& environment, bool loadDefaultState) = 0;
};

// One test of a dialogue, as the "Run Dialogue" window runs it: the test's environment,
// the engine, and the window's own actions.
class TestSession {
public:
    // Compiles the dialogue for the run; a test is only started on a dialogue that
    // compiles without errors.
    TestSession(Dialogue& dialogue, PartySettings& party, RandomSource& random,
                TestDisplay& display, StateEditorHost& stateEditor);

    // The compile messages of the dialogue, in the forms of the node compile.
    const std::vector<std::string>& CompileErrors() const { return compileErrors_; }

    // When the window opens: party, state editor, party again, the initialization node.
    void Start();
    // "Test from Selected Node": as Start, but the initialization node's commands only
    // prepare the environment, unseen, and the run enters node.
    void StartAt(DialogueNode& node);
    // "Execute Custom Command" with the text of the custom command edit.
    void ExecuteCustomCommand(std::string_view text);
    void RestartDialogue();
    // "Step Back" and choosing a "History" entry (TestEngine::StepBackTo); the party is
    // read back from the restored environment, as after the state editor.
    bool StepBack();
    bool StepBackTo(std::size_t index);
    void ViewEnvironmentState();
    // The environment was changed from outside the run (the tester's own view of it): the
    // party is read back from it, as after the state editor.
    void AfterEnvironmentEdit();
    // "Quit" and closing the window: true when the user confirmed and the window closes.
    bool QuitTest();

    TestEngine& Engine() { return engine_; }
    Environment& GetEnvironment() { return environment_; }

private:
    void PrepareRun();
    void EnterInitializationNode();

    Dialogue& dialogue_;
    PartySettings& party_;
    TestDisplay& display_;
    StateEditorHost& stateEditor_;
    Environment environment_;
    std::vector<std::string> compileErrors_;
    TestEngine engine_;
};

}  // namespace tw
