#include "app/status_text.h"

#include "image/color_model.h"

namespace veltrane {

std::string positionPanelText(int x, int y) {
    return "(x, y)=(" + std::to_string(x) + ", " + std::to_string(y) + ") ";
}

std::string colorPanelText(int r, int g, int b) {
    return "(R, G, B)=(" + std::to_string(r) + ", " + std::to_string(g) + ", " + std::to_string(b) + ") ";
}

std::string hsiPanelText(int r, int g, int b) {
    double h, s, i;
    RgbToHsi(r, g, b, h, s, i);
    return "(H, S, I)=(" + formatHsi(h, s, i) + ")";
}

}  // namespace veltrane
