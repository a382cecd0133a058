#pragma once
// What the colour exchange and colour extraction window tests share: a fake host with a
// progress window whose every bar position is recorded, pictures from a colour function, and
// pixels read from pictures and planes.
#include <gtest/gtest.h>

#include <QImage>
#include <QObject>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "platform/ui/scripted_platform.h"
#include "support/fake_document_host.h"
#include "widgets/ui/progress_window.h"

namespace veltrane::test {

struct Colour {
    int r, g, b;
    bool operator==(const Colour&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Colour& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

inline Colour pixelOf(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return {c.red(), c.green(), c.blue()};
}

inline Colour pixelOf(const ColorPlanes& planes, int x, int y) {
    return {planes.R[y][x], planes.G[y][x], planes.B[y][x]};
}

class ColourWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(std::make_unique<ScriptedPlatform>());
        progress = std::make_unique<TProgress>(nullptr);
        host.progressWindow = progress.get();
        QObject::connect(progress->ProgressBar1, &QProgressBar::valueChanged,
                         [this](int value) { positions.push_back(value); });
    }

    void load(int width, int height, const std::function<Colour(int, int)>& fill) {
        host.load(width, height, [&fill](int x, int y) {
            const Colour c = fill(x, y);
            return qRgb(c.r, c.g, c.b);
        });
        progress->ProgressBar1->setValue(0);  // as a fresh bar: the next pass records no reset
        positions.clear();
    }

    FakeDocumentHost host;
    std::unique_ptr<TProgress> progress;
    std::vector<int> positions;  // the bar's positions in the order they were set
};

}  // namespace veltrane::test
