#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/input_limits.h"
#include "base/message_boxes.h"

namespace tw {

class Environment;
class StateErrorList;

// One row of the state editor's variable or flag list.
struct StateRow {
    std::string name;
    std::string value;
    friend bool operator==(const StateRow&, const StateRow&) = default;
};

enum class StateList { kVariables = 0, kFlags = 1 };
enum class StateColumn { kName = 0, kValue = 1 };

// What the state editor needs from its window besides message boxes.
class StateEditorDisplay : public MessageBoxes {
public:
    // The modal list of error messages.
    virtual void ShowErrors(const std::vector<std::string>& errors) = 0;
};

inline constexpr std::string_view kDefaultStateFileName = "default.state.txt";

// The state editor's logic: the test environment as two editable lists of rows,
// variables and flags, applied back to the environment, saved to and loaded from state
// files. Each list ends with an empty entry row where new entries are typed.
class StateEditor {
public:
    StateEditor(Environment& environment, StateEditorDisplay& display);

    // Fills the lists; then, when a default state file is named and can be read, loads
    // it. A missing file is not reported.
    void Open(const std::filesystem::path* defaultStateFile);

    void FillLists();
    const std::vector<StateRow>& Rows(StateList list) const;
    // The entry row is always the last row.
    std::size_t EntryRow(StateList list) const { return Rows(list).size() - 1; }

    // An in-place edit has ended: the cell takes the trimmed text (a variable name gets
    // its '$'), and typing into the entry row makes a new entry row. Answers the cell text.
    std::string EditCell(StateList list, std::size_t row, StateColumn column,
                         std::string_view text);
    // The Delete key: every selected row except the entry row goes.
    void DeleteRows(StateList list, std::vector<std::size_t> selectedRows);

    // Executes every complete row; with errors asks whether to go on and, when not, lists
    // them and answers false.
    bool ApplyLists();
    // OK and closing: rebuilds the environment from the lists; false keeps the editor open.
    bool Ok();
    void ClearAll();

    // "Save State to File" and "Load State from File" after their file dialogs.
    void SaveStateToFile(const std::filesystem::path& path);
    void LoadStateFromFile(const std::filesystem::path& path);
    // Larger state files are refused with a message (kMaxStateFileBytes unless set).
    void SetMaxFileBytes(std::uint64_t maxBytes) { maxFileBytes_ = maxBytes; }
    // The state as file text, or nothing when the lists could not be applied.
    bool SaveState(std::string& text);
    void LoadState(std::string_view text);

private:
    std::vector<StateRow>& MutableRows(StateList list);
    void ApplyList(StateList list, StateErrorList& errors);
    void ResetLists();

    Environment& environment_;
    StateEditorDisplay& display_;
    std::array<std::vector<StateRow>, 2> lists_;
    std::uint64_t maxFileBytes_ = kMaxStateFileBytes;
};

}  // namespace tw
