#include "effects/effect_catalogue.h"

namespace veltrane {

namespace {

constexpr std::array<std::string_view, kEffectCategories> kCategoryNames{"カラー", "フィルター", "マスク", "ディザ", "ETC"};
constexpr std::array<int, kEffectCategories> kItemCounts{17, 10, 11, 6, 11};

constexpr std::array<std::string_view, kEffectCodeSlots> itemNames() {
    std::array<std::string_view, kEffectCodeSlots> names{};
    constexpr std::string_view colour[] = {"グレイスケール", "赤", "ピンク", "オレンジ", "黄色", "黄緑", "緑", "水色", "青",
                                           "紫", "セピア", "シルバー", "ゴールド", "ネガホジ", "色温上昇", "色温下降",
                                           "ネオン(？)"};
    constexpr std::string_view filter[] = {"ローパス", "ハイパス", "エッジ検出", "エッジ検出(カラー)", "ソーベル",
                                           "マックス", "ミニ", "メディアン", "平均化", "誤差分配"};
    constexpr std::string_view mask[] = {"縦ガラス", "横ガラス", "縦横ガラス", "WINマスク", "FLマスク", "Mekoマスク",
                                         "レインボーマスク", "XORマスク", "XORマスク(赤のみ)", "XORマスク(緑のみ)",
                                         "XORマスク(青のみ)"};
    constexpr std::string_view dither[] = {"Bayer型(モノクロ)", "Bayer型(カラー)", "volute型(モノクロ)",
                                           "volute型(カラー)",  "mesh型(モノクロ)", "mesh型(カラー)"};
    constexpr std::string_view etc[] = {"ぶれ",     "エンボス",           "モザイク", "3D",     "絵画化", "ブロック化",
                                        "ビーズ化", "シルクスクリーン風", "鉛筆画風", "図画風", "拡散"};
    // Each category's items from its first code, category × 20, on.
    const auto place = [&names](int category, const auto& items) {
        int code = category * 20;
        for (std::string_view n : items) names[static_cast<std::size_t>(code++)] = n;
    };
    place(0, colour);
    place(1, filter);
    place(2, mask);
    place(3, dither);
    place(4, etc);
    return names;
}

constexpr std::array<std::string_view, kEffectCodeSlots> kItemNames = itemNames();

struct OptionRow {
    int code;
    EffectOptions options;
};

constexpr OptionRow kOptionRows[] = {
    {20, {"係数", {"大", "小"}}},
    {21, {"係数", {"大", "小"}}},
    {22, {"エッジの方向", {"縦", "横"}}},
    {23, {"エッジの方向", {"縦", "横"}}},
    {29, {"方法", {"Floyd", "Jarivs"}}},
    {81, {"カラーの有無", {"モノクロ", "カラー"}}},
    {82, {"モザイクの大きさ", {"小", "大"}}},
    {83, {"方向", {"縦", "横"}}},
    {84, {"ブラシの大きさ, 色数", {"3,4", "3,8", "5,4", "5,8", "7,4", "7,8"}, true}},
    {85, {"ブロックの高さ, 幅", {"2,4", "8,16", "4,2", "16,8", "4,8", "12,24"}, true}},
    {90, {"拡散の度合い", {"小", "大"}}},
};

}  // namespace

std::string_view effectCategoryName(int category) {
    return category >= 0 && category < kEffectCategories ? kCategoryNames[static_cast<std::size_t>(category)]
                                                         : std::string_view();
}

int effectItemCount(int category) {
    return category >= 0 && category < kEffectCategories ? kItemCounts[static_cast<std::size_t>(category)] : 0;
}

std::string_view effectItemName(int code) {
    return code >= 0 && code < kEffectCodeSlots ? kItemNames[static_cast<std::size_t>(code)] : std::string_view();
}

std::optional<int> effectCode(int category, int position) {
    if (position < 0 || position >= effectItemCount(category)) return std::nullopt;
    return category * 20 + position;
}

std::optional<EffectOptions> effectOptions(int code) {
    for (const OptionRow& row : kOptionRows)
        if (row.code == code) return row.options;
    return std::nullopt;
}

}  // namespace veltrane
