#include "uisupport/ui/program_font.h"

#include <QStringList>

namespace veltrane {

QFont programFont() {
    QFont font;
    font.setFamilies({"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP", "IPAGothic"});
    font.setPixelSize(12);
    return font;
}

}  // namespace veltrane
