// The Problems pane's rows after check upon check: what a fresh pane would show, with only the
// rows that differ taken out and put in, so the writer's row stays where it was.

#include <gtest/gtest.h>

#include <QTableView>
#include <algorithm>
#include <memory>
#include <random>

#include "support/view_rows.h"
#include "ui/views/problems_model.h"
#include "ui/views/problems_pane.h"
#include "ui/views/problems_rows_diff.h"

namespace tw::test {
namespace {

Finding MakeFinding(int n) {
    return {"unset-name",
            Severity::Note,
            nullptr,
            n,
            "Node " + std::to_string(n),
            ItemKind::Node,
            0,
            "message " + std::to_string(n)};
}

QStringList Texts(const QTableView& list) {
    QStringList rows;
    for (int i = 0; i < RowCount(list); ++i) {
        rows << RowText(list, i, 1) + " | " + RowText(list, i, 2);
    }
    return rows;
}

// The rows either take each list whole, or (as after a check) follow a plan made elsewhere
// from the check they show to the next, with an exploration's rows after them left alone.
class ShownRows {
public:
    ShownRows(ProblemsPane& pane, bool isPlanned)
        : model_(static_cast<ProblemsModel&>(*pane.List()->model())), isPlanned_(isPlanned) {
        if (isPlanned_) {
            explored_ = {MakeFinding(-1), MakeFinding(-2)};
        }
    }
    void Show(const std::vector<Finding>& findings) {
        auto next = std::make_shared<const std::vector<Finding>>(findings);
        if (!isPlanned_) {
            model_.SetFindings(findings);
        } else if (check_ == nullptr) {
            model_.ShowCheck(next, explored_);
        } else {
            ASSERT_TRUE(model_.ApplyPlan({check_, next, PlanRows(*check_, *next)}));
            auto stale = std::make_shared<const std::vector<Finding>>(*check_);
            ASSERT_FALSE(model_.ApplyPlan({stale, stale, PlanRows(*stale, *stale)}));
        }
        check_ = next;
    }
    std::vector<Finding> Expected() const {
        std::vector<Finding> rows = *check_;
        rows.insert(rows.end(), explored_.begin(), explored_.end());
        return rows;
    }

private:
    ProblemsModel& model_;
    bool isPlanned_;
    std::shared_ptr<const std::vector<Finding>> check_;
    std::vector<Finding> explored_;
};

// Each round makes a few small changes at places far apart, as a check after edits of
// several nodes finds, and some rounds reorder most rows. The rows taken out and put in are
// at most those the changes made, and the current row follows its finding while it is there.
class ProblemsRows : public testing::TestWithParam<bool> {};

TEST_P(ProblemsRows, ChangesInSeveralPlacesMoveOnlyTheirRows) {
    ProblemsPane pane;
    QTableView& list = *pane.List();
    ShownRows shown(pane, GetParam());
    int moved = 0;
    bool reset = false;
    QObject::connect(list.model(), &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int last) { moved += last - first + 1; });
    QObject::connect(list.model(), &QAbstractItemModel::rowsRemoved,
                     [&](const QModelIndex&, int first, int last) { moved += last - first + 1; });
    QObject::connect(list.model(), &QAbstractItemModel::modelReset, [&] { reset = true; });
    std::vector<Finding> findings;
    for (int n = 0; n < 2000; ++n) {
        findings.push_back(MakeFinding(n));
    }
    shown.Show(findings);
    std::mt19937 random(5);
    int next = 10000;
    for (int round = 0; round < 100; ++round) {
        const auto pick = [&random](std::size_t most) {
            return std::uniform_int_distribution<std::size_t>(0, most)(random);
        };
        const auto current = static_cast<int>(pick(findings.size() - 1));
        list.setCurrentIndex(list.model()->index(current, 0));
        const std::string currentMessage = findings[static_cast<std::size_t>(current)].message;
        int changed = 0;
        for (std::size_t places = 1 + pick(3); places > 0; --places) {
            const std::size_t at = pick(findings.size() - 5);
            // now and then a cut and an insertion past what the rows are matched one by one
            const std::size_t cut = std::min(pick(round % 25 == 0 ? 700 : 3), findings.size() - at);
            findings.erase(findings.begin() + static_cast<std::ptrdiff_t>(at),
                           findings.begin() + static_cast<std::ptrdiff_t>(at + cut));
            const std::size_t added = pick(round % 25 == 1 ? 800 : 3);
            for (std::size_t i = 0; i < added; ++i) {
                findings.insert(findings.begin() + static_cast<std::ptrdiff_t>(at),
                                MakeFinding(next++));
            }
            changed += static_cast<int>(cut + added);
        }
        if (round % 10 == 9) {  // as after a sort: many rows move, none is made again
            std::reverse(findings.begin() + 100, findings.end() - 100);
        }
        moved = 0;
        shown.Show(findings);
        ProblemsPane fresh;
        fresh.SetFindings(shown.Expected());
        ASSERT_EQ(Texts(list), Texts(*fresh.List())) << "round " << round;
        EXPECT_LE(moved, changed) << "round " << round;
        const auto kept = std::find_if(findings.begin(), findings.end(), [&](const Finding& f) {
            return f.message == currentMessage;
        });
        if (kept != findings.end()) {
            EXPECT_EQ(CurrentRow(list), kept - findings.begin()) << "round " << round;
        }
    }
    EXPECT_FALSE(reset);
}

INSTANTIATE_TEST_SUITE_P(WholeOrPlanned, ProblemsRows, testing::Bool());

}  // namespace
}  // namespace tw::test
