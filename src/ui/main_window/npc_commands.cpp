#include "ui/main_window/npc_commands.h"

#include "model/dialogue.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/npc_dlg.h"
#include "ui/document/document_manager.h"

namespace tw {

NpcCommands::NpcCommands(DocumentManager& documents, PlatformServices& services,
                         const DialogRunner& runDialog, QWidget& window)
    : QObject(&window),
      documents_(documents),
      services_(services),
      runDialog_(runDialog),
      window_(window) {}

void NpcCommands::EditComments() {
    EditorDocument& document = documents_.Current();
    CCommentsDlg dialog(services_, document.GetDialogue().GetComments(), &window_);
    if (runDialog_(dialog) == QDialog::Accepted) {
        document.SetNpcComments(dialog.GetComments());
    }
}

// The document takes the copy only when it differs.
void NpcCommands::EditProperties() {
    EditorDocument& document = documents_.Current();
    NPCData npc = document.GetDialogue().Npc();
    EditNpcData(npc);
    document.SetNpcData(npc);
}

void NpcCommands::EditNpcData(NPCData& npc) {
    CNPCDlg dialog(services_, npc, &window_);
    runDialog_(dialog);
}

}  // namespace tw
