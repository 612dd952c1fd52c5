#pragma once

// The node editor: the current node's text, comments, commands and responses, with the
// buttons under the lists. It follows the current document and its current node, writes
// what the writer types back through the document, and runs the lists' commands (the
// editing dialogs, the clipboard, following a row's link).

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/check/check_finding.h"
#include "ui/dialogs/editing_dialog.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace tw {

class CStyleEditCtrl;
class DialogueNode;
class EditorDocument;
class EnhancedListCtrl;
class PlatformServices;
struct SearchMatch;

class NodeEditor : public QObject {
    Q_OBJECT

public:
    // The widgets are made as children of parent, for the window to lay out.
    NodeEditor(PlatformServices& services, const DialogRunner& runDialog, QWidget* parent);

    CStyleEditCtrl& Text() { return *text_; }
    QLineEdit& Comments() { return *comments_; }
    EnhancedListCtrl& CommandList() { return *commands_; }
    EnhancedListCtrl& ResponseList() { return *responses_; }
    // The buttons under the lists: Add, Edit and Delete, commands then responses.
    const std::vector<QPushButton*>& CommandButtons() const { return commandButtons_; }
    const std::vector<QPushButton*>& ResponseButtons() const { return responseButtons_; }

    // The document whose current node the editor shows; none shows nothing.
    void SetDocument(EditorDocument* document);

    // The buttons.
    void AddCommand();
    void EditCommand();
    void DeleteCommands();
    void AddResponse();
    void EditResponse();
    void DeleteResponses();
    // The Edit menu: the selected commands, else the selected responses, else the node text
    // when it has the focus.
    void Cut();
    void Copy();
    void Paste();
    void Delete();
    void SelectAll();
    // Each list's own clipboard keys act on its kind only.
    void CopyCommands();
    void CopyResponses();
    void PasteCommands();
    void PasteResponses();

    // The node a selected command or response leads to, for Go to Node: the row with the
    // focus, else the selected command, else the selected response; none without a link.
    std::int32_t LinkedNodeId();
    // Selects the row of the shown node's list; for ItemKind::Node the focus goes nowhere.
    bool SelectRow(ItemKind item, std::size_t index);
    // The match of a search in the shown node: its row, or the text in the text box.
    void ShowMatch(const SearchMatch& match);

signals:
    // The node text has asked for the Edit menu (a right click in it).
    void editMenuRequested();
    // A list has asked for its context menu at the position (viewport coordinates).
    void listMenuRequested(EnhancedListCtrl& list, const QPoint& pos);

private:
    void MakeWidgets(QWidget* parent);
    void MakeButtons(QWidget* parent);
    void BindKeys();
    void ConnectControls();
    void ConnectDocument();
    void ShowCurrentNode();
    void ShowNodeChange(std::int32_t id);
    void ShowNode(DialogueNode& node);
    void EnableNode(bool enabled);
    void WriteBackText();
    void WriteBackComments();
    void OnResponseEdited(int row, QString& text);
    // The node whose commands and responses the lists show. An edit still open in a list
    // may end after the selection has moved on, and then belongs to this node.
    DialogueNode* ListedNode();
    std::vector<std::size_t> SelectedCommandIndices() const;
    std::vector<std::size_t> SelectedResponseIndices();
    void RemoveSelectedCommands(const QString& stepName);
    void RemoveSelectedResponses(const QString& stepName);
    int SingleSelectedRow(const EnhancedListCtrl& list);
    // Runs a change that the controls already show: the document's report of it is not
    // shown again.
    template <typename Change>
    void Write(Change change);

    PlatformServices& services_;
    const DialogRunner& runDialog_;
    QPointer<EditorDocument> document_;
    CStyleEditCtrl* text_ = nullptr;
    QLineEdit* comments_ = nullptr;
    EnhancedListCtrl* commands_ = nullptr;
    EnhancedListCtrl* responses_ = nullptr;
    std::vector<QPushButton*> commandButtons_;
    std::vector<QPushButton*> responseButtons_;
    std::int32_t listedNodeId_ = -1;
    // Set while the editor fills its own boxes, so their change signals write nothing back.
    bool filling_ = false;
    // Set while the editor hands a change to the document that its controls already show.
    bool writing_ = false;
};

}  // namespace tw
