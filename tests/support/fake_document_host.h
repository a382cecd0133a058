#pragma once
// A stand-in for the main window in window tests: it holds a document and the generator,
// keeps a copy of what it was last asked to show, and records what the window asked of it.
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "uisupport/ui/document_host.h"
#include "uisupport/ui/qt_bitmap.h"

namespace veltrane::test {

class FakeDocumentHost : public DocumentHost {
public:
    ImageDocument& document() override { return doc; }
    RandomGenerator& random() override { return generator; }
    TProgress* progress() override { return progressWindow; }

    void RefreshFromPlanes() override {
        if (!doc.imageLoaded) return;
        doc.refreshFromPlanes();
        ShowWorkingBitmap();
    }
    void ShowWorkingBitmap() override {
        shown = imageCopyOf(doc.bitmap);
    }
    QString Caption() const override { return caption; }
    bool ReplaceImage(Bitmap24 picture, const QString& newCaption) override {
        doc.adopt(std::move(picture));
        caption = newCaption;
        ShowWorkingBitmap();
        return true;
    }
    void DetachFromFolder() override { ++detaches; }
    void ResizeMainWindow(int outerWidth, int belowToolBar) override {
        mainWindowWidth = outerWidth;
        mainWindowBelowToolBar = belowToolBar;
    }
    void ReceiveFrame(Bitmap24 frame) override { frames.push_back(std::move(frame)); }
    void ShowMainWindow() override { ++mainWindowShows; }

    // Loads a picture whose pixel (x, y) has the colour fill(x, y) gives as {r, g, b}.
    void load(int width, int height, const std::function<QRgb(int, int)>& fill) {
        Bitmap24 picture(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb c = fill(x, y);
                std::uint8_t* p = picture.row(y) + 3 * x;
                p[0] = static_cast<std::uint8_t>(qBlue(c));
                p[1] = static_cast<std::uint8_t>(qGreen(c));
                p[2] = static_cast<std::uint8_t>(qRed(c));
            }
        ReplaceImage(std::move(picture), QString());
    }

    ImageDocument doc;
    RandomGenerator generator;
    TProgress* progressWindow = nullptr;
    QImage shown;  // a copy of the working bitmap as last shown
    QString caption;
    std::vector<Bitmap24> frames;
    int mainWindowShows = 0;
    int detaches = 0;
    int mainWindowWidth = 0, mainWindowBelowToolBar = 0;  // the last ResizeMainWindow
};

}  // namespace veltrane::test
