#include "widgets/ui/status_bar.h"

namespace veltrane {

PanelStatusBar::PanelStatusBar(const QList<int>& widths, const QStringList& texts, QWidget* parent)
    : QStatusBar(parent) {
    setSizeGripEnabled(false);
    for (int i = 0; i < widths.size(); ++i) {
        auto* label = new QLabel(texts.value(i), this);
        // At least the panel's width; wider when a reading needs it, so no digit is cut off.
        label->setMinimumWidth(widths[i]);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        addWidget(label, i + 1 == widths.size() ? 1 : 0);
        labels_ << label;
    }
}

QStringList PanelStatusBar::panels() const {
    QStringList texts;
    for (const QLabel* label : labels_) texts << label->text();
    return texts;
}

void PanelStatusBar::setPanelText(int index, const QString& text) {
    if (index >= 0 && index < labels_.size()) labels_[index]->setText(text);
}

}  // namespace veltrane
