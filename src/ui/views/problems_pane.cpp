#include "ui/views/problems_pane.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/views/problems_model.h"

namespace tw {
namespace {

constexpr int kVisibleRows = 6;

// A table, not a tree: a tree lays out every row after any insertion, which at 50,000
// findings is longer than a frame; a table of rows of one height lays out none.
void SetUpList(QTableView& list) {
    list.setObjectName("problemsList");
    list.setAccessibleName("Problems");
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    list.setTabKeyNavigation(false);  // Tab leaves the pane, as from every other list
    list.setShowGrid(false);
    list.setWordWrap(false);
    list.setAlternatingRowColors(true);
    list.setCornerButtonEnabled(false);
    QHeaderView& rows = *list.verticalHeader();
    rows.hide();
    rows.setSectionResizeMode(QHeaderView::Fixed);
    const int iconHeight = list.style()->pixelMetric(QStyle::PM_SmallIconSize);
    rows.setDefaultSectionSize(std::max(list.fontMetrics().height(), iconHeight) + 4);
    QHeaderView& columns = *list.horizontalHeader();
    columns.setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns.setHighlightSections(false);
    columns.setStretchLastSection(true);
    list.setColumnWidth(ProblemsModel::kSeverity, 90);
    list.setColumnWidth(ProblemsModel::kNode, 200);
    // A few rows at first: the tree, the text and the lists keep the window's height until
    // the writer moves the splitter above the pane.
    list.setMinimumHeight(list.fontMetrics().lineSpacing() * (kVisibleRows + 2));
}

}  // namespace

QIcon SeverityIcon(const QStyle& style, Severity severity) {
    switch (severity) {
        case Severity::Error:
            return style.standardIcon(QStyle::SP_MessageBoxCritical);
        case Severity::Warning:
            return style.standardIcon(QStyle::SP_MessageBoxWarning);
        case Severity::Note:
            return style.standardIcon(QStyle::SP_MessageBoxInformation);
    }
    return {};
}

ProblemsPane::ProblemsPane(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    caption_ = new QLabel("&Problems:", this);
    own_ = new ProblemsModel(*style(), this);
    model_ = own_;
    list_ = new QTableView(this);
    list_->setModel(own_);
    ownSelection_ = list_->selectionModel();
    SetUpList(*list_);
    list_->installEventFilter(this);
    caption_->setBuddy(list_);
    layout->addWidget(caption_);
    layout->addWidget(list_, 1);
    connect(list_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { Activate(index); });
}

bool ProblemsPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (leave_) {
            leave_();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ProblemsPane::SetFindings(const std::vector<Finding>& findings) {
    Model().SetFindings(findings);
}

// The view makes a selection model of its own for every model it is given; that one is
// dropped at once for the one kept with the model.
void ProblemsPane::ShowModel(ProblemsModel* model, QItemSelectionModel* selection) {
    if (model == nullptr) {
        model = own_;
        selection = ownSelection_;
    }
    if (model == model_) {
        return;
    }
    model_ = model;
    list_->setModel(model);
    QItemSelectionModel* made = list_->selectionModel();
    list_->setSelectionModel(selection);
    delete made;
}

const std::vector<Finding>& ProblemsPane::Shown() const {
    return Model().Shown();
}

void ProblemsPane::Activate(const QModelIndex& index) {
    if (!index.isValid() || !activate_) {
        return;
    }
    const Finding& finding = Shown()[static_cast<std::size_t>(index.row())];
    activate_(finding.nodeId, finding.item, finding.index);
}

}  // namespace tw
