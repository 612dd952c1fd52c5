#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/editing/choice_description_rules.h"
#include "ui/dialogs/editing_dialog.h"

namespace tw {

// "Describe Multiple Choice Command": the two choices of a two-way question and their nodes.
class CYesNoDlg : public CEditingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 151;
    static constexpr int kChoiceIds[] = {1056, 1057};
    static constexpr int kNodeIds[] = {1058, 1059};

    CYesNoDlg(PlatformServices& services, const std::optional<YesNoFields>& prepared,
              const std::vector<std::string>& nodes, QWidget* parent = nullptr);
    YesNoFields Fields() const;
    // The fields of the command built on OK.
    const YesNoFields& Result() const { return result_; }

protected:
    void OnOk() override;

private:
    YesNoFields result_;
};

}  // namespace tw
