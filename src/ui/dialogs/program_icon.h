#pragma once

#include <QIcon>

namespace tw {

// The program's icon: the desktop theme's when it has one (an installed Talkwright), else
// the pictures built into the program, the same ones that are installed.
QIcon ProgramIcon();

}  // namespace tw
