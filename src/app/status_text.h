#pragma once
// The three texts of the main window's status bar while the mouse moves over the picture.
#include <string>

namespace veltrane {

// "(x, y)=(12, 40) ", with a trailing space.
std::string positionPanelText(int x, int y);
// "(R, G, B)=(1, 2, 3) ", with a trailing space.
std::string colorPanelText(int r, int g, int b);
// "(H, S, I)=(6.283, 1.000, 1.000)": the colour's HSI value, three decimals each.
std::string hsiPanelText(int r, int g, int b);

}  // namespace veltrane
