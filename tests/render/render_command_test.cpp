// quorix.exe render: its options, the picture it makes and the files it
// writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/stb_image_static.h"

#include "host/app/render_command.h"
#include "host/app/scene_picture.h"
#include "host/core/qi_host.h"

namespace {

bool Parse(std::vector<std::string> args, RenderOptions &options)
{
    std::string error;
    options = RenderOptions{};
    return ParseRenderOptions(args, options, error);
}

TEST(RenderCommand, ReadsItsOptions)
{
    RenderOptions o;
    ASSERT_TRUE(Parse({"--out", "a.png"}, o));
    EXPECT_EQ(o.width, 960);
    EXPECT_EQ(o.height, 540);
    EXPECT_FALSE(o.lightGiven);
    ASSERT_TRUE(Parse(
        {"--size", "640x480", "--light", "-5,300", "--library", "x.lnz", "--out", "B.BMP"}, o));
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);
    EXPECT_TRUE(o.lightGiven);
    EXPECT_EQ(o.lightX, -5);
    EXPECT_EQ(o.lightY, 300);
    EXPECT_EQ(o.library, "x.lnz");
    EXPECT_EQ(o.out, "B.BMP");
    for (std::vector<std::string> bad : {std::vector<std::string>{},
                                         {"--out"},
                                         {"--out", "a.jpg"},
                                         {"--out", "png"},
                                         {"--size", "640", "--out", "a.png"},
                                         {"--size", "0x10", "--out", "a.png"},
                                         {"--size", "20000x10", "--out", "a.png"},
                                         {"--size", "64x48x", "--out", "a.png"},
                                         {"--light", "3", "--out", "a.png"},
                                         {"--light", "a,b", "--out", "a.png"},
                                         {"--frobnicate", "--out", "a.png"},
                                         {"--out", "a.png", "--size"}})
        EXPECT_FALSE(Parse(bad, o)) << testing::PrintToString(bad);
}

TEST(RenderCommand, PutsTheLightWhereAskedAndClampsInsteadOfWrapping)
{
    QiHost_Create_Default_Scene();
    RenderOptions o;
    ASSERT_TRUE(Parse({"--size", "200x120", "--light", "50,30", "--out", "x.png"}, o));
    RgbImage image;
    std::string error;
    ASSERT_TRUE(RenderFlarePicture(o, Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, nullptr,
                                   image, error));
    ASSERT_EQ(image.pixels.size(), 200u * 120 * 3);
    auto at = [&](int x, int y) { return &image.pixels[(size_t(y) * 200 + size_t(x)) * 3]; };
    // The core, far brighter than 1.0, stays white; so does its neighbour.
    for (int dx : {0, 1})
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(at(50 + dx, 30)[c], 255) << dx << " " << c;
    EXPECT_EQ(at(199, 119)[0], 0);

    ASSERT_TRUE(Parse({"--size", "200x120", "--out", "x.png"}, o));
    ASSERT_TRUE(RenderFlarePicture(o, Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, nullptr,
                                   image, error));
    EXPECT_EQ(at(50, 40)[1], 255);  // a quarter from the left, a third from the top
}

// The main window's scene: a light behind the slab leaves the bare scene,
// every pixel the slab's colour or the backdrop's; in the open its core is
// white.
TEST(RenderCommand, TheScenesObjectHidesALightBehindIt)
{
    QiHost_Create_Default_Scene();
    RenderOptions o;
    o.width = 101, o.height = 61, o.scene = true, o.lightGiven = true;
    const SceneRect slab = SceneObjectRect(o.width, o.height);
    o.lightX = (slab.left + slab.right) / 2, o.lightY = (slab.top + slab.bottom) / 2;
    RgbImage image;
    std::string error;
    ASSERT_TRUE(RenderFlarePicture(o, Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, nullptr,
                                   image, error));
    int wrong = 0;
    for (int32_t y = 0; y < o.height; ++y)
        for (int32_t x = 0; x < o.width; ++x) {
            bool covered = x >= slab.left && x < slab.right && y >= slab.top && y < slab.bottom;
            const float *colour = covered ? kSceneObject : kSceneBackdrop;
            const uint8_t *p = &image.pixels[(size_t(y) * size_t(o.width) + size_t(x)) * 3];
            for (int c = 0; c < 3; ++c)
                wrong += p[c] != ChannelByte(colour[c]);
        }
    EXPECT_EQ(wrong, 0);

    o.lightX = slab.left / 2;
    ASSERT_TRUE(RenderFlarePicture(o, Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, nullptr,
                                   image, error));
    EXPECT_EQ(image.pixels[(size_t(o.lightY) * size_t(o.width) + size_t(o.lightX)) * 3], 255);
}

TEST(RenderCommand, WritesPngAndBmpFilesThatReadBack)
{
    QiHost_Create_Default_Scene();
    std::string folder = testing::TempDir();
    for (const char *name : {"flare-test.png", "flare-test.bmp"}) {
        std::string path = folder + name;
        std::remove(path.c_str());
        EXPECT_EQ(RunRenderCommand({"--size", "64x48", "--light", "10,12", "--out", path}), 0);
        int w = 0, h = 0, channels = 0;
        unsigned char *pixels = stbi_load(path.c_str(), &w, &h, &channels, 3);
        ASSERT_NE(pixels, nullptr) << path;
        EXPECT_EQ(w, 64);
        EXPECT_EQ(h, 48);
        EXPECT_EQ(pixels[(12 * 64 + 10) * 3], 255) << path;
        stbi_image_free(pixels);
        std::remove(path.c_str());
    }
    EXPECT_EQ(RunRenderCommand({"--library", "a.lnz", "--out", folder + "never.png"}), 1);
    EXPECT_EQ(RunRenderCommand({"--size", "64x48", "--out", folder + "no/such/folder/x.png"}), 1);
}

}  // namespace
