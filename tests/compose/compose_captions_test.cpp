#include "compose/compose_captions.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(ComposeCaptions, JoinNamesTheSecondFileWithoutFolderAndItsPaddedSize) {
    EXPECT_EQ(joinCaption("photo.jpg(640×480)", "/home/user/pictures/sky.jpg", 640, 200),
              "photo.jpg(640×480)とsky.jpg(640×200)を連結");
    EXPECT_EQ(joinCaption("a.bmp(1×1)", "b.bmp", 1, 30000), "a.bmp(1×1)とb.bmp(1×30000)を連結");
}

TEST(ComposeCaptions, MergeNamesTheSecondFileWithoutFolder) {
    EXPECT_EQ(mergeCaption("photo.jpg(640×480)", "/tmp/写真 2.BMP"), "photo.jpg(640×480)と写真 2.BMPを合成");
}

TEST(ComposeCaptions, TwoOperationsAppendTwoPhrases) {
    const std::string first = joinCaption("photo.jpg(640×480)", "/p/sky.jpg", 640, 200);
    EXPECT_EQ(mergeCaption(first, "/p/sea.jpeg"), "photo.jpg(640×480)とsky.jpg(640×200)を連結とsea.jpegを合成");
    EXPECT_EQ(joinCaption(first, "/q/x.bmp", 10, 680), "photo.jpg(640×480)とsky.jpg(640×200)を連結とx.bmp(10×680)を連結");
}

}  // namespace
}  // namespace veltrane
