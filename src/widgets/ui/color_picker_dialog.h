#pragma once
// The colour picker component: asks for one colour in the picker window, modally, and keeps
// its colour, its colour switch and its 28-colour temporary palette from one use to the
// next. A cancelled use changes nothing.
#include <QObject>
#include <QString>
#include <cstdint>

#include "widgets/color_picker_model.h"

namespace veltrane {

class TColorPickerDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(uint Color READ GetColor WRITE SetColor)
    Q_PROPERTY(QString Title READ GetTitle WRITE SetTitle)
    Q_PROPERTY(int ColorSwitch READ colorSwitchIndex WRITE setColorSwitchIndex)

public:
    explicit TColorPickerDialog(QObject* parent = nullptr);

    // 0x00BBGGRR; the colour shown first and the one confirmed.
    std::uint32_t GetColor() const { return color_; }
    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t colour) { color_ = colour; }
    QString GetTitle() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    veltrane::ColorSwitch GetColorSwitch() const { return switch_; }
    void SetColorSwitch(veltrane::ColorSwitch sw) { switch_ = sw; }

    // 0 for an index outside 0..27; setting one is ignored.
    Q_INVOKABLE uint GetTemporaryPalette(int index) const { return palette_.Get(index); }
    Q_INVOKABLE void SetTemporaryPalette(int index, uint colour) { palette_.Set(index, colour); }

public slots:
    // Runs the picker window modally through the platform (a scripted run answers without
    // it). True when a colour was confirmed; Color is then that colour.
    bool Execute();

private:
    int colorSwitchIndex() const { return static_cast<int>(switch_); }
    void setColorSwitchIndex(int index);

    std::uint32_t color_ = 0;
    QString title_ = "色の選択";
    veltrane::ColorSwitch switch_ = veltrane::ColorSwitch::csHue;
    TemporaryPalette palette_;
};

}  // namespace veltrane
