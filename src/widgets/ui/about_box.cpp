#include "widgets/ui/about_box.h"

#include <QCoreApplication>
#include <QStyle>

namespace veltrane {

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("AboutBox");
    setWindowTitle("バージョン情報");
    setFixedSize(298, 150);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(style()->standardIcon(QStyle::SP_MediaPlay).pixmap(32, 32));
    ProgramIcon->setGeometry(16, 16, 36, 36);
    ProductName = new QLabel("Veltrane", this);
    ProductName->setObjectName("ProductName");
    QFont bold = ProductName->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    ProductName->setFont(bold);
    ProductName->setGeometry(68, 14, 214, 22);
    const QString version = QCoreApplication::applicationVersion();
    Version = new QLabel(version.isEmpty() ? QString("Version") : "Version " + version, this);
    Version->setObjectName("Version");
    Version->setGeometry(68, 40, 214, 18);
    Comments = new QLabel("画像の表示と加工、動画と音楽の再生", this);
    Comments->setObjectName("Comments");
    Comments->setWordWrap(true);
    Comments->setGeometry(16, 70, 266, 34);
    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    OKButton->setGeometry(111, 114, 75, 25);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this) AboutBox = nullptr;
}

void ShowAboutBox(QWidget* owner) {
    AboutBox = new TAboutBox(owner);
    AboutBox->setAttribute(Qt::WA_DeleteOnClose);
    AboutBox->exec();
}

}  // namespace veltrane
