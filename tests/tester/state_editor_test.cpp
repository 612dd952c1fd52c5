#include "tester/state_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/input_limits.h"
#include "script/environment.h"
#include "support/temp_dir.h"
#include "tester/recording_state_display.h"
#include "tester/scripted_message_boxes.h"
#include "tester/state_file_reader.h"

namespace tw {
namespace {

constexpr const char* kErrorsWarning =
    "There are syntax errors in the current environment.  To ignore those errors and continue "
    "with the operation, press OK.\nTo view those errors and cancel the operation, press "
    "Cancel.";

using test::ReadBytes;

class StateEditorTest : public testing::Test {
protected:
    Environment environment;
    RecordingStateDisplay display;
    StateEditor editor{environment, display};
    test::TempDir directory;
};

TEST_F(StateEditorTest, FillListsSplitsVariablesAndFlagsWithEntryRows) {
    environment.Set("$name", Value("Pelgrin"));
    environment.Set("$quote", Value("he said \"hi\""));
    environment.Set("$gold", Value(12));
    environment.Set("$r", Value(2.5));
    environment.Set("kMet", Value(true));
    environment.Set("Hired", Value(false));
    editor.FillLists();
    const std::vector<StateRow> variables{{"$gold", "12"},
                                          {"$name", "\"Pelgrin\""},
                                          {"$quote", "'he said \"hi\"'"},
                                          {"$r", "2.500000"},
                                          {}};
    const std::vector<StateRow> flags{{"Hired", "false"}, {"kMet", "true"}, {}};
    EXPECT_EQ(editor.Rows(StateList::kVariables), variables);
    EXPECT_EQ(editor.Rows(StateList::kFlags), flags);
    EXPECT_EQ(editor.EntryRow(StateList::kVariables), 4u);
    EXPECT_EQ(editor.EntryRow(StateList::kFlags), 2u);
}

TEST_F(StateEditorTest, TypingIntoTheEntryRowAddsAnEntry) {
    editor.FillLists();
    EXPECT_EQ(editor.EditCell(StateList::kVariables, 0, StateColumn::kName, "  count "), "$count");
    EXPECT_EQ(editor.Rows(StateList::kVariables).size(), 2u);
    EXPECT_EQ(editor.EditCell(StateList::kVariables, 0, StateColumn::kValue, "3"), "3");
    EXPECT_EQ(editor.Rows(StateList::kVariables).size(), 2u);
    EXPECT_EQ(editor.EditCell(StateList::kFlags, 0, StateColumn::kName, "kMet"), "kMet");
    EXPECT_EQ(editor.EditCell(StateList::kFlags, 0, StateColumn::kValue, "true"), "true");
    // A value typed into the entry row opens a new entry row too; blank text does not.
    EXPECT_EQ(editor.EditCell(StateList::kFlags, 1, StateColumn::kValue, "   "), "");
    EXPECT_EQ(editor.Rows(StateList::kFlags).size(), 2u);
    EXPECT_EQ(editor.EditCell(StateList::kFlags, 1, StateColumn::kValue, "false"), "false");
    EXPECT_EQ(editor.Rows(StateList::kFlags).size(), 3u);
    EXPECT_EQ(editor.EditCell(StateList::kVariables, 0, StateColumn::kName, "$gold"), "$gold");
    EXPECT_EQ(editor.EditCell(StateList::kVariables, 9, StateColumn::kName, "x"), "");

    EXPECT_TRUE(editor.Ok());
    EXPECT_EQ(environment.Get("$gold").GetType(), ValueType::Integer);
    EXPECT_EQ(environment.Get("$gold").GetInteger(), 3);
    EXPECT_EQ(environment.Get("kMet").GetBoolean(), true);
    EXPECT_EQ(environment.size(), 2u);  // the row with a value only is skipped
    EXPECT_TRUE(display.script.messages.empty());
}

TEST_F(StateEditorTest, DeleteAndClearAllKeepTheEntryRow) {
    for (const char* name : {"a", "b", "c"}) {
        environment.Set(name, Value(true));
    }
    environment.Set("$a", Value(1));
    editor.FillLists();
    editor.DeleteRows(StateList::kFlags, {3, 0, 2, 7});
    const std::vector<StateRow> flags{{"b", "true"}, {}};
    EXPECT_EQ(editor.Rows(StateList::kFlags), flags);
    EXPECT_EQ(editor.EntryRow(StateList::kFlags), 1u);
    editor.ClearAll();
    EXPECT_TRUE(environment.empty());
    EXPECT_EQ(editor.Rows(StateList::kVariables), std::vector<StateRow>(1));
    EXPECT_EQ(editor.Rows(StateList::kFlags), std::vector<StateRow>(1));
}

TEST_F(StateEditorTest, FailedRowsAreReportedByRowNumber) {
    editor.FillLists();
    editor.EditCell(StateList::kVariables, 0, StateColumn::kName, "gold");
    editor.EditCell(StateList::kVariables, 0, StateColumn::kValue, "5 +");
    editor.EditCell(StateList::kVariables, 1, StateColumn::kName, "good");
    editor.EditCell(StateList::kVariables, 1, StateColumn::kValue, "1");
    editor.EditCell(StateList::kFlags, 0, StateColumn::kName, "kMet");
    editor.EditCell(StateList::kFlags, 0, StateColumn::kValue, "@@@");
    const std::vector<std::string> errors{
        "Assignment error (1): $gold = 5 +: Operator '+' has missing or invalid operands",
        "Set error (1): set kMet = @@@: Invalid operator: @@@"};

    display.script.answers = {MessageAnswer::kCancel};
    EXPECT_FALSE(editor.Ok());
    ASSERT_EQ(display.script.messages.size(), 1u);
    EXPECT_EQ(display.script.messages[0],
              (ShownMessage{"Warning", kErrorsWarning, MessageButtons::kOkCancel}));
    EXPECT_EQ(display.script.kinds, std::vector<MessageKind>{MessageKind::kWarning});
    ASSERT_EQ(display.errorLists.size(), 1u);
    EXPECT_EQ(display.errorLists[0][1], errors[1]);
    EXPECT_EQ(display.errorLists[0], errors);

    display.script.answers = {MessageAnswer::kOk};
    EXPECT_TRUE(editor.Ok());
    EXPECT_EQ(display.errorLists.size(), 1u);
    EXPECT_EQ(environment.size(), 1u);
    EXPECT_TRUE(environment.IsDefined("$good"));
}

TEST_F(StateEditorTest, SaveWritesQuotedValuesWithCrLfAndLoadsThemBack) {
    environment.Set("$said", Value("he said \"hi\""));
    environment.Set("$name", Value("it's"));
    environment.Set("$both", Value("\"it's\""));
    environment.Set("$n", Value(-4));
    environment.Set("kMet", Value(true));
    editor.FillLists();
    const std::string file = directory / "saved.txt";
    editor.SaveStateToFile(file);
    EXPECT_EQ(ReadBytes(file),
              "$both = '\"it' + \"'s\" + '\"'\r\n$n = -4\r\n$name = \"it's\"\r\n"
              "$said = 'he said \"hi\"'\r\nset kMet = true\r\n");

    Environment loaded;
    StateEditor reader(loaded, display);
    reader.Open(nullptr);
    reader.LoadStateFromFile(file);
    EXPECT_EQ(loaded.Get("$said").GetString(), "he said \"hi\"");
    EXPECT_EQ(loaded.Get("$name").GetString(), "it's");
    EXPECT_EQ(loaded.Get("$both").GetString(), "\"it's\"");
    EXPECT_EQ(reader.Rows(StateList::kVariables), editor.Rows(StateList::kVariables));
    EXPECT_EQ(reader.Rows(StateList::kFlags), editor.Rows(StateList::kFlags));
    EXPECT_TRUE(display.script.messages.empty());
    EXPECT_TRUE(display.errorLists.empty());
}

// Loading state files: see tests/cli/data/commands/state_files.txt.
TEST_F(StateEditorTest, SaveWritesNothingWhenTheListsAreNotAppliedAndReportsAnUnwritableFile) {
    editor.FillLists();
    editor.EditCell(StateList::kFlags, 0, StateColumn::kName, "bad");
    editor.EditCell(StateList::kFlags, 0, StateColumn::kValue, "@@@");
    display.script.answers = {MessageAnswer::kCancel};
    editor.SaveStateToFile(directory / "empty.txt");
    EXPECT_TRUE(std::filesystem::exists(directory / "empty.txt"));
    EXPECT_EQ(ReadBytes(directory / "empty.txt"), "");

    editor.ClearAll();
    display.script.messages.clear();
    editor.SaveStateToFile(directory / "no/such/dir.txt");
    EXPECT_EQ(display.script.messages,
              (std::vector<ShownMessage>{{"Error", "Unable to create file", MessageButtons::kOk}}));
}

// What the reader refuses, and why, is in the command session state_files.txt too.
TEST_F(StateEditorTest, ARefusedFileIsReportedAndLoadsNothing) {
    editor.SetMaxFileBytes(16);
    const std::filesystem::path file = directory.Path() / "s.txt";
    test::WriteBytes(file.string(), "$gold = 5\n$silver = 7\n");
    const std::string tooLarge = TooLargeMessage("a state file", 22, 16);

    editor.LoadStateFromFile(file);
    // The default state file at the start of a test: a refusal is reported, a missing file
    // is not.
    editor.Open(&file);
    const std::filesystem::path missing = directory.Path() / "missing.txt";
    editor.Open(&missing);
    const std::vector<ShownMessage> expected{{"Error", tooLarge, MessageButtons::kOk},
                                             {"Error", tooLarge, MessageButtons::kOk}};
    EXPECT_EQ(display.script.messages, expected);
    EXPECT_EQ(environment.size(), 0u);

    editor.SetMaxFileBytes(22);
    editor.LoadStateFromFile(file);
    EXPECT_EQ(environment.Get("$silver").GetInteger(), 7);
}

TEST_F(StateEditorTest, OpeningLoadsTheDefaultStateOnlyWhenPresent) {
    environment.Set("$PartySize", Value(6));
    const std::filesystem::path file = directory.Path() / std::string(kDefaultStateFileName);
    editor.Open(&file);
    EXPECT_EQ(environment.size(), 1u);
    EXPECT_TRUE(display.script.messages.empty());

    test::WriteBytes(file.string(), "$PartySize = 2\nset kMet = true\n");
    editor.Open(&file);
    EXPECT_EQ(environment.Get("$PartySize").GetInteger(), 2);
    const std::vector<StateRow> flags{{"kMet", "true"}, {}};
    EXPECT_EQ(editor.Rows(StateList::kFlags), flags);
}

}  // namespace
}  // namespace tw
