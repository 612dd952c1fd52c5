#include "ui/dialogs/about_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "ui/dialogs/program_icon.h"

namespace tw {
namespace {

constexpr int kIconSize = 48;

// The width a window needs for its whole title in the desktop's title bar. Title bars are
// commonly drawn in bold, beside the window's icon and up to three buttons about as wide as
// the bar is high; narrower, the desktop cuts the title short.
int TitleBarWidth(const QWidget& window) {
    QFont bold = window.font();
    bold.setBold(true);
    const int bar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + 5 * std::max(bar, 24);
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Vorunda Dialogue Editor");
    auto* grid = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));
    icon->setAccessibleName("Program icon");
    auto* line = new QLabel(kVersionLine, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->addWidget(icon, 0, 0);
    grid->addWidget(line, 0, 1);
    grid->addWidget(buttons, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(std::max(300, TitleBarWidth(*this)));
}

}  // namespace tw
