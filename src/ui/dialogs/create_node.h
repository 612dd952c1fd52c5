#pragma once

#include <string>
#include <vector>

#include "ui/dialogs/editing_dialog.h"

namespace tw {

// "Create a New Node" (or the caller's title): a node's name and description, under the
// naming rules.
class CCreateNode : public CEditingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 145;

    // name is the node's current name, empty for a new node; title replaces the window's
    // when not empty.
    CCreateNode(PlatformServices& services, std::string name, std::string description,
                std::vector<std::string> nodeNames, const std::string& title = {},
                QWidget* parent = nullptr);
    // The accepted values after OK.
    const std::string& GetName() const { return name_; }
    const std::string& GetDescription() const { return description_; }

protected:
    void OnOk() override;

private:
    std::string name_;
    std::string description_;
    std::vector<std::string> nodeNames_;
};

}  // namespace tw
