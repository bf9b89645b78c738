// The arithmetic of what the controls draw: gradient columns, flattening
// onto white and the key-colour mask, and the form's pictures.
#include "services/ui/controls/button_picture.h"
#include "services/ui/gradient.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

const std::vector<COLORREF> kBar = {RGB(100, 208, 255), RGB(128, 224, 0), RGB(0, 255, 255)};

TEST(Gradient, ColumnsOfTheFullBar) {
    const struct { int x; COLORREF colour; } cases[] = {
        {0, RGB(100, 208, 255)}, {153, RGB(113, 215, 128)}, {306, RGB(127, 223, 1)}, {307, RGB(128, 224, 0)},
        {460, RGB(65, 239, 127)}, {613, RGB(1, 254, 254)},  {614, RGB(0, 255, 255)},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::GradientColumn(kBar, 615, c.x), c.colour) << "column " << c.x;
}

TEST(Gradient, NarrowBars) {
    EXPECT_EQ(ui::GradientColumn(kBar, 1, 0), kBar[0]);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(ui::GradientColumn(kBar, 3, x), kBar[x]) << x;
}

ui::Pixels OnePixel(uint32_t bgra) { return ui::Pixels{1, 1, {bgra}}; }

TEST(ButtonPicture, FlatteningOntoWhite) {
    const struct { uint32_t in, out; } cases[] = {
        {0x00123456u, 0x00FFFFFFu},  // transparent: white
        {0xFF123456u, 0xFF123456u},  // opaque: unchanged
        {0x80000000u, 0x807F7F7Fu},  // half: trunc(0.498 * 255) = 127
        {0x80D81E06u, 0x80EB8E82u},  // the close cross's fringe: a light red
    };
    for (const auto& c : cases) {
        ui::Pixels p = OnePixel(c.in);
        ui::FlattenOntoWhite(p);
        EXPECT_EQ(p.bgra[0], c.out) << std::hex << c.in;
    }
}

std::string ReadAsset(const char* name) {
    std::ifstream in(std::string(TOLVANE_ASSETS) + "/" + name, std::ios::binary);
    std::stringstream data;
    data << in.rdbuf();
    return data.str();
}

TEST(ButtonPicture, TheMinimisePictureIsAllKeyColourAndTheCloseCrossIsNot) {
    std::optional<ui::Pixels> minimise = ui::DecodePng(ReadAsset("minimise.png"));
    ASSERT_TRUE(minimise);
    ui::FlattenOntoWhite(*minimise);
    for (bool keyed : ui::KeyMask(*minimise)) EXPECT_TRUE(keyed);

    std::optional<ui::Pixels> close = ui::DecodePng(ReadAsset("close.png"));
    ASSERT_TRUE(close);
    ui::FlattenOntoWhite(*close);
    const std::vector<bool> mask = ui::KeyMask(*close);
    EXPECT_TRUE(mask[0]);
    EXPECT_FALSE(mask[10 * 20 + 10]);  // the centre of the cross
    EXPECT_EQ(close->bgra[10 * 20 + 10] & 0xFFFFFF, 0xD81E06u);
}

TEST(Pictures, UndecodableDataGivesNoPicture) {
    EXPECT_FALSE(ui::DecodePng("not a png"));
    EXPECT_FALSE(ui::DecodePng(""));
    EXPECT_TRUE(ui::ButtonPicture("\x89PNG broken").Empty());
}

}  // namespace
