#pragma once

// Find over the current dialogue or every open one: the find bar, its search run between
// events a slice at a time so results show at once and the window stays responsive, and
// walking the results.

#include <QObject>
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/views/find_run.h"

class QTimer;

namespace tw {

class DocumentManager;
class EditorDocument;
class FindBar;

class FindPart : public QObject {
    Q_OBJECT

public:
    // Nodes searched per turn of the event loop at most; a turn also stops once it has
    // searched for kSliceMs or found kResultsPerSlice results, so a turn stays well
    // within a frame however dense the matches are. Making the rows of the results found
    // takes about as long again as finding them.
    static constexpr std::size_t kNodesPerSlice = 2000;
    static constexpr std::size_t kNodesPerStep = 10;
    static constexpr int kSliceMs = 4;
    static constexpr std::size_t kResultsPerSlice = 250;

    FindPart(DocumentManager& documents, FindBar& bar);

    // A new search replaces the one under way; the first slice runs at once.
    void Start(bool allDialogues);
    bool SearchesAll() const { return all_; }
    // Enter and F3 go to the next result, Shift+F3 to the one before, round the list.
    void Next(bool forward);
    void GoTo(int row);

signals:
    // A result to show: its document is made current first.
    void resultChosen(EditorDocument& document, std::int32_t nodeId, const SearchMatch& match);

private:
    void Slice();
    // The rows of the results not shown yet, up to the given one.
    void ShowResults(std::size_t upTo);
    bool IsFinished() const;
    void DropUnshown(const Dialogue& dialogue);
    // A search under way walks nodes between events: after a change that may have freed
    // some, it starts again on what is left.
    void RestartIfRunning();
    void Watch(EditorDocument& document);
    EditorDocument* DocumentOf(const Dialogue* dialogue);

    DocumentManager& documents_;
    FindBar& bar_;
    QTimer* timer_ = nullptr;
    std::unique_ptr<FindRun> run_;
    std::vector<FoundMatch> results_;
    std::size_t shown_ = 0;  // the results with a row
    int current_ = -1;
    bool all_ = false;
};

}  // namespace tw
