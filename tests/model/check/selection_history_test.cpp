#include "model/check/selection_history.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(SelectionHistory, WalksBackAndForwardLikeABrowser) {
    SelectionHistory history;
    EXPECT_FALSE(history.Back().has_value());
    history.Visit(0);
    history.Visit(3);
    history.Visit(3);  // the same node again is no new step
    history.Visit(7);
    EXPECT_EQ(history.Back(), 3);
    EXPECT_EQ(history.Back(), 0);
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_FALSE(history.Back().has_value());
    EXPECT_EQ(history.Forward(), 3);
    EXPECT_EQ(history.Forward(), 7);
    EXPECT_FALSE(history.Forward().has_value());
}

TEST(SelectionHistory, ANewSelectionDropsTheRoadAhead) {
    SelectionHistory history;
    for (int id : {1, 2, 3}) {
        history.Visit(id);
    }
    EXPECT_EQ(history.Back(), 2);
    history.Visit(9);
    EXPECT_FALSE(history.CanGoForward());
    EXPECT_EQ(history.Back(), 2);
    EXPECT_EQ(history.Back(), 1);
    history.Clear();
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_FALSE(history.CanGoForward());
}

}  // namespace
}  // namespace tw
