#pragma once

// The state editor's messages shown through the platform services and the error list
// window, for a state editor that has no window of its own; and the quiet load of a state
// file through it.

#include <QWidget>
#include <filesystem>

#include "tester/state_editor.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/platform/platform_services.h"

namespace tw {

class StateEditorMessages : public StateEditorDisplay {
public:
    StateEditorMessages(PlatformServices& services, QWidget& parent)
        : services_(services), parent_(parent) {}

    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override {
        return services_.ShowMessage(kind, caption, text, buttons);
    }
    void ShowErrors(const std::vector<std::string>& errors) override {
        CErrorDlg list(errors, &parent_);
        list.exec();
    }
    // Loads the file (when there is one) into the environment as the state window would on
    // opening and OK, without the window.
    void LoadQuietly(Environment& environment, const std::filesystem::path* file) {
        StateEditor editor(environment, *this);
        editor.Open(file);
        editor.Ok();
    }

private:
    PlatformServices& services_;
    QWidget& parent_;
};

}  // namespace tw
