#pragma once
// The numbered snapshot series of the frame-processing window: which frames it saves, what the
// progress bar shows after each, the file format and JPEG quality its boxes choose, and the
// file names.
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

enum class SnapshotFormat { Jpeg, Bmp };

// The step box "5ﾌﾚｰﾑ" … "30ﾌﾚｰﾑ" by its selected index; no selection (−1) steps by 5.
int seriesStep(int stepIndex);
// The format box "JPG", "BMP" by its selected index; no selection saves JPEG.
SnapshotFormat seriesFormat(int formatIndex);
// The quality box "10％" … "100％" by its selected index: 10 × (index + 1); no selection 50.
int seriesQuality(int qualityIndex);

struct SeriesFrame {
    int frame;     // the frame saved
    int progress;  // the progress bar's position once it is saved
};

struct SeriesPlan {
    int maximum = 0;  // the progress bar's maximum: endPoint − startPoint (0 when the end lies before)
    std::vector<SeriesFrame> frames;
};

// Frames startPoint, startPoint + step, … while below endPoint; the first is always saved, also
// when the end is not after the start. After each frame the bar moves on by
// (endPoint − startPoint) div step and holds at its maximum (0..100 at step 5 adds 20 twenty
// times and shows 100 from the fifth frame on).
SeriesPlan planSeries(int startPoint, int endPoint, int step);

// The media file's full path with the decimal frame number and ".jpg" or ".bmp" appended:
// /v/clip.avi and frame 150 give /v/clip.avi150.jpg.
std::string seriesFileName(std::string_view mediaPath, int frame, SnapshotFormat format);

}  // namespace veltrane
