#include "compose/compose_captions.h"

#include "playlist/play_list.h"

namespace veltrane {

namespace {

std::string withSecondName(std::string_view previous, std::string_view secondPath) {
    std::string caption(previous);
    caption += "と";
    caption += fileNameOf(secondPath);
    return caption;
}

}  // namespace

std::string joinCaption(std::string_view previous, std::string_view secondPath, std::int64_t secondWidth,
                        std::int64_t secondHeight) {
    return withSecondName(previous, secondPath) + "(" + std::to_string(secondWidth) + "×" +
           std::to_string(secondHeight) + ")を連結";
}

std::string mergeCaption(std::string_view previous, std::string_view secondPath) {
    return withSecondName(previous, secondPath) + "を合成";
}

}  // namespace veltrane
