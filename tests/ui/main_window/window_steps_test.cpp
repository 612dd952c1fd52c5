// Walks through the window as a writer makes them, read from data/window_steps.txt: each walk
// starts on a small dialogue, clicks, types and presses keys, and checks after each step what
// the window and the document show. The file's header lists the steps and the checks.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QListWidget>
#include <fstream>

#include "model/clipboard_list.h"
#include "model/dialogue_json.h"
#include "support/modal_helpers.h"
#include "support/walks.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/editing_dialog.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/tester/party_dlg.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/test_dlg.h"
#include "ui/views/links_dlg.h"
#include "ui/views/map/map_scene.h"

namespace tw::test {
namespace {

class WindowSteps : public MainWindowTest, public testing::WithParamInterface<Walk> {
public:
    using Step = std::function<void(const QString& rest, const QStringList& words)>;

    void SetUp() override {
        MainWindowTest::SetUp();
        const std::string json =
            ReadFile(TW_SOURCE_DIR "/tests/ui/main_window/data/window_steps_start.json");
        ASSERT_EQ(DialogueFromJson(json, Current()), std::nullopt);
        Current().SetScratch(false);  // a document with content is kept when others open
        Refresh();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Select("Greeting");
        Mark();
    }

    std::string Json() { return DialogueToJson(Current()); }
    void Mark() {
        markedJson = Json();
        markedTree = TreeDump();
    }
    EnhancedListCtrl* List(const QString& name) const {
        return name == "commands" ? CommandList() : ResponseList();
    }
    QWidget* Target(const QString& name) const {
        const std::map<QString, QWidget*> targets{{"tree", Tree()},
                                                  {"commands", CommandList()},
                                                  {"responses", ResponseList()},
                                                  {"text", NodeText()},
                                                  {"comments", Comments()},
                                                  {"window", window.get()},
                                                  {"problems", Problems()->List()},
                                                  {"pattern", Find()->Pattern()},
                                                  {"lookin", Find()->LookIn()},
                                                  {"results", Find()->Results()},
                                                  {"map", &Named<MapView>("map")->Canvas()}};
        const auto found = targets.find(name);
        return found != targets.end() ? found->second : QApplication::focusWidget();
    }
    // The rows chosen as a writer chooses them: a click, then Ctrl and a click for each
    // further row; no rows is a click below the last one.
    void ClickRows(EnhancedListCtrl& list, const QStringList& rows) {
        if (rows.isEmpty()) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                              QPoint(6, list.viewport()->height() - 2));
        }
        for (int i = 0; i < rows.size(); ++i) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton,
                              i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                              CellPoint(list, rows[i].toInt(), 0));
        }
    }
    static void Key(QWidget* target, const QString& keys) {
        const QKeyCombination key = QKeySequence(keys)[0];
        target->setFocus();
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }
    void DragItem(const QString& from, const QString& to) {
        QWidget* viewport = Tree()->viewport();
        const QPoint start = Tree()->visualItemRect(Item(from)).center();
        const QPoint end = Tree()->visualItemRect(Item(to)).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(12, 0));
        QTest::mouseMove(viewport, end);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    }
    // A drop lands before the row found 10 pixels below the release point.
    static void DragRow(EnhancedListCtrl& list, int row, int before) {
        QWidget* viewport = list.viewport();
        const QPoint start = list.visualItemRect(list.topLevelItem(row)).center();
        const QPoint end(30, std::max(1, list.visualItemRect(list.topLevelItem(before)).top() - 8));
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(0, 12));
        QTest::mouseMove(viewport, end);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    }
    // A response's text cell opened for editing, its text replaced by the typed one.
    void TypeInCell(int row, const QString& typed) {
        CInPlaceEdit* editor = EditCell(*ResponseList(), row, 2);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        if (typed.isEmpty()) {
            QTest::keyClick(editor, Qt::Key_Backspace);
        }
        QTest::keyClicks(editor, typed);
    }
    void RightClick(const QString& label) {
        const QPoint at = Tree()->visualItemRect(Item(label)).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, Tree()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(Tree()->viewport(), &click);
    }

    // A dialog filled in as the writer does: `id=text` types, `@id` clicks, `?id=text`
    // checks a field, `title=` checks the caption, `pick=row` chooses a listed link,
    // `comments=` writes the NPC comments, `cancel` cancels; OK otherwise.
    DialogStep Dialog(const QStringList& fields) {
        return [this, fields](QDialog& opened) {
            auto* editing = dynamic_cast<CEditingDialog*>(&opened);
            bool ok = true;
            for (const QString& field : fields) {
                if (field.isEmpty()) {
                    continue;
                }
                const QString key = field.section('=', 0, 0);
                const QString value = field.section('=', 1);
                const int id = key.mid(key.startsWith('@') || key.startsWith('?') ? 1 : 0).toInt();
                if (key == "title") {
                    EXPECT_EQ(opened.windowTitle(), value);
                } else if (key == "cancel") {
                    ok = false;
                } else if (key == "comments") {
                    dynamic_cast<CCommentsDlg&>(opened).Editor()->SetStyledText(
                        value.toStdString());
                } else if (key == "pick") {
                    QListWidget* list = dynamic_cast<CLinksDlg&>(opened).List();
                    listed << ColumnTexts(*list, 0);
                    list->setCurrentRow(value.toInt());
                } else if (key.startsWith('@')) {
                    editing->Control<QAbstractButton>(id)->click();
                } else if (key.startsWith('?')) {
                    EXPECT_EQ(editing->Control<QLineEdit>(id)->text(), value);
                } else if (auto* box = editing->Control<QComboBox>(id)) {
                    box->setEditText(value);
                } else {
                    ASSERT_NE(editing->Control<QLineEdit>(id), nullptr) << id;
                    editing->Control<QLineEdit>(id)->setText(value);
                }
            }
            if (!ok) {
                opened.reject();
            } else if (editing != nullptr) {
                editing->Control<QAbstractButton>(1)->click();
            } else {
                opened.accept();
            }
        };
    }

    // Undone, the document and the tree are as at the mark; redone, as before the undo.
    void ExpectUndoAndRedo(const QString& name) {
        EXPECT_EQ(Action("undo")->text(), "&Undo " + name);
        const std::string after = Json();
        const QString tree = TreeDump();
        Trigger("undo");
        EXPECT_EQ(Json(), markedJson);
        EXPECT_EQ(TreeDump(), markedTree);
        EXPECT_FALSE(Current().IsModified());
        EXPECT_EQ(Action("redo")->text(), "&Redo " + name);
        Trigger("redo");
        EXPECT_EQ(Json(), after);
        EXPECT_EQ(TreeDump(), tree);
        EXPECT_TRUE(Current().IsModified());
    }

    void ExpectActions(const QStringList& names, bool enabled) {
        for (const QString& name : names) {
            EXPECT_EQ(Action(name)->isEnabled(), enabled) << name.toStdString();
        }
    }
    static MessageAnswer Answer(const QString& name) {
        const std::map<QString, MessageAnswer> answers{{"yes", MessageAnswer::kYes},
                                                       {"no", MessageAnswer::kNo},
                                                       {"ok", MessageAnswer::kOk},
                                                       {"cancel", MessageAnswer::kCancel}};
        return answers.at(name);
    }
    static QString Join(const QStringList& texts) { return texts.join('|'); }
    // A file of the walk's own directory, or with "sample:" one of the samples.
    std::string Path(const QString& name) const {
        return name.startsWith("sample:") ? SamplePath(name.mid(7).toStdString())
                                          : dir.File(name.toStdString());
    }
    // The dialogue another program writes: Brannoc with these nodes, in place over the file
    // or by a rename over it.
    static std::string Version(const QStringList& nodes) {
        Dialogue dialogue;
        dialogue.Npc().name = "Brannoc";
        for (const QString& name : nodes) {
            dialogue.AddNode(dialogue.GetNextNodeId(), kInitializationNodeId, name.toStdString(),
                             "");
            dialogue.SetNextNodeId(dialogue.GetNextNodeId() + 1);
        }
        return dialogue.Write();
    }
    void OtherProgramWrites(const std::string& file, const QString& how, const QStringList& nodes) {
        std::ofstream(how == "inplace" ? file : file + ".new", std::ios::binary | std::ios::trunc)
            << Version(nodes);
        if (how != "inplace") {
            std::filesystem::rename(file + ".new", file);
        }
    }
    // The File menu lists the recent files as it opens.
    QList<QAction*> RecentEntries() const {
        emit Menu("&File")->aboutToShow();
        return RecentMenu()->actions();
    }
    // The rows a view shows once the loop has turned for them.
    static void ExpectRowsSoon(const QAbstractItemView& view, int count) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return RowCount(view) == count; }, 3000))
            << RowCount(view);
    }
    // A dialogue kept as JSON under tests/, saved as a dialogue file and opened.
    void OpenJson(const QString& name) {
        Dialogue dialogue;
        const std::string json = ReadFile(TW_SOURCE_DIR "/tests/" + name.toStdString());
        ASSERT_EQ(DialogueFromJson(json, dialogue), std::nullopt);
        const std::string path = dir.File(QFileInfo(name).baseName().toStdString() + ".vrx");
        ASSERT_EQ(dialogue.SaveAs(path), std::nullopt);
        ASSERT_TRUE(window->OpenDialogueFile(path));
    }
    // A click on a table's row; a second press makes it a double click.
    static void ClickRow(QTableView& table, int row, bool twice) {
        const QPoint at = RowRect(table, row).center();
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
        }
    }
    // The map once it has settled.
    MapView& Map() const {
        auto* map = Named<MapView>("map");
        EXPECT_TRUE(QTest::qWaitFor([map] { return map->IsSettled(); }, 30000));
        return *map;
    }
    // How the map draws a node's box: selected, dimmed, problem, or plain.
    QString OnMap(const QString& name) const {
        const BoxMarks marks = Map().Scene().MarksOf(Map().Shown().Find(name.toStdString()));
        QStringList shown;
        shown << (marks.selected ? "selected" : "") << (marks.dimmed ? "dimmed" : "")
              << (marks.problem ? "problem" : "");
        shown.removeAll("");
        return shown.isEmpty() ? "plain" : shown.join(' ');
    }
    // The tester opened next, once it shows a node: that node, its response count and the
    // variables asked for (name=value, or name=undefined), then Quit.
    void OnTester(const QStringList& variables) {
        OnNextModal<CTestDlg>(
            [this, variables](CTestDlg& tester) {
                tested = QString("%1 %2")
                             .arg(tester.NodeName()->text())
                             .arg(tester.Responses()->count());
                const auto& environment = tester.Session().GetEnvironment();
                for (const QString& name : variables) {
                    const std::string variable = name.toStdString();
                    tested += " " + name + "=" +
                              QString::fromStdString(environment.IsDefined(variable)
                                                         ? environment.Get(variable).ToString()
                                                         : "undefined");
                }
                services.QueueAnswer(MessageAnswer::kYes);
                tester.Button("Quit")->click();
            },
            [](CTestDlg& tester) { return !tester.NodeName()->text().isEmpty(); });
    }
    // The last message box as caption|kind|buttons|text.
    QString LastBox() const {
        if (services.Messages().empty()) {
            return "(none)";
        }
        const auto& box = services.Messages().back();
        const char* kinds[] = {"error", "warning", "question"};
        const char* buttons[] = {"ok", "okcancel", "yesno", "yesnocancel"};
        return QStringList{QString::fromStdString(box.caption), kinds[static_cast<int>(box.kind)],
                           buttons[static_cast<int>(box.buttons)], QString::fromStdString(box.text)}
            .join('|');
    }
    // The file dialogs shown so far, by kind.
    QString FileDialogKinds() const {
        QStringList kinds;
        for (const auto& shown : services.FileDialogs()) {
            kinds << (!shown.save                     ? "open"
                      : shown.request.promptOverwrite ? "save"
                                                      : "save without asking");
        }
        return Join(kinds);
    }
    QString RecentTexts() const {
        QStringList texts;
        for (const QAction* entry : RecentEntries()) {
            texts << entry->text();
        }
        return Join(texts);
    }
    // How many nodes the map shows, and whether the first is the start.
    QString MapNodes() const {
        const auto& nodes = Map().Shown().Nodes();
        return QString::number(nodes.size()) + (nodes[0].isStart ? " start" : "");
    }
    static qsizetype Contents(QWidget* box) {
        auto* line = qobject_cast<QLineEdit*>(box);
        return line != nullptr ? line->text().size()
                               : qobject_cast<CStyleEditCtrl*>(box)->toPlainText().size();
    }
    static std::string Bytes(const QStringList& hex) {
        std::string bytes;
        for (const QString& byte : hex) {
            bytes.push_back(static_cast<char>(byte.toInt(nullptr, 16)));
        }
        return bytes;
    }

    std::map<QString, Step> Steps() {
        using W = const QStringList&;
        return {
            // What the writer does.
            {"click", [this](const QString& rest, W) { Select(rest); }},
            {"rightclick", [this](const QString& rest, W) { RightClick(rest); }},
            {"doubleclick",
             [this](auto&, W w) {
                 EnhancedListCtrl& list = *List(w[0]);
                 QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                                    CellPoint(list, w[1].toInt(), 0));
             }},
            {"rows", [this](auto&, W w) { ClickRows(*List(w[0]), w.mid(1)); }},
            {"press", [this](auto&, W w) { Press(w[0].toInt()); }},
            {"trigger", [this](const QString& rest, W) { Trigger(rest); }},
            {"key", [this](auto&, W w) { Key(Target(w[0]), w[1]); }},
            {"type",
             [this](const QString& rest, W w) {
                 Target(w[0])->setFocus();
                 QTest::keyClicks(Target(w[0]), rest.section(' ', 1));
             }},
            {"cell", [this](const QString& rest, W w) { TypeInCell(w[0].toInt(), rest.mid(2)); }},
            {"dialog",
             [this](const QString& rest, W) { steps.push_back(Dialog(rest.split('|'))); }},
            {"answer", [this](auto&, W w) { services.QueueAnswer(Answer(w[0])); }},
            {"popup", [](const QString& rest, W) { ChooseFromNextPopup(rest); }},
            {"dragnode",
             [this](const QString& rest, W) {
                 DragItem(rest.section(" > ", 0, 0), rest.section(" > ", 1));
             }},
            {"dragrow", [this](auto&, W w) { DragRow(*List(w[0]), w[1].toInt(), w[2].toInt()); }},
            {"tab", [this](auto&, W w) { ClickTab(w[0].toInt()); }},
            {"clip",
             [this](const QString& rest, W) { services.SetClipboardText(rest.toStdString()); }},
            {"clipcommands",
             [this](auto&, W w) { services.SetClipboardData(kNodeCommandListFormat, Bytes(w)); }},
            {"node",
             [this](auto&, W w) {
                 Current().AddNode(w[0].toInt(), w[1].toInt(), w[2].toStdString(), "");
                 Refresh();
             }},
            {"mark", [this](auto&, W) { Mark(); }},
            {"open", [this](auto&, W w) { OpenFile(Path(w[0])); }},
            {"file",
             [this](auto&, W w) {
                 services.QueueFileChoice(w[0] == "none" ? std::nullopt
                                                         : std::optional(Path(w[0])));
             }},
            {"copy",
             [this](auto&, W w) {
                 std::filesystem::create_directories(
                     std::filesystem::path(Path(w[1])).parent_path());
                 std::filesystem::copy_file(Path("sample:" + w[0]), Path(w[1]));
             }},
            {"remove", [this](auto&, W w) { std::filesystem::remove_all(Path(w[0])); }},
            {"close", [this](auto&, W) { window->close(); }},
            {"textmenu",
             [this](auto&, W) {
                 QTest::mouseRelease(NodeText()->viewport(), Qt::RightButton, {}, QPoint(20, 10));
                 QTest::qWait(100);  // the menu opens once the release is handled
             }},
            {"write", [this](auto&, W w) { OtherProgramWrites(Path(w[0]), w[1], w.mid(2)); }},
            {"whileasked",
             [this](auto&, W w) {
                 services.SetWhileShown([this, w](const auto&) {
                     OtherProgramWrites(Path(w[0]), "inplace", w.mid(1));
                     QTest::qWait(500);
                 });
             }},
            {"touch",
             [this](auto&, W w) {
                 const std::filesystem::path file = Path(w[0]);
                 last_write_time(file, last_write_time(file) + std::chrono::minutes(5));
             }},
            {"wait",
             [this](auto&, W w) {
                 const auto count = w[0].toULongLong();
                 ASSERT_TRUE(
                     QTest::qWaitFor([&] { return services.Messages().size() >= count; }, 5000));
             }},
            {"settle", [](auto&, W) { QTest::qWait(500); }},
            {"check",
             [this](const QString& rest, W) {
                 for (auto* box : Find()->findChildren<QCheckBox*>()) {
                     if (box->text().remove('&') == rest) {
                         QTest::mouseClick(box, Qt::LeftButton);
                     }
                 }
             }},
            {"button",
             [this](auto&, W w) {
                 QTest::mouseClick(Named<QAbstractButton>(w[0]), Qt::LeftButton);
             }},
            {"recent", [this](auto&, W w) { RecentEntries().at(w[0].toInt() - 1)->trigger(); }},
            {"openjson", [this](auto&, W w) { OpenJson(w[0]); }},
            {"bytes", [this](auto&, W w) { dir.Write(w[0].toStdString(), Bytes(w.mid(1))); }},
            {"bigclip",
             [](auto&, W w) {
                 QApplication::clipboard()->setText(
                     (QString(63, 'x') + '\n').repeated(w[0].toInt()));
             }},
            {"activate",
             [this](auto&, W) {
                 window->activateWindow();
                 ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
             }},
            {"finding",
             [this](auto&, W w) {
                 ClickRow(*Problems()->List(), w[0].toInt(), w.size() > 1 && w[1] == "twice");
             }},
            {"tester", [this](auto&, W w) { OnTester(w); }},
            {"mapclick",
             [this](const QString& rest, W) { ClickBox(Map(), rest.toStdString(), false); }},
            {"mapdouble",
             [this](const QString& rest, W) { ClickBox(Map(), rest.toStdString(), true); }},
            {"statewindow",
             [](auto&, W) {
                 OnNextModal<CStateDlg>([](CStateDlg& state) { state.Button("OK")->click(); });
             }},
            {"party",
             [](const QString& rest, W) {
                 OnNextModal<CPartyDlg>([rest](CPartyDlg& party) {
                     party.PlayerName()->setText(rest);
                     party.accept();
                 });
             }},
            {"errorlist",
             [this](auto&, W) {
                 OnNextModal<CErrorDlg>([this](CErrorDlg& list) {
                     tested = QString("%1 errors").arg(list.List()->count());
                     list.accept();
                 });
             }},
            {"result", [this](auto&, W w) { ClickRow(*Find()->Results(), w[0].toInt(), false); }},
            // What the writer sees, beyond what reads as text.
            {"expanded", [this](const QString& rest, W) { EXPECT_TRUE(Item(rest)->isExpanded()); }},
            {"collapsed",
             [this](const QString& rest, W) { EXPECT_FALSE(Item(rest)->isExpanded()); }},
            {"enabled", [this](auto&, W w) { ExpectActions(w, true); }},
            {"disabled", [this](auto&, W w) { ExpectActions(w, false); }},
            {"focused",
             [this](auto&, W w) { EXPECT_EQ(QApplication::focusWidget(), Target(w[0])); }},
            {"ondisk", [this](auto&, W w) { EXPECT_EQ(ReadFile(Path(w[0])), Version(w.mid(1))); }},
            {"saved", [this](auto&, W w) { EXPECT_EQ(ReadFile(Path(w[0])), Current().Write()); }},
            {"unchanged", [this](auto&, W) { EXPECT_EQ(Json(), markedJson); }},
            {"undo", [this](const QString& rest, W) { ExpectUndoAndRedo(rest); }},
            {"contains",
             [this](const QString& rest, W w) {
                 EXPECT_NE(ReadFile(Path(w[0])).find(rest.section(' ', 1).toStdString()),
                           std::string::npos);
             }},
            {"longer",
             [this](auto&, W w) { EXPECT_GT(Contents(Target(w[0])), w[1].toLongLong()); }},
            {"stored",
             [this](auto&, W w) {
                 EXPECT_GT(static_cast<qsizetype>(Json().size()), w[0].toLongLong());
             }},
            {"problemcount",
             [this](auto&, W w) { ExpectRowsSoon(*Problems()->List(), w[0].toInt()); }},
            {"foundcount",
             [this](auto&, W w) { ExpectRowsSoon(*Find()->Results(), w[0].toInt()); }},
            {"status",
             [this](const QString& rest, W) {
                 EXPECT_TRUE(StatusText()->text().contains(rest))
                     << StatusText()->text().toStdString();
             }},
            {"shaded",
             [this](const QString& rest, W) {
                 EXPECT_TRUE(Item(rest.section(' ', 1))->data(0, Qt::ForegroundRole).isValid() ==
                             (rest.section(' ', 0, 0) == "yes"));
             }},
            {"described",
             [this](const QString& rest, W) {
                 EXPECT_EQ(Item(rest.section(" = ", 0, 0))
                               ->data(0, Qt::AccessibleDescriptionRole)
                               .toString(),
                           rest.section(" = ", 1));
             }},
        };
    }

    // A check of what the writer sees that reads as text: its first words say where to look,
    // the rest of the line is what must be read there.
    struct Seen {
        int words;
        std::function<QString(const QStringList& w)> read;
    };
    static QString YesNo(bool on) { return on ? "yes" : "no"; }
    std::map<QString, Seen> Checks() {
        using W = const QStringList&;
        return {
            {"tree", {0, [this](W) { return TreeDump(); }}},
            {"current", {0, [this](W) { return Tree()->currentItem()->text(0); }}},
            {"column", {2, [this](W w) { return Join(Column(*List(w[0]), w[1].toInt())); }}},
            {"selected", {1, [this](W w) { return QString::number(List(w[0])->SelectedRow()); }}},
            {"text", {0, [this](W) { return NodeText()->toPlainText(); }}},
            {"message",
             {0,
              [this](W) {
                  return services.Messages().empty()
                             ? "(none)"
                             : QString::fromStdString(services.Messages().back().text);
              }}},
            {"messages", {0, [this](W) { return QString::number(services.Messages().size()); }}},
            {"listed", {0, [this](W) { return Join(listed); }}},
            {"tabs", {0, [this](W) { return Join(TabTitles()); }}},
            {"clipboard",
             {0,
              [this](W) {
                  return QString::fromStdString(services.GetClipboardText().value_or("(none)"));
              }}},
            {"modified", {0, [this](W) { return YesNo(Current().IsModified()); }}},
            {"title", {0, [this](W) { return ShownTitle(); }}},
            {"visible", {0, [this](W) { return YesNo(window->isVisible()); }}},
            {"commentbox", {0, [this](W) { return Comments()->text(); }}},
            {"filedialogs", {0, [this](W) { return FileDialogKinds(); }}},
            {"findbar", {0, [this](W) { return YesNo(Find()->isVisible()); }}},
            {"found",
             {1, [this](W w) { return Join(ColumnTexts(*Find()->Results(), w[0].toInt())); }}},
            {"recentfiles", {0, [this](W) { return RecentTexts(); }}},
            {"selection", {0, [this](W) { return NodeText()->textCursor().selectedText(); }}},
            {"box", {0, [this](W) { return LastBox(); }}},
            {"mapnodes", {0, [this](W) { return MapNodes(); }}},
            {"control",
             {1,
              [this](W w) { return Named<QWidget>(w[0])->isEnabled() ? "enabled" : "disabled"; }}},
            {"accessible", {1, [this](W w) { return Named<QWidget>(w[0])->accessibleName(); }}},
            {"filedialog",
             {0,
              [this](W) {
                  return services.FileDialogs().empty()
                             ? "(none)"
                             : QString::fromStdString(
                                   services.FileDialogs().back().request.caption);
              }}},
            {"problems",
             {1, [this](W w) { return Join(ColumnTexts(*Problems()->List(), w[0].toInt())); }}},
            {"shown", {1, [this](W w) { return YesNo(Named<QWidget>(w[0])->isVisible()); }}},
            {"checked", {1, [this](W w) { return YesNo(Action(w[0])->isChecked()); }}},
            {"onmap", {1, [this](W w) { return OnMap(w[0]); }}},
            {"tested", {0, [this](W) { return tested; }}},
        };
    }

    TempDir dir{"window_steps"};
    std::string markedJson;
    QString markedTree;
    QStringList listed;
    QString tested;
};

TEST_P(WindowSteps, ShowWhatTheWriterDid) {
    const std::map<QString, Step> known = Steps();
    const std::map<QString, Seen> checks = Checks();
    for (const std::string& line : GetParam().lines) {
        SCOPED_TRACE(line);
        const QString text = QString::fromStdString(line)
                                 .trimmed()
                                 .replace("<dir>", QString::fromStdString(dir.Path().string()))
                                 .replace("<samples>", TW_SOURCE_DIR "/samples");
        const QString verb = text.section(' ', 0, 0);
        const QString rest = text.section(' ', 1);
        const QStringList words = rest.split(' ', Qt::SkipEmptyParts);
        if (const auto check = checks.find(verb); check != checks.end()) {
            const int where = check->second.words;
            EXPECT_EQ(check->second.read(words), where == 0 ? rest : rest.section(' ', where));
            continue;
        }
        const auto step = known.find(verb);
        ASSERT_NE(step, known.end()) << "unknown step";
        step->second(rest, words);
        if (HasFatalFailure()) {
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Walks, WindowSteps,
    testing::ValuesIn(ReadWalks(TW_SOURCE_DIR "/tests/ui/main_window/data/window_steps.txt")),
    WalkTestName);

}  // namespace
}  // namespace tw::test
