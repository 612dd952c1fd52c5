#include "ui/controls/command_icons.h"

#include <gtest/gtest.h>

#include <QImage>

namespace tw {
namespace {

// Eight different pictures of 15 pixels, each with enough drawn in it to be seen.
TEST(CommandIconsTest, EightDistinctVisibleImagesOfFifteenPixels) {
    std::vector<QImage> images;
    for (int i = 0; i < kCommandImageCount; ++i) {
        const QImage image = CommandPixmap(i).toImage();
        ASSERT_EQ(image.size(), QSize(15, 15)) << i;
        int opaque = 0;
        for (int pixel = 0; pixel < 15 * 15; ++pixel) {
            opaque += qAlpha(image.pixel(pixel % 15, pixel / 15)) > 128 ? 1 : 0;
        }
        EXPECT_GT(opaque, 30) << "image " << i << " is nearly empty";
        EXPECT_EQ(std::count(images.begin(), images.end(), image), 0) << i;
        images.push_back(image);
    }
    EXPECT_EQ(CommandIcons().size(), 8u);
    EXPECT_TRUE(CommandPixmap(8).isNull());
}

}  // namespace
}  // namespace tw
