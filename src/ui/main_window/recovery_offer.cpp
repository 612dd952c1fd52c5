#include "ui/main_window/recovery_offer.h"

#include <QDateTime>
#include <QFileInfo>

#include "ui/dialogs/recover_dlg.h"
#include "ui/document/recovery_service.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

std::vector<RecoveryRow> RowsOf(const std::vector<RecoveryCopy>& copies) {
    std::vector<RecoveryRow> rows;
    for (const RecoveryCopy& copy : copies) {
        const std::optional<std::string>& path = copy.record.originalPath;
        rows.push_back(
            {path ? QFileInfo(FromPath(*path)).fileName() : QString("Untitled"),
             FromBytes(copy.record.npcName),
             QDateTime::fromSecsSinceEpoch(copy.record.savedAt).toString("yyyy-MM-dd hh:mm:ss")});
    }
    return rows;
}

void ShowSkipped(const std::vector<SkippedRecoveryCopy>& skipped, PlatformServices& services) {
    std::string text;
    for (const SkippedRecoveryCopy& copy : skipped) {
        text += (text.empty() ? "" : "\n") + copy.message;
    }
    services.ShowMessage(MessageKind::kWarning, "Warning", text, MessageButtons::kOk);
}

// Recovers or discards the chosen copies; the messages of those that failed.
std::string Apply(RecoveryService& recovery, const CRecoverDlg& dialog,
                  const std::vector<RecoveryCopy>& copies) {
    std::string failures;
    for (std::size_t row : dialog.ChosenRows()) {
        const RecoveryCopy& copy = copies[row];
        const std::optional<std::string> error = dialog.GetChoice() == CRecoverDlg::Choice::kRecover
                                                     ? recovery.Recover(copy)
                                                     : recovery.Discard(copy.id);
        if (error) {
            failures += (failures.empty() ? "" : "\n") + *error;
        }
    }
    return failures;
}

}  // namespace

void OfferRecovery(RecoveryService& recovery, PlatformServices& services,
                   const DialogRunner& runDialog, QWidget* parent) {
    RecoveryListing listing = recovery.LeftCopies();
    if (!listing.skipped.empty()) {
        ShowSkipped(listing.skipped, services);
    }
    while (!listing.copies.empty()) {
        CRecoverDlg dialog(RowsOf(listing.copies), parent);
        if (runDialog(dialog) != QDialog::Accepted ||
            dialog.GetChoice() == CRecoverDlg::Choice::kKeep) {
            return;
        }
        const std::string failures = Apply(recovery, dialog, listing.copies);
        if (!failures.empty()) {
            services.ShowMessage(MessageKind::kError, "Error", failures, MessageButtons::kOk);
        }
        listing.copies = recovery.LeftCopies().copies;
    }
}

}  // namespace tw
