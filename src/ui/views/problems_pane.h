#pragma once

// The "Problems" pane below the lists: the findings of the dialogue check of the current
// document, one row each with its severity icon, node and message.

#include <QPointer>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/check/check_finding.h"
#include "ui/views/problems_model.h"

class QIcon;
class QItemSelectionModel;
class QLabel;
class QModelIndex;
class QStyle;
class QTableView;

namespace tw {

// The icon of a finding's severity, in the pane and wherever a node's problems are marked.
QIcon SeverityIcon(const QStyle& style, Severity severity);

class ProblemsPane : public QWidget {
    Q_OBJECT

public:
    // Where a row leads: the node and the command or response row.
    using Handler = std::function<void(std::int32_t nodeId, ItemKind item, std::size_t index)>;

    explicit ProblemsPane(QWidget* parent = nullptr);

    void SetFindings(const std::vector<Finding>& findings);
    // Shows the rows of another model with the selection kept for them (each document has
    // its own, so a switch copies no rows); null for the pane's own.
    void ShowModel(ProblemsModel* model, QItemSelectionModel* selection);
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
    ProblemsModel& Model() const { return model_ != nullptr ? *model_ : *own_; }

    QLabel* caption_ = nullptr;
    ProblemsModel* own_ = nullptr;
    QItemSelectionModel* ownSelection_ = nullptr;
    // The model on show, which goes with its document.
    QPointer<ProblemsModel> model_;
    QTableView* list_ = nullptr;
    Handler activate_;
    std::function<void()> leave_;
};

}  // namespace tw
