#pragma once

// A text box lays out what it is given on the window's thread, and a few MiB keep the window
// busy for minutes: a paste that large is the writer's choice, asked for first.

#include <QObject>
#include <QtGlobal>

namespace tw {

class PlatformServices;

inline constexpr qsizetype kLargePasteCharacters = 1024 * 1024;

// True for a paste up to the limit, else the writer's answer to a Yes/No question.
bool ConfirmPaste(PlatformServices& services, qsizetype characters);

// Asks, through ConfirmPaste, before a paste key in the watched box lets the clipboard's
// text in; No swallows the key.
class PasteKeyCheck : public QObject {
public:
    PasteKeyCheck(PlatformServices& services, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PlatformServices& services_;
};

}  // namespace tw
