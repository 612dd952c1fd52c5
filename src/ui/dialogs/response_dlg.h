#pragma once

#include <memory>
#include <optional>
#include <string>

#include "model/editing/response_dialog_rules.h"
#include "ui/dialogs/editing_dialog.h"

namespace tw {

// "Create Response" / "Edit Response": an [ADD] response (tag, player text, goto node) or a
// [CUT] response (the tag to remove), each with an optional condition. An edited response
// is changed in place on OK; a new one is built and handed to the caller.
class CResponseDlg : public CEditingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 147;

    // response is the one to edit, or none to create one. context.dialogue must be set.
    CResponseDlg(PlatformServices& services, NodeResponse* response, ResponseContext context,
                 QWidget* parent = nullptr);

    ResponseFields Fields() const;
    bool IsCreateMode() const { return response_ == nullptr; }
    // The response created on OK; none when editing or cancelled.
    std::unique_ptr<NodeResponse> TakeCreated() { return std::move(created_); }

protected:
    void OnOk() override;

private:
    void SetupAdd(class QGridLayout* grid);
    void SetupCut(QGridLayout* grid);
    void SetupCondition(QGridLayout* grid);
    void Show(const NodeResponse& response);
    void SetAddMode(bool add);
    void OnChoose();

    NodeResponse* response_;
    ResponseContext context_;
    std::optional<std::string> condition_;
    std::unique_ptr<NodeResponse> created_;
};

}  // namespace tw
