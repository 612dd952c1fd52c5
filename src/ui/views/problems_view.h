#pragma once

// The Problems pane of the current document with the line that counts its findings. The
// check runs a moment after the last change, so typing is never held up, over what the
// document's check cache kept of the nodes the change did not touch.

#include <QPointer>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/check/check_finding.h"

class QLabel;
class QTimer;
class QTreeWidget;

namespace tw {

class EditorDocument;
class ProblemsPane;

class ProblemsView : public QWidget {
    Q_OBJECT

public:
    // The check runs this long after the last change.
    static constexpr int kCheckDelayMs = 400;

    explicit ProblemsView(QWidget* parent = nullptr);

    // The document the pane checks; its changes schedule the next check.
    void SetDocument(EditorDocument* document);
    // Checks at once, deriving every node afresh (the writer asked for it).
    void CheckNow();
    ProblemsPane& Pane() { return *pane_; }
    QTreeWidget* List() const;

signals:
    // Double-click or Enter on a finding: its node and its command or response row.
    void findingChosen(std::int32_t nodeId, ItemKind item, std::size_t index);
    // Escape in the list: the writer leaves the pane.
    void leaveRequested();
    // After every check, with what it found (the map marks the nodes).
    void checked(const std::vector<Finding>& findings);

private:
    void Schedule();
    void Check();

    ProblemsPane* pane_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* timer_ = nullptr;
    QPointer<EditorDocument> document_;
};

}  // namespace tw
