#include "ui/views/find_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/controls/shown_label.h"
#include "ui/platform/text_codec.h"
#include "ui/views/find_results_model.h"

namespace tw {

namespace {

constexpr std::uint32_t kNodeFields =
    FieldBit(SearchField::kNodeName) | FieldBit(SearchField::kNodeDescription);
constexpr std::uint32_t kCommandFields =
    FieldBit(SearchField::kCommandText) | FieldBit(SearchField::kCommandCondition);
constexpr std::uint32_t kResponseFields =
    FieldBit(SearchField::kResponseTag) | FieldBit(SearchField::kResponseText) |
    FieldBit(SearchField::kResponseTarget) | FieldBit(SearchField::kResponseCondition);

// The "Look in:" choices, in the order the box lists them.
struct Scope {
    const char* caption;
    std::uint32_t fields;
};
constexpr Scope kScopes[] = {
    {"Everywhere", kAllSearchFields},
    {"Node names and descriptions", kNodeFields},
    {"Node text", FieldBit(SearchField::kNodeText)},
    {"Comments", FieldBit(SearchField::kComments)},
    {"Commands", kCommandFields},
    {"Responses", kResponseFields},
};

// A table, not a tree: a tree lays out every row after each slice of results is added,
// which with tens of thousands of them is longer than a frame.
void SetUpResults(QTableView& results) {
    results.setSelectionBehavior(QAbstractItemView::SelectRows);
    results.setSelectionMode(QAbstractItemView::SingleSelection);
    results.setEditTriggers(QAbstractItemView::NoEditTriggers);
    results.setTabKeyNavigation(false);
    results.setShowGrid(false);
    results.setWordWrap(false);
    results.setCornerButtonEnabled(false);
    QHeaderView& rows = *results.verticalHeader();
    rows.hide();
    rows.setSectionResizeMode(QHeaderView::Fixed);
    rows.setDefaultSectionSize(results.fontMetrics().height() + 4);
    QHeaderView& columns = *results.horizontalHeader();
    columns.setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns.setHighlightSections(false);
    columns.setStretchLastSection(true);
    results.setColumnWidth(0, 160);
    results.setColumnWidth(1, 130);
}

}  // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    setupControls();
    setupLayout();
}

void FindBar::setupControls() {
    pattern_ = new QLineEdit(this);
    pattern_->installEventFilter(this);
    matchCase_ = new QCheckBox(tr("Match &case"), this);
    wholeWords_ = new QCheckBox(tr("&Whole words"), this);
    lookIn_ = new QComboBox(this);
    for (const Scope& scope : kScopes)
        lookIn_->addItem(tr(scope.caption));
    model_ = new FindResultsModel(this);
    results_ = new QTableView(this);
    results_->setModel(model_);
    results_->setObjectName("findResults");
    results_->setAccessibleName(tr("Find results"));
    SetUpResults(*results_);
    results_->installEventFilter(this);
    close_ = new QToolButton(this);
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    close_->setObjectName("closeFindBar");
    close_->setAccessibleName(tr("Close find bar"));
    close_->setToolTip(tr("Close find bar (Esc)"));
    connect(close_, &QToolButton::clicked, this, [this] {
        if (onClose)
            onClose();
    });
    connect(results_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (onActivate)
            onActivate(index.row());
    });
}

void FindBar::setupLayout() {
    auto* find = new QLabel(tr("F&ind:"), this);
    find->setBuddy(pattern_);
    auto* lookIn = new QLabel(tr("&Look in:"), this);
    lookIn->setBuddy(lookIn_);
    auto* row = new QHBoxLayout;
    row->addWidget(find);
    row->addWidget(pattern_, 1);
    row->addWidget(matchCase_);
    row->addWidget(wholeWords_);
    row->addWidget(lookIn);
    row->addWidget(lookIn_);
    row->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addLayout(row);
    layout->addWidget(results_);
    results_->setMinimumHeight(110);
}

SearchOptions FindBar::Options() const {
    const int scope = std::max(0, lookIn_->currentIndex());
    return SearchOptions{ToBytes(pattern_->text()), matchCase_->isChecked(),
                         wholeWords_->isChecked(), kScopes[scope].fields};
}

FindBar::~FindBar() = default;

void FindBar::ClearResults() {
    model_->Clear();
}

namespace {

// The line with the match in brackets. A line of a text may be megabytes long: only some of
// it before the match is shown, and a bounded part of the match and of what follows.
QString MarkedLine(const SearchMatch& match) {
    constexpr std::size_t kBefore = 200;
    const std::string_view line = match.line;
    const std::size_t from = match.offset > kBefore ? match.offset - kBefore : 0;
    const QString cut = from > 0 ? QStringLiteral("\u2026") : QString();
    return cut + FromBytes(line.substr(from, match.offset - from)) + QStringLiteral("[") +
           ShownLabel(line.substr(match.offset, match.length)) + QStringLiteral("]") +
           ShownLabel(line.substr(match.offset + match.length));
}

}  // namespace

void FindBar::AddResults(const std::vector<std::pair<QString, const SearchMatch*>>& results) {
    std::vector<FindResultsModel::Row> rows;
    rows.reserve(results.size());
    for (const auto& [node, match] : results) {
        rows.push_back(
            {node, tr(std::string(SearchFieldCaption(match->field)).c_str()), MarkedLine(*match)});
    }
    model_->Append(std::move(rows));
}

// Escape from any control of the bar closes the bar and goes no further: the window would
// take it for Quit.
void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        if (onClose)
            onClose();
        return;
    }
    QWidget::keyPressEvent(event);
}

// Enter in the text finds the next result; Enter on a result goes there. Neither presses
// the window's default button.
bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return QWidget::eventFilter(watched, event);
    if (watched == pattern_ && onEnter)
        onEnter();
    else if (watched == results_ && onActivate)
        onActivate(results_->currentIndex().row());
    return true;
}

}  // namespace tw
