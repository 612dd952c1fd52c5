#include "ui/controls/command_icons.h"

#include <gtest/gtest.h>

#include <QImage>

namespace tw {
namespace {

TEST(CommandIconsTest, EightDistinctVisibleImagesOfFifteenPixels) {
    std::vector<QImage> images;
    for (int i = 0; i < kCommandImageCount; ++i) {
        const QImage image = CommandPixmap(i).toImage();
        ASSERT_EQ(image.size(), QSize(15, 15)) << i;
        int opaque = 0;
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 15; ++x) {
                opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 30) << "image " << i << " is nearly empty";
        for (std::size_t j = 0; j < images.size(); ++j) {
            EXPECT_NE(image, images[j]) << "images " << i << " and " << j << " are the same";
        }
        images.push_back(image);
    }
    EXPECT_TRUE(CommandPixmap(8).isNull());
    EXPECT_TRUE(CommandPixmap(-1).isNull());
    EXPECT_EQ(CommandIcons().size(), 8u);
}

}  // namespace
}  // namespace tw
