#pragma once

// The find bar over the current dialogue: the text, the case and whole-word options, where
// to look, and the list of results. It holds no search of its own: the window runs the
// core search and fills the list.

#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "model/search/dialogue_search.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;
class QTableView;

namespace tw {

class FindResultsModel;

class FindBar : public QWidget {
public:
    explicit FindBar(QWidget* parent = nullptr);
    ~FindBar() override;

    // The options as the controls hold them; the text as the model's bytes.
    SearchOptions Options() const;
    QLineEdit* Pattern() const { return pattern_; }
    QCheckBox* MatchCase() const { return matchCase_; }
    QCheckBox* WholeWords() const { return wholeWords_; }
    QComboBox* LookIn() const { return lookIn_; }
    QTableView* Results() const { return results_; }

    // Enter in the text: the window goes to the next result.
    std::function<void()> onEnter;
    // A result was activated (Enter or double-click on its row).
    std::function<void(int row)> onActivate;
    // Escape anywhere in the bar, or its close button: the window hides it.
    std::function<void()> onClose;

    void ClearResults();
    // Rows of the node's label, the field's caption and the line with the match marked.
    void AddResults(const std::vector<std::pair<QString, const SearchMatch*>>& results);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setupControls();
    void setupLayout();

    QLineEdit* pattern_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* wholeWords_ = nullptr;
    QComboBox* lookIn_ = nullptr;
    FindResultsModel* model_ = nullptr;
    QTableView* results_ = nullptr;
    QToolButton* close_ = nullptr;
};

}  // namespace tw
