#include "ui/views/find_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/controls/shown_label.h"
#include "ui/platform/text_codec.h"

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
    results_ = new QTreeWidget(this);
    results_->setAccessibleName(tr("Find results"));
    results_->setHeaderLabels({tr("Node"), tr("Where"), tr("Line")});
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->header()->setStretchLastSection(true);
    results_->setColumnWidth(0, 160);
    results_->setColumnWidth(1, 130);
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
    connect(results_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (onActivate)
            onActivate(results_->indexOfTopLevelItem(item));
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

FindBar::~FindBar() {
    qDeleteAll(retired_);
}

// A search of a large dialogue leaves a row for each of many thousands of matches. Taking
// them out of the list is one change of it; freeing them all at once would hold up the
// next search's first results, so they go a slice at a time on later turns of the loop.
void FindBar::ClearResults() {
    const bool freeing = !retired_.isEmpty();
    retired_.append(results_->invisibleRootItem()->takeChildren());
    if (!freeing && !retired_.isEmpty()) {
        QTimer::singleShot(0, this, [this] { FreeSomeRetired(); });
    }
}

void FindBar::FreeSomeRetired() {
    constexpr qsizetype kRowsFreedPerTurn = 4000;
    for (qsizetype n = std::min(kRowsFreedPerTurn, retired_.size()); n > 0; --n) {
        delete retired_.takeLast();
    }
    if (!retired_.isEmpty()) {
        QTimer::singleShot(0, this, [this] { FreeSomeRetired(); });
    }
}

void FindBar::AddResult(const QString& node, const SearchMatch& match) {
    results_->addTopLevelItem(MakeResult(node, match));
}

void FindBar::AddResults(const std::vector<std::pair<QString, const SearchMatch*>>& results) {
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(results.size()));
    for (const auto& [node, match] : results) {
        items.push_back(MakeResult(node, *match));
    }
    results_->addTopLevelItems(items);
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

QTreeWidgetItem* FindBar::MakeResult(const QString& node, const SearchMatch& match) const {
    return new QTreeWidgetItem(
        {node, tr(std::string(SearchFieldCaption(match.field)).c_str()), MarkedLine(match)});
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
        onActivate(results_->indexOfTopLevelItem(results_->currentItem()));
    return true;
}

}  // namespace tw
