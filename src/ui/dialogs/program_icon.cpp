#include "ui/dialogs/program_icon.h"

namespace tw {

QIcon ProgramIcon() {
    QIcon bundled;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        bundled.addFile(QString(":/icons/%1x%1/org.talkwright.Talkwright.png").arg(size),
                        QSize(size, size));
    }
    return QIcon::fromTheme("org.talkwright.Talkwright", bundled);
}

}  // namespace tw
