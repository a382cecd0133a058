#pragma once
// The main window's status bar: fixed-width text panels; "panels" lists their texts.
#include <QLabel>
#include <QList>
#include <QStatusBar>
#include <QStringList>

namespace veltrane {

class PanelStatusBar : public QStatusBar {
    Q_OBJECT
    Q_PROPERTY(QStringList panels READ panels)

public:
    PanelStatusBar(const QList<int>& widths, const QStringList& texts, QWidget* parent = nullptr);

    QStringList panels() const;
    void setPanelText(int index, const QString& text);

private:
    QList<QLabel*> labels_;
};

}  // namespace veltrane
