#pragma once
// The histogram window: lives for the whole run, hidden until shown.
#include <QWidget>

namespace veltrane {

class THistogram : public QWidget {
    Q_OBJECT

public:
    explicit THistogram(QWidget* parent = nullptr);
};

}  // namespace veltrane
