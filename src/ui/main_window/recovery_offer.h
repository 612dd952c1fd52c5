#pragma once

// At start-up, the unsaved work that editors which did not end cleanly left behind is
// offered back to the writer.

#include "ui/dialogs/editing_dialog.h"

class QWidget;

namespace tw {

class PlatformServices;
class RecoveryService;

// Says which copies could not be read, then runs "Recover Unsaved Work" while copies are
// left and the writer recovers or discards some; closing the window keeps the rest for the
// next start. Nothing is shown when nothing was left.
void OfferRecovery(RecoveryService& recovery, PlatformServices& services,
                   const DialogRunner& runDialog, QWidget* parent);

}  // namespace tw
