#pragma once

#include <QIcon>
#include <QPixmap>
#include <vector>

namespace tw {

// The eight 15x15 images of the node tree and the command and response lists. Indexes 0 to 7
// follow the command type codes; the list command (code 8) shows the branch image.
enum CommandImage : int {
    kImageManual = 0,
    kImageFlag = 1,
    kImageConditionalAssign = 2,
    kImageAssign = 3,
    kImageBranch = 4,
    kImageEnd = 5,
    kImageGoto = 6,
    kImageReply = 7,
    kCommandImageCount = 8,
    // Other uses of the same images.
    kImageNode = kImageManual,
    kImageInitializationNode = kImageFlag,
    kImageAddResponse = kImageFlag,
    kImageCutResponse = kImageEnd,
};

// The images the lists and the tree show for nodes and responses are fixed by the layout.
static_assert(kImageInitializationNode == 1 && kImageAddResponse == 1 && kImageCutResponse == 5);

constexpr int kCommandImageSize = 15;

// The image of an index from 0 to 7 (a null pixmap for any other index).
QPixmap CommandPixmap(int index);
// All eight as icons, in index order; needs a QGuiApplication.
const std::vector<QIcon>& CommandIcons();

}  // namespace tw
