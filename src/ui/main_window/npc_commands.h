#pragma once

// "Edit NPC Comments" and "Edit NPC Properties": each dialog edits a copy, which the current
// document takes as one step.

#include <QObject>

#include "ui/dialogs/editing_dialog.h"

namespace tw {

class DocumentManager;
class PlatformServices;
struct NPCData;

class NpcCommands : public QObject {
    Q_OBJECT

public:
    NpcCommands(DocumentManager& documents, PlatformServices& services,
                const DialogRunner& runDialog, QWidget& window);

    void EditComments();
    void EditProperties();
    // The NPC dialog on any NPC's data, a new dialogue's among them.
    void EditNpcData(NPCData& npc);

private:
    DocumentManager& documents_;
    PlatformServices& services_;
    const DialogRunner& runDialog_;
    QWidget& window_;
};

}  // namespace tw
