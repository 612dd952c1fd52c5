#pragma once

#include "model/npc_data.h"
#include "ui/dialogs/editing_dialog.h"

namespace tw {

// "NPC Data": the id, name and gender of a dialogue's NPC, changed in place on OK.
class CNPCDlg : public CEditingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 154;

    CNPCDlg(PlatformServices& services, NPCData& npc, QWidget* parent = nullptr);

protected:
    void OnOk() override;

private:
    NPCData& npc_;
};

}  // namespace tw
