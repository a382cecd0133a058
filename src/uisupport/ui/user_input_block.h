#pragma once
// While it lives, the application's user input (keys, mouse, wheel, touch) is dropped, so a
// timed step of the program runs on while events other than input are processed.
#include <QObject>

namespace veltrane {

class UserInputBlock : public QObject {
public:
    UserInputBlock();
    ~UserInputBlock() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace veltrane
