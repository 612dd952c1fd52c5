#include "tester/state_editor.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "base/byte_string.h"
#include "script/environment.h"
#include "tester/state_file.h"
#include "tester/state_file_reader.h"

namespace tw {
namespace {

// The lists' cells are read as the platform's edit reads them: at most 511 characters.
constexpr std::size_t kMaxCellText = 511;

constexpr std::string_view kErrorsWarning =
    "There are syntax errors in the current environment.  To ignore those errors and continue "
    "with the operation, press OK.\nTo view those errors and cancel the operation, press "
    "Cancel.";

std::string CellText(const std::string& text) {
    return text.substr(0, kMaxCellText);
}

// State files use CR LF line ends on every platform, as the program's other text files.
std::string WithCrLf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\n') {
            result += '\r';
        }
        result += c;
    }
    return result;
}

}  // namespace

StateEditor::StateEditor(Environment& environment, StateEditorDisplay& display)
    : environment_(environment), display_(display) {
    ResetLists();
}

void StateEditor::Open(const std::filesystem::path* defaultStateFile) {
    FillLists();
    if (defaultStateFile == nullptr) {
        return;
    }
    // A default state file that can't be opened is no error, one that is refused is.
    const StateFileText file = ReadStateFile(*defaultStateFile, maxFileBytes_);
    if (!file.error) {
        LoadState(file.text);
    } else if (file.refused) {
        display_.ShowMessage(MessageKind::kError, "Error", *file.error, MessageButtons::kOk);
    }
}

void StateEditor::FillLists() {
    for (auto& rows : lists_) {
        rows.clear();
    }
    for (const auto& [name, value] : environment_) {
        if (IsVariableName(name)) {
            lists_[0].push_back({name, StateValueText(value)});
        } else {
            lists_[1].push_back({name, value.ToString()});
        }
    }
    for (auto& rows : lists_) {
        rows.emplace_back();
    }
}

const std::vector<StateRow>& StateEditor::Rows(StateList list) const {
    return lists_[static_cast<std::size_t>(list)];
}

std::vector<StateRow>& StateEditor::MutableRows(StateList list) {
    return lists_[static_cast<std::size_t>(list)];
}

std::string StateEditor::EditCell(StateList list, std::size_t row, StateColumn column,
                                  std::string_view text) {
    std::vector<StateRow>& rows = MutableRows(list);
    if (row >= rows.size()) {
        return {};
    }
    std::string cell = Trim(text);
    if (!cell.empty()) {
        if (list == StateList::kVariables && column == StateColumn::kName && cell[0] != '$') {
            cell.insert(cell.begin(), '$');
        }
        if (row == EntryRow(list)) {
            rows.emplace_back();
        }
    }
    (column == StateColumn::kName ? rows[row].name : rows[row].value) = cell;
    return cell;
}

void StateEditor::DeleteRows(StateList list, std::vector<std::size_t> selectedRows) {
    std::vector<StateRow>& rows = MutableRows(list);
    std::vector<bool> doomed(rows.size(), false);
    for (std::size_t row : selectedRows) {
        if (row < EntryRow(list)) {
            doomed[row] = true;
        }
    }
    std::size_t index = 0;
    std::erase_if(rows, [&](const StateRow&) { return doomed[index++]; });
}

void StateEditor::ApplyList(StateList list, StateErrorList& errors) {
    const bool isVariables = list == StateList::kVariables;
    const std::vector<StateRow>& rows = Rows(list);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string name = CellText(rows[i].name);
        const std::string value = CellText(rows[i].value);
        if (name.empty() || value.empty()) {
            continue;
        }
        const std::string number = FormatInt(static_cast<std::int64_t>(i) + 1);
        const std::string line = (isVariables ? "" : "set ") + name + " = " + value;
        const std::string prefix =
            (isVariables ? "Assignment error (" : "Set error (") + number + "): ";
        std::string error;
        if (!ExecuteLine(environment_, line, prefix, error)) {
            errors.Add(std::move(error));
        }
    }
}

bool StateEditor::ApplyLists() {
    StateErrorList errors;
    ApplyList(StateList::kVariables, errors);
    ApplyList(StateList::kFlags, errors);
    if (errors.IsEmpty() || display_.ShowMessage(MessageKind::kWarning, "Warning", kErrorsWarning,
                                                 MessageButtons::kOkCancel) == MessageAnswer::kOk) {
        return true;
    }
    display_.ShowErrors(errors.Take());
    return false;
}

bool StateEditor::Ok() {
    environment_.Clear();
    return ApplyLists();
}

void StateEditor::ResetLists() {
    for (auto& rows : lists_) {
        rows.assign(1, StateRow{});
    }
}

void StateEditor::ClearAll() {
    environment_.Clear();
    ResetLists();
}

bool StateEditor::SaveState(std::string& text) {
    environment_.Clear();
    if (!ApplyLists()) {
        return false;
    }
    text = WithCrLf(WriteStateText(environment_));
    return true;
}

void StateEditor::SaveStateToFile(const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        display_.ShowMessage(MessageKind::kError, "Error", "Unable to create file",
                             MessageButtons::kOk);
        return;
    }
    std::string text;
    if (SaveState(text) && !out.write(text.data(), static_cast<std::streamsize>(text.size()))) {
        display_.ShowMessage(MessageKind::kError, "Error", "Unable to write file",
                             MessageButtons::kOk);
    }
}

void StateEditor::LoadStateFromFile(const std::filesystem::path& path) {
    const StateFileText file = ReadStateFile(path, maxFileBytes_);
    if (file.error) {
        display_.ShowMessage(MessageKind::kError, "Error", *file.error, MessageButtons::kOk);
        return;
    }
    LoadState(file.text);
}

void StateEditor::LoadState(std::string_view text) {
    if (!ApplyLists()) {
        return;
    }
    const std::vector<std::string> errors = LoadStateText(environment_, text);
    if (!errors.empty()) {
        display_.ShowErrors(errors);
    }
    FillLists();
}

}  // namespace tw
