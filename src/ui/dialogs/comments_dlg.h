#pragma once

#include <string>

#include "ui/controls/resizing_dialog.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace tw {

class CStyleEditCtrl;

// "Edit NPC Comments": the NPC comments in a styled text box with bold, italic, underline
// and four colours; resizable, the box growing with the window.
class CCommentsDlg : public CResizingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 157;
    static constexpr int kTimerMs = 100;

    CCommentsDlg(PlatformServices& services, const std::string& comments,
                 QWidget* parent = nullptr);
    // The comments as styled-text markup after OK.
    const std::string& GetComments() const { return comments_; }

    CStyleEditCtrl* Editor() const { return editor_; }
    QPushButton* StyleButton(int id) const;  // 1074 bold, 1075 italic, 1076 underline
    QComboBox* ColorList() const { return colors_; }

    void accept() override;
    void reject() override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void SetupControls();
    void SetupLayout();
    // The buttons, and the colour list when the colour is one of its four, follow the
    // selection.
    void FollowSelection(bool colourToo);
    void StopTimer();

    std::string comments_;
    CStyleEditCtrl* editor_ = nullptr;
    QPushButton* bold_ = nullptr;
    QPushButton* italic_ = nullptr;
    QPushButton* underline_ = nullptr;
    QComboBox* colors_ = nullptr;
    int timerId_ = 0;
};

}  // namespace tw
