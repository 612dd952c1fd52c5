#include "ui/views/large_paste.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <cstdio>
#include <string>

#include "ui/platform/platform_services.h"

namespace tw {
namespace {

std::string LargePasteQuestion(qsizetype characters) {
    char mebibytes[32];
    std::snprintf(mebibytes, sizeof mebibytes, "%.1f", static_cast<double>(characters) / (1 << 20));
    return std::string("The clipboard holds ") + mebibytes + " MiB of text. Paste it?";
}

}  // namespace

bool ConfirmPaste(PlatformServices& services, qsizetype characters) {
    return characters <= kLargePasteCharacters ||
           services.ShowMessage(MessageKind::kQuestion, "Dialogue Editor",
                                LargePasteQuestion(characters),
                                MessageButtons::kYesNo) == MessageAnswer::kYes;
}

PasteKeyCheck::PasteKeyCheck(PlatformServices& services, QObject* parent)
    : QObject(parent), services_(services) {}

bool PasteKeyCheck::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        return !ConfirmPaste(services_, QGuiApplication::clipboard()->text().size());
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tw
