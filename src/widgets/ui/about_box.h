#pragma once
// The version box: the program's name, version and a line about it, closed with OK.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace veltrane {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    QLabel *ProgramIcon, *ProductName, *Version, *Comments;
    QPushButton* OKButton;
};

// The version box while it is shown; null otherwise.
extern TAboutBox* AboutBox;

// Shows a new version box modally; it releases itself when closed.
void ShowAboutBox(QWidget* owner);

}  // namespace veltrane
