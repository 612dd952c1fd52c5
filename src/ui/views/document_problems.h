#pragma once

// What the Problems pane shows of one document, kept with the document while another one is
// on show: its rows and the writer's place in them, the check's findings, the state they are
// of and the status line. Going back to a document that has not changed since its check shows
// them again as they were, without a check and without copying a row.

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/check/check_finding.h"

class QItemSelectionModel;

namespace tw {

class EditorDocument;
class ProblemsModel;

class DocumentProblems : public QObject {
    Q_OBJECT

public:
    // The document's rows, made on first use and living as long as the document.
    static DocumentProblems& Of(EditorDocument& document);

    ProblemsModel& Model() { return *model_; }
    QItemSelectionModel& Selection() { return *selection_; }

    // The findings of the last check, and whether they are of the document as it is now.
    // They are shared with the rows that show them and the next check's thread, which plans
    // its rows from them; none of them changes them.
    const std::shared_ptr<const std::vector<Finding>>& CheckFindings() const {
        return checkFindings_;
    }
    void KeepCheck(std::shared_ptr<const std::vector<Finding>> findings, std::uint64_t generation);
    bool IsUpToDate() const;

    // The status line under the rows as last shown; keeping it clears ExploreChanged.
    const QString& Status() const { return status_; }
    void KeepStatus(const QString& status);
    // The exploration's result came or went since the rows were last shown.
    bool ExploreChanged() const { return exploreChanged_; }

signals:
    // The exploration's result came or went.
    void exploreResultChanged();

private:
    explicit DocumentProblems(EditorDocument& document);

    EditorDocument& document_;
    ProblemsModel* model_ = nullptr;
    QItemSelectionModel* selection_ = nullptr;
    std::shared_ptr<const std::vector<Finding>> checkFindings_ =
        std::make_shared<const std::vector<Finding>>();
    std::uint64_t generation_ = 0;
    bool isChecked_ = false;
    QString status_;
    bool exploreChanged_ = false;
};

}  // namespace tw
