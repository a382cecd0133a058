// The effects catalogue: categories, item names by code and the option table.
#include "effects/effect_catalogue.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(EffectCatalogue, CategoriesAndTheirItems) {
    const struct {
        int category;
        const char* name;
        int count;
        const char* first;
        const char* last;
    } cases[] = {
        {0, "カラー", 17, "グレイスケール", "ネオン(？)"},
        {1, "フィルター", 10, "ローパス", "誤差分配"},
        {2, "マスク", 11, "縦ガラス", "XORマスク(青のみ)"},
        {3, "ディザ", 6, "Bayer型(モノクロ)", "mesh型(カラー)"},
        {4, "ETC", 11, "ぶれ", "拡散"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.category);
        EXPECT_EQ(effectCategoryName(c.category), c.name);
        EXPECT_EQ(effectItemCount(c.category), c.count);
        EXPECT_EQ(effectItemName(c.category * 20), c.first);
        EXPECT_EQ(effectItemName(c.category * 20 + c.count - 1), c.last);
        EXPECT_EQ(effectItemName(c.category * 20 + c.count), "") << "the slot after the list is empty";
        EXPECT_EQ(effectCode(c.category, c.count - 1), c.category * 20 + c.count - 1);
        EXPECT_EQ(effectCode(c.category, c.count), std::nullopt);
    }
    EXPECT_EQ(effectCategoryName(5), "");
    EXPECT_EQ(effectItemCount(-1), 0);
    EXPECT_EQ(effectCode(-1, 0), std::nullopt);
    EXPECT_EQ(effectCode(0, -1), std::nullopt);
    EXPECT_EQ(effectItemName(100), "");
    EXPECT_EQ(effectItemName(13), "ネガホジ");
    EXPECT_EQ(effectItemName(44), "FLマスク");
    EXPECT_EQ(effectItemName(84), "絵画化");
    EXPECT_EQ(effectItemName(87), "シルクスクリーン風");
}

TEST(EffectCatalogue, OptionTable) {
    for (int code : {20, 21}) EXPECT_EQ(effectOptions(code)->caption, "係数");
    const EffectOptions painting = *effectOptions(84);
    EXPECT_EQ(painting.caption, "ブラシの大きさ, 色数");
    EXPECT_TRUE(painting.sixButtons);
    EXPECT_EQ(painting.buttons[5], "7,8");
    const EffectOptions bricks = *effectOptions(85);
    EXPECT_EQ(bricks.buttons[2], "4,2");
    EXPECT_EQ(bricks.buttons[5], "12,24");
    const EffectOptions diffusion = *effectOptions(90);
    EXPECT_EQ(diffusion.caption, "拡散の度合い");
    EXPECT_FALSE(diffusion.sixButtons);
    EXPECT_EQ(diffusion.buttons[1], "大");
    EXPECT_EQ(effectOptions(29)->buttons[1], "Jarivs");
    for (int code : {0, 24, 42, 86, 87, 88, 89, 91, -1}) EXPECT_EQ(effectOptions(code), std::nullopt) << code;
}

}  // namespace
}  // namespace veltrane
