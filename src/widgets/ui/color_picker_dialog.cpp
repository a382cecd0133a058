#include "widgets/ui/color_picker_dialog.h"

#include <QWidget>

#include "platform/ui/platform_services.h"
#include "widgets/ui/color_picker_form.h"

namespace veltrane {

TColorPickerDialog::TColorPickerDialog(QObject* parent) : QObject(parent) {}

void TColorPickerDialog::setColorSwitchIndex(int index) {
    if (index >= static_cast<int>(ColorSwitch::csHue) && index <= static_cast<int>(ColorSwitch::csRed))
        switch_ = static_cast<ColorSwitch>(index);
}

bool TColorPickerDialog::Execute() {
    QWidget* owner = qobject_cast<QWidget*>(parent());
    const auto showPicker = [this, owner]() -> std::optional<QColor> {
        TColorPickerForm form(owner);
        // Scripts reach the window under its component's name (ColorDialog, ColorDialog1).
        if (!objectName().isEmpty()) form.setObjectName(objectName());
        form.SetPalette(palette_);
        form.SetDialogColor(color_);
        form.setWindowTitle(title_);
        form.SetColorSwitch(switch_);
        form.Prepare();
        if (form.exec() != QDialog::Accepted) return std::nullopt;
        for (int k = 0; k < kPaletteCells; ++k)
            if (form.PaletteColor(k) != palette_.Get(k)) palette_.Set(k, form.PaletteColor(k));
        switch_ = form.GetColorSwitch();
        const std::uint32_t result = form.ResultColor();
        return QColor(ColorRed(result), ColorGreen(result), ColorBlue(result));
    };
    const std::optional<QColor> picked = platform().pickColor(owner, showPicker);
    if (!picked) return false;
    color_ = MakeColorBGR(picked->red(), picked->green(), picked->blue());
    return true;
}

}  // namespace veltrane
