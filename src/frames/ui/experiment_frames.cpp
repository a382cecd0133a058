// The frame controls of the frame-processing window: stepping through the video, the hand-over
// of a frame, the start and end points and the snapshot series.
#include <QFile>

#include "frames/frame_numbers.h"
#include "frames/snapshot_series.h"
#include "frames/ui/experiment_pictures.h"
#include "frames/ui/experiment_window.h"
#include "frames/ui/frame_source.h"
#include "image/bmp_codec.h"
#include "image/jpeg_codec.h"
#include "platform/ui/platform_services.h"
#include "uisupport/ui/atomic_write.h"
#include "widgets/ui/selection_track_bar.h"
#include "widgets/ui/up_down.h"

namespace veltrane {

void TExperiment::SetFrameCount(int totalFrames) {
    TrackBar1->setMaximum(totalFrames);
    UpDown1->setMaximum(totalFrames);
    Edit2->setText(QString::number(totalFrames));
}

void TExperiment::ShowFrame(int n) {
    if (!source_) return;
    const GrabResult& grab = source_->GrabFrame(n);
    if (!grab.hasFrame()) return;
    frameBitmap_ = grab.frame;
    showPicture(*Image1, frameBitmap_);
    showPicture(*Image2, frameBitmap_);
}

void TExperiment::TrackBar1Change() {
    if (!source_) return;
    const int n = frameAtTrackPosition(TrackBar1->value(), source_->totalFrames(), TrackBar1->maximum());
    Label4->setText(QString::number(n));
    UpDown1->setValue(n);
    ShowFrame(n);
}

void TExperiment::UpDown1Click() {
    if (!source_) return;
    const int n = UpDown1->value();
    Label4->setText(QString::number(n));
    // Moving the bar shows the frame too.
    TrackBar1->setValue(n);
    ShowFrame(n);
}

void TExperiment::BitBtn1Click() {
    if (!source_) return;
    const GrabResult& grab = source_->GrabFrame(UpDown1->value());
    if (!grab.hasFrame()) return;
    // The player closes, and this window with it.
    source_->HandOverFrame(grab.frame);
}

void TExperiment::CheckBox1Click() {
    const bool open = CheckBox1->isChecked();
    Panel1->resize(kClientWidth, open ? kFramePanelOpen : kFramePanelClosed);
    SetOuterHeight(open ? kSnapshotOpenHeight : kSnapshotClosedHeight);
}

void TExperiment::Button2Click() {
    startPoint_ = TrackBar1->value();
    TrackBar1->setSelStart(startPoint_);
    TrackBar1->setSelEnd(TrackBar1->maximum());
    Edit1->setText(QString::number(startPoint_));
    Button3->setEnabled(true);
    Button4->setEnabled(false);
    BitBtn3->setEnabled(false);
}

void TExperiment::Button1Click() {
    endPoint_ = TrackBar1->value();
    TrackBar1->setSelEnd(endPoint_);
    Edit2->setText(QString::number(endPoint_));
    const bool ordered = TrackBar1->selEnd() >= TrackBar1->selStart();
    Button4->setEnabled(ordered);
    BitBtn3->setEnabled(ordered);
}

void TExperiment::Button3Click() { JumpTo(startPoint_); }
void TExperiment::Button4Click() { JumpTo(endPoint_); }

// The bar moves to the point (and shows that frame); the images then show the frame at the
// point's time counted at 30 frames a second, while Label4 keeps the point.
void TExperiment::JumpTo(int point) {
    if (!source_) return;
    TrackBar1->setValue(point);
    ShowFrame(jumpFrame(source_->totalSeconds(), point, source_->totalFrames()));
}

void TExperiment::ComboBox1Change() {
    const int index = ComboBox1->currentIndex();
    if (index < 0) return;
    const bool jpeg = seriesFormat(index) == SnapshotFormat::Jpeg;
    Label17->setVisible(jpeg);
    ComboBox2->setVisible(jpeg);
}

void TExperiment::BitBtn3Click() {
    if (!source_) return;
    const SnapshotFormat format = seriesFormat(ComboBox1->currentIndex());
    const int quality = seriesQuality(ComboBox2->currentIndex());
    const SeriesPlan plan = planSeries(startPoint_, endPoint_, seriesStep(ComboBox3->currentIndex()));
    // A bar whose minimum equals its maximum would show Qt's busy indicator.
    ProgressBar1->setRange(0, std::max(1, plan.maximum));
    ProgressBar1->setValue(0);
    const std::string mediaPath = QFile::encodeName(source_->mediaPath()).toStdString();
    for (const SeriesFrame& step : plan.frames) {
        if (!source_) return;
        const GrabResult& grab = source_->GrabFrame(step.frame);
        if (!grab.hasFrame()) {
            platform().messageBox(nullptr, QString("フレーム%1を取得できませんでした").arg(step.frame), QString(),
                                  MessageButtons::Ok, MessageIcon::Error);
            return;
        }
        frameBitmap_ = grab.frame;
        std::vector<std::uint8_t> bytes;
        if (format == SnapshotFormat::Bmp) {
            showPicture(*Image1, frameBitmap_);
            bytes = encodeBmp24(frameBitmap_);
        } else {
            bytes = encodeJpeg(frameBitmap_, quality);
        }
        const QString name = QFile::decodeName(seriesFileName(mediaPath, step.frame, format).c_str());
        const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (!writeFileOrReport(name, data, "ファイルを保存できませんでした")) return;
        ProgressBar1->setValue(step.progress);
        ProgressBar1->repaint();
    }
    platform().messageBox(nullptr, "完了しました", "完了", MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace veltrane
