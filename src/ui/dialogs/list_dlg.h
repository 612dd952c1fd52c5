#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/editing/choice_description_rules.h"
#include "ui/dialogs/editing_dialog.h"

namespace tw {

// "Describe List Command": up to eleven conditional choices and the return choice.
class ListDlg : public CEditingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 180;
    static constexpr int kChoiceIds[] = {1056, 1057, 1060, 1062, 1064, 1066,
                                         1068, 1070, 1072, 1074, 1076};
    static constexpr int kNodeIds[] = {1058, 1059, 1061, 1063, 1065, 1067,
                                       1069, 1071, 1073, 1075, 1077};
    static constexpr int kConditionIds[] = {1131, 1132, 1133, 1134, 1135, 1136,
                                            1137, 1138, 1139, 1140, 1142};
    static constexpr int kReturnChoiceId = 1117;
    static constexpr int kReturnNodeId = 1079;
    static_assert(std::size(kChoiceIds) == CommandList::kEntries);
    static_assert(std::size(kNodeIds) == CommandList::kEntries);
    static_assert(std::size(kConditionIds) == CommandList::kEntries);

    ListDlg(PlatformServices& services, const std::optional<ListFields>& prepared,
            const std::vector<std::string>& nodes, QWidget* parent = nullptr);
    ListFields Fields() const;
    const ListFields& Result() const { return result_; }

protected:
    void OnOk() override;

private:
    void AddRow(class QGridLayout* grid, int row, const std::vector<std::string>& nodes);
    void Show(const ListFields& fields);

    ListFields result_;
};

}  // namespace tw
