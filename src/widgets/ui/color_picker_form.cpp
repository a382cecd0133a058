#include "widgets/ui/color_picker_form.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

namespace veltrane {

namespace {

constexpr int kClientWidth = 439;
constexpr int kClientHeight = 313;

QColor ToQColor(std::uint32_t colour) { return QColor(ColorRed(colour), ColorGreen(colour), ColorBlue(colour)); }

std::uint32_t FromQColor(const QColor& colour) { return MakeColorBGR(colour.red(), colour.green(), colour.blue()); }

QLineEdit* MakeBox(const QString& name, QRect geometry, QWidget* parent) {
    auto* box = new QLineEdit("0", parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

}  // namespace

TColorPickerForm::TColorPickerForm(QWidget* parent) : QDialog(parent) {
    setObjectName("ColorPickerForm");
    setWindowTitle("色の選択");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(kClientWidth, kClientHeight);

    fieldBitmap_ = QImage(kColorFieldSize, kColorFieldSize, QImage::Format_BGR888);
    fieldBitmap_.fill(Qt::black);

    ColorListPaintBox = new PickerPaintBox("ColorListPaintBox", {kColorFieldSize, kColorFieldSize}, this);
    ColorListPaintBox->move(8, 8);
    ColorListPaintBox->onPaint = [this](QPainter& p) { PaintField(p); };
    connect(ColorListPaintBox, &PickerPaintBox::mouseDown, this,
            [this](int, int x, int y) { ColorListPaintBoxMouseDown(x, y); });
    connect(ColorListPaintBox, &PickerPaintBox::mouseMove, this, [this](int buttons, int x, int y) {
        if (buttons & Qt::LeftButton) ColorListPaintBoxMouseMove(x, y);
    });

    GradPaintBox = new PickerPaintBox("GradPaintBox", {23, kColorStripHeight}, this);
    GradPaintBox->move(272, 8);
    GradPaintBox->onPaint = [this](QPainter& p) { PaintStrip(p); };
    connect(GradPaintBox, &PickerPaintBox::mouseDown, this, [this](int button, int x, int y) {
        if (button == Qt::LeftButton) GradPaintBoxMouseDown(x, y);
    });
    connect(GradPaintBox, &PickerPaintBox::mouseMove, this, [this](int buttons, int x, int y) {
        if (buttons & Qt::LeftButton) GradPaintBoxMouseMove(x, y);
    });

    FadeRadioGroup = new PickerRadioGroup("FadeRadioGroup", "カラーリング", {"色相 [°]", "彩度 [％]", "明度 [％]"}, this);
    FadeRadioGroup->setGeometry(303, 4, 128, 74);
    FadeRadioGroup->setItemIndex(0);
    connect(FadeRadioGroup, &PickerRadioGroup::clicked, this, &TColorPickerForm::FadeRadioGroupClick);
    ColorRadioGroup = new PickerRadioGroup("ColorRadioGroup", "プライマリ", {"赤レベル", "緑レベル", "青レベル"}, this);
    ColorRadioGroup->setGeometry(303, 82, 128, 74);
    connect(ColorRadioGroup, &PickerRadioGroup::clicked, this, &TColorPickerForm::ColorRadioGroupClick);

    // The boxes sit beside their radio items.
    const int rowTop = fontMetrics().height() + 2;
    UHEd = MakeBox("UHEd", {387, 4 + rowTop, 40, 17}, this);
    USEd = MakeBox("USEd", {387, 4 + rowTop + 17, 40, 17}, this);
    UBEd = MakeBox("UBEd", {387, 4 + rowTop + 34, 40, 17}, this);
    RedEd = MakeBox("RedEd", {387, 82 + rowTop, 40, 17}, this);
    GreenEd = MakeBox("GreenEd", {387, 82 + rowTop + 17, 40, 17}, this);
    BlueEd = MakeBox("BlueEd", {387, 82 + rowTop + 34, 40, 17}, this);
    for (QLineEdit* box : {UHEd, USEd, UBEd, RedEd, GreenEd, BlueEd}) box->installEventFilter(this);

    ColorPanel = new QGroupBox("ﾃﾝﾎﾟﾗﾘ ﾊﾟﾚｯﾄ", this);
    ColorPanel->setObjectName("ColorPanel");
    ColorPanel->setGeometry(303, 160, 128, 88);
    ColCelPaintBox = new PickerPaintBox(
        "ColCelPaintBox", {kPaletteColumns * kPaletteCellSize, (kPaletteCells / kPaletteColumns) * kPaletteCellSize},
        ColorPanel);
    ColCelPaintBox->move(8, rowTop + 2);
    ColCelPaintBox->onPaint = [this](QPainter& p) { PaintPalette(p); };
    connect(ColCelPaintBox, &PickerPaintBox::mouseDown, this, [this](int button, int x, int y) {
        if (button == Qt::LeftButton || button == Qt::RightButton)
            ColCelPaintBoxMouseDown(x, y, button == Qt::RightButton);
    });
    connect(ColCelPaintBox, &PickerPaintBox::mouseMove, this, [this](int buttons, int x, int y) {
        if (buttons & Qt::LeftButton) ColCelPaintBoxMouseMove(x, y);
    });

    Label1 = new QLabel("選択色", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 268, 60, 15);
    // The swatch sits under its label, its foot level with the OK and Cancel buttons'.
    GetShape = new PickerShape("GetShape", this);
    GetShape->setGeometry(8, 285, 110, 20);

    OKBtn = new QPushButton("O   K", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setGeometry(303, 280, 62, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TColorPickerForm::OKBtnClick);
    CancelBtn = new QPushButton("ｷｬﾝｾﾙ", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setGeometry(369, 280, 62, 25);
    connect(CancelBtn, &QPushButton::clicked, this, &TColorPickerForm::CancelBtnClick);

    ColListPaintTimer = new QTimer(this);
    ColListPaintTimer->setObjectName("ColListPaintTimer");
    ColListPaintTimer->setInterval(1);
    ColListPaintTimer->setSingleShot(true);
    connect(ColListPaintTimer, &QTimer::timeout, this, &TColorPickerForm::ColListPaintTimerTimer);
    OKCancelTimer = new QTimer(this);
    OKCancelTimer->setObjectName("OKCancelTimer");
    OKCancelTimer->setInterval(100);
    connect(OKCancelTimer, &QTimer::timeout, this, &TColorPickerForm::OKCancelTimerTimer);
}

void TColorPickerForm::Prepare() {
    currentCell_ = SelectStartCell(palette_, dialogColor_);
    GetShape->setBrushColor(ToQColor(dialogColor_));
    ContradictPaint(PaintRequest::prOnPaletteSelected);
    OKBtn->setFocus();
}

ColorSwitch TColorPickerForm::GetColorSwitch() const {
    switch (FadeRadioGroup->itemIndex()) {
    case 0: return ColorSwitch::csHue;
    case 1: return ColorSwitch::csSaturation;
    case 2: return ColorSwitch::csBrightness;
    default: break;
    }
    switch (ColorRadioGroup->itemIndex()) {
    case 0: return ColorSwitch::csRed;
    case 1: return ColorSwitch::csGreen;
    case 2: return ColorSwitch::csBlue;
    default: return ColorSwitch::csHue;  // both groups cleared: only in code, never by a click
    }
}

void TColorPickerForm::SetColorSwitch(ColorSwitch sw) {
    int fade = -1, primary = -1;
    switch (sw) {
    case ColorSwitch::csHue: fade = 0; break;
    case ColorSwitch::csSaturation: fade = 1; break;
    case ColorSwitch::csBrightness: fade = 2; break;
    case ColorSwitch::csRed: primary = 0; break;
    case ColorSwitch::csGreen: primary = 1; break;
    case ColorSwitch::csBlue: primary = 2; break;
    }
    FadeRadioGroup->setItemIndex(fade);
    ColorRadioGroup->setItemIndex(primary);
}

void TColorPickerForm::SetCurrentColor(std::uint32_t colour) {
    palette_.cells[static_cast<std::size_t>(currentCell_)] = colour;
}

void TColorPickerForm::WriteRgbBoxes(const QLineEdit* except) {
    values_.setColor(CurrentColor());
    if (except != RedEd) RedEd->setText(QString::number(values_.red));
    if (except != GreenEd) GreenEd->setText(QString::number(values_.green));
    if (except != BlueEd) BlueEd->setText(QString::number(values_.blue));
}

void TColorPickerForm::WriteComponentBox(ColorSwitch which) {
    switch (which) {
    case ColorSwitch::csHue: UHEd->setText(QString::number(HueToDegrees(values_.hue))); break;
    case ColorSwitch::csSaturation: USEd->setText(QString::number(LevelToPercent(values_.saturation))); break;
    case ColorSwitch::csBrightness: UBEd->setText(QString::number(LevelToPercent(values_.brightness))); break;
    case ColorSwitch::csRed: RedEd->setText(QString::number(values_.red)); break;
    case ColorSwitch::csGreen: GreenEd->setText(QString::number(values_.green)); break;
    case ColorSwitch::csBlue: BlueEd->setText(QString::number(values_.blue)); break;
    }
}

void TColorPickerForm::WriteHsbBoxes() {
    WriteComponentBox(ColorSwitch::csHue);
    WriteComponentBox(ColorSwitch::csSaturation);
    WriteComponentBox(ColorSwitch::csBrightness);
}

void TColorPickerForm::ContradictPaint(PaintRequest request) {
    using PR = PaintRequest;
    if (request != PR::prOnColorListBGRChanged)
        WriteRgbBoxes(request == PR::prOnColorRChanged   ? RedEd
                      : request == PR::prOnColorGChanged ? GreenEd
                      : request == PR::prOnColorBChanged ? BlueEd
                                                         : nullptr);
    if (request != PR::prOnColorListHSBChanged && request != PR::prOnFadeHChanged && request != PR::prOnFadeSChanged &&
        request != PR::prOnFadeBChanged) {
        values_.setHsb(CnvColorBGRtoHSB(CurrentColor()));
        WriteHsbBoxes();
    }
    GetShape->setBrushColor(ToQColor(CurrentColor()));
    ColCelPaintBox->update();
    GradPaintBox->update();
    if (request == PR::prOnColorListHSBChanged || request == PR::prOnColorListBGRChanged) {
        ColorListPaintBox->update();  // same field, new marker
        return;
    }
    // The field is computed on the timer's tick, so a burst of changes costs one pass.
    // Restarting the timer while a pass runs makes a new pass follow it.
    if (!ColListPaintTimer->isActive()) ColListPaintTimer->start();
}

void TColorPickerForm::ColListPaintTimerTimer() {
    ColListPaintTimer->stop();
    idle_ = false;
    FillColorField(GetColorSwitch(), values_, fieldBitmap_.bits(), fieldBitmap_.bytesPerLine());
    idle_ = true;
    ColorListPaintBox->update();
}

void TColorPickerForm::PaintField(QPainter& painter) {
    painter.drawImage(0, 0, fieldBitmap_);
    const ColorSwitch sw = GetColorSwitch();
    const FieldPos pos = IsHsbSwitch(sw) ? GetLightPosHSB(values_.hsb(), sw) : GetLightPosBGR(values_.color(), sw);
    painter.setPen(IsLightColor(CurrentColor()) ? Qt::black : Qt::white);
    painter.setBrush(Qt::NoBrush);
    // A ring 9 pixels across: the outline runs from pos − 4 to pos + 4.
    painter.drawEllipse(QRect(pos.x - 4, pos.y - 4, 8, 8));
}

void TColorPickerForm::PaintStrip(QPainter& painter) {
    const ColorSwitch sw = GetColorSwitch();
    const int marker = StripMarkerRow(sw, values_);
    const int width = GradPaintBox->width();
    for (int row = 0; row < kColorStripHeight; ++row) {
        const std::uint32_t colour = StripRowColor(row, sw, values_);
        const QColor shown = row != marker ? ToQColor(colour) : IsLightColor(colour) ? QColor(Qt::black) : QColor(Qt::white);
        painter.fillRect(0, row, width, 1, shown);
    }
}

void TColorPickerForm::PaintPalette(QPainter& painter) {
    painter.fillRect(ColCelPaintBox->rect(), palette().color(QPalette::Window));
    const auto cellRect = [](int k) {
        return QRect((k % kPaletteColumns) * kPaletteCellSize, (k / kPaletteColumns) * kPaletteCellSize,
                     kPaletteCellSize - 1, kPaletteCellSize - 1);
    };
    for (int k = 0; k < kPaletteCells; ++k) {
        painter.setPen(Qt::black);
        painter.setBrush(ToQColor(palette_.cells[static_cast<std::size_t>(k)]));
        painter.drawRect(cellRect(k));
    }
    // The current cell's white frame is drawn last, over its neighbours' black ones.
    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cellRect(currentCell_));
}

void TColorPickerForm::PickField(int x, int y) {
    x = std::clamp(x, 0, kColorFieldSize - 1);
    y = std::clamp(y, 0, kColorFieldSize - 1);
    const ColorSwitch sw = GetColorSwitch();
    const std::uint32_t colour = GetLightColorBGR(x, y, sw, values_);
    SetCurrentColor(colour);
    if (IsHsbSwitch(sw)) {
        // The field's own HSB value, not a reconversion of the colour.
        values_.setHsb(GetLightColorHSB(x, y, sw, values_));
        WriteHsbBoxes();
        ContradictPaint(PaintRequest::prOnColorListHSBChanged);
    } else {
        WriteRgbBoxes(nullptr);
        ContradictPaint(PaintRequest::prOnColorListBGRChanged);
    }
}

void TColorPickerForm::ColorListPaintBoxMouseDown(int x, int y) { PickField(x, y); }

void TColorPickerForm::ColorListPaintBoxMouseMove(int x, int y) { PickField(x, y); }

void TColorPickerForm::PickStrip(int y) {
    y = std::clamp(y, 0, kColorStripHeight - 1);
    const ColorSwitch sw = GetColorSwitch();
    const int value = StripClickValue(y, sw);
    const PickerValues before = values_;
    PaintRequest request = PaintRequest::prOnFadeHChanged;
    switch (sw) {
    case ColorSwitch::csHue: values_.hue = value; request = PaintRequest::prOnFadeHChanged; break;
    case ColorSwitch::csBrightness: values_.brightness = value; request = PaintRequest::prOnFadeBChanged; break;
    case ColorSwitch::csSaturation: values_.saturation = value; request = PaintRequest::prOnFadeSChanged; break;
    case ColorSwitch::csBlue: values_.blue = value; request = PaintRequest::prOnColorBChanged; break;
    case ColorSwitch::csGreen: values_.green = value; request = PaintRequest::prOnColorGChanged; break;
    case ColorSwitch::csRed: values_.red = value; request = PaintRequest::prOnColorRChanged; break;
    }
    if (values_.hsb() != before.hsb()) SetCurrentColor(CnvColorHSBtoBGR(values_.hsb()));
    if (values_.color() != before.color()) SetCurrentColor(values_.color());
    WriteComponentBox(sw);
    ContradictPaint(request);
}

void TColorPickerForm::GradPaintBoxMouseDown(int, int y) { PickStrip(y); }

void TColorPickerForm::GradPaintBoxMouseMove(int, int y) { PickStrip(y); }

void TColorPickerForm::SelectCell(int cell) {
    if (cell < 0 || cell == currentCell_) return;
    currentCell_ = cell;
    ContradictPaint(PaintRequest::prOnPaletteSelected);
}

void TColorPickerForm::ColCelPaintBoxMouseDown(int x, int y, bool rightButton) {
    const int cell = PaletteCellAt(x, y);
    if (cell < 0 || cell == currentCell_) return;
    if (!rightButton) {
        SelectCell(cell);
        return;
    }
    palette_.cells[static_cast<std::size_t>(cell)] = CurrentColor();
    ColCelPaintBox->update();
}

void TColorPickerForm::ColCelPaintBoxMouseMove(int x, int y) { SelectCell(PaletteCellAt(x, y)); }

void TColorPickerForm::FadeRadioGroupClick() {
    const int item = FadeRadioGroup->itemIndex();
    if (item < 0) return;
    SetColorSwitch(item == 0 ? ColorSwitch::csHue : item == 1 ? ColorSwitch::csSaturation : ColorSwitch::csBrightness);
    ContradictPaint(PaintRequest::prOnColorSwitchChanged);
}

void TColorPickerForm::ColorRadioGroupClick() {
    const int item = ColorRadioGroup->itemIndex();
    if (item < 0) return;
    SetColorSwitch(item == 0 ? ColorSwitch::csRed : item == 1 ? ColorSwitch::csGreen : ColorSwitch::csBlue);
    ContradictPaint(PaintRequest::prOnColorSwitchChanged);
}

void TColorPickerForm::RgbKeyUp(QLineEdit* firing, PaintRequest request) {
    const int red = ReadRgbBox(RedEd->text().toStdString());
    const int green = ReadRgbBox(GreenEd->text().toStdString());
    const int blue = ReadRgbBox(BlueEd->text().toStdString());
    if (red < 0 || green < 0 || blue < 0) return;
    values_.red = red;
    values_.green = green;
    values_.blue = blue;
    // A number beyond 255 was held to 255: let the box say so.
    const int typed = ParseBoxInteger(firing->text().toStdString());
    if (typed > 255) firing->setText("255");
    SetCurrentColor(values_.color());
    ContradictPaint(request);
}

void TColorPickerForm::HsbKeyUp(QLineEdit* firing, PaintRequest request) {
    const int hue = ReadHueBox(UHEd->text().toStdString());
    const int saturation = ReadPercentBox(USEd->text().toStdString());
    const int brightness = ReadPercentBox(UBEd->text().toStdString());
    if (hue < 0 || saturation < 0 || brightness < 0) return;
    // Only the box that fired is taken; the others keep the values they hold.
    const int typed = ParseBoxInteger(firing->text().toStdString());
    if (firing == UHEd) {
        values_.hue = hue;
        if (typed > 360) firing->setText("360");
    } else {
        if (firing == USEd)
            values_.saturation = saturation;
        else
            values_.brightness = brightness;
        if (typed > 100) firing->setText("100");
    }
    SetCurrentColor(CnvColorHSBtoBGR(values_.hsb()));
    ContradictPaint(request);
}

void TColorPickerForm::RedEdKeyUp() { RgbKeyUp(RedEd, PaintRequest::prOnColorRChanged); }
void TColorPickerForm::GreenEdKeyUp() { RgbKeyUp(GreenEd, PaintRequest::prOnColorGChanged); }
void TColorPickerForm::BlueEdKeyUp() { RgbKeyUp(BlueEd, PaintRequest::prOnColorBChanged); }
void TColorPickerForm::UHEdKeyUp() { HsbKeyUp(UHEd, PaintRequest::prOnFadeHChanged); }
void TColorPickerForm::USEdKeyUp() { HsbKeyUp(USEd, PaintRequest::prOnFadeSChanged); }
void TColorPickerForm::UBEdKeyUp() { HsbKeyUp(UBEd, PaintRequest::prOnFadeBChanged); }

bool TColorPickerForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        if (watched == RedEd) RedEdKeyUp();
        else if (watched == GreenEd) GreenEdKeyUp();
        else if (watched == BlueEd) BlueEdKeyUp();
        else if (watched == UHEd) UHEdKeyUp();
        else if (watched == USEd) USEdKeyUp();
        else if (watched == UBEd) UBEdKeyUp();
    }
    return QDialog::eventFilter(watched, event);
}

void TColorPickerForm::OKBtnClick() {
    if (!idle_) {
        okPending_ = true;
        OKCancelTimer->start();
        return;
    }
    OKCancelTimer->stop();
    resultColor_ = FromQColor(GetShape->brushColor());
    accept();
}

void TColorPickerForm::CancelBtnClick() { reject(); }

void TColorPickerForm::reject() {
    if (!idle_) {
        okPending_ = false;
        OKCancelTimer->start();
        return;
    }
    OKCancelTimer->stop();
    QDialog::reject();
}

void TColorPickerForm::OKCancelTimerTimer() {
    if (!idle_) return;
    OKCancelTimer->stop();
    if (okPending_)
        OKBtnClick();
    else
        reject();
}

}  // namespace veltrane
