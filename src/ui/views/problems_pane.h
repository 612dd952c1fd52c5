#pragma once

// The "Problems" pane below the lists: the findings of the dialogue check of the current
// document, one row each with its severity icon, node and message.

#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/check/check_finding.h"

class QIcon;
class QLabel;
class QModelIndex;
class QStyle;
class QTableView;

namespace tw {

class ProblemsModel;

// The icon of a finding's severity, in the pane and wherever a node's problems are marked.
QIcon SeverityIcon(const QStyle& style, Severity severity);

class ProblemsPane : public QWidget {
    Q_OBJECT

public:
    // Where a row leads: the node and the command or response row.
    using Handler = std::function<void(std::int32_t nodeId, ItemKind item, std::size_t index)>;

    explicit ProblemsPane(QWidget* parent = nullptr);

    void SetFindings(const std::vector<Finding>& findings);
    // Double-click or Enter on a row.
    void SetActivateHandler(Handler handler) { activate_ = std::move(handler); }
    // Escape in the list: the writer leaves the pane (the window would take it for Quit).
    void SetLeaveHandler(std::function<void()> handler) { leave_ = std::move(handler); }
    QTableView* List() const { return list_; }
    // The findings the rows show, their node pointers unset.
    const std::vector<Finding>& Shown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Activate(const QModelIndex& index);

    QLabel* caption_ = nullptr;
    ProblemsModel* model_ = nullptr;
    QTableView* list_ = nullptr;
    Handler activate_;
    std::function<void()> leave_;
};

}  // namespace tw
