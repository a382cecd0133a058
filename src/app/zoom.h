#pragma once
// Sizes and captions of the picture control's zoom commands.
#include <string>

namespace veltrane {

// The fixed zoom levels of the zoom button's drop-down menu, in percent.
enum class ZoomLevel { Percent25, Percent50, Percent66, Percent75, Percent100, Percent150, Percent200, Percent300, Percent400 };

// One side (width or height) of the control at a fixed level, from that side of the base
// size. Integer levels multiply first and then divide, truncating (66 % of 100 is 66);
// 150 % is taken in floating point and truncated (150 % of 101 is 151). A result beyond
// the int range saturates.
int zoomedSide(ZoomLevel level, int base);

// One side after a step zoom: trunc(current × 1.25) in, trunc(current × 0.75) out. Steps
// compound, since each multiplies the size currently shown.
int stepZoomSide(int current, bool zoomIn);

// A step in is refused once the control is taller than ten times the image height, a step
// out once it is shorter than a tenth of it, or when the step would leave either side below
// one pixel: a side of 0 stays 0 at every later step.
bool canZoomIn(int imageHeight, int currentHeight);
bool canZoomOut(int imageHeight, int currentWidth, int currentHeight);

// Window captions, e.g. "photo.jpg(640×480→Zoom:320×240)" and "photo.jpg(640×480)".
std::string zoomCaption(const std::string& fileNameNoDir, int W, int H, int zoomW, int zoomH);
std::string imageCaption(const std::string& fileNameNoDir, int W, int H);

}  // namespace veltrane
