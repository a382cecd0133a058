#pragma once
// The main window: menus, tool bar, the picture area and status bar, and the image document
// it owns. Handlers are named after their control and event.
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/folder_navigation.h"
#include "app/zoom.h"
#include "image/bitmap24.h"
#include "image/decoded_image.h"
#include "platform/ui/platform_services.h"
#include "uisupport/ui/document_host.h"

class QKeyEvent;

namespace veltrane {

class PanelStatusBar;
class PictureView;
class PictureScrollBox;
class TColorPickerDialog;


class TMain : public QMainWindow, public DocumentHost {
    Q_OBJECT

public:
    // Builds the window and its commands; reads no file and shows nothing.
    explicit TMain(QWidget* parent = nullptr);

    // Reads the main settings (position, display mode) and shows the one-time greeting;
    // start-up runs it before the progress and histogram windows exist.
    void start();

    // Opens a file named on the command line, as the open command would.
    void OpenFile(const QString& path);

    // DocumentHost: what the other windows may ask of the program.
    ImageDocument& document() override { return doc_; }
    RandomGenerator& random() override { return random_; }
    TProgress* progress() override;
    void RefreshFromPlanes() override;
    void ShowWorkingBitmap() override;
    QString Caption() const override { return windowTitle(); }
    bool ReplaceImage(Bitmap24 picture, const QString& caption) override;
    // Puts a video frame into the document: caption "Captured Image(W×H)", image commands
    // on, folder commands off, display mode applied, and the window shown.
    void ReceiveFrame(Bitmap24 frame) override;
    void ShowMainWindow() override { show(); }
    void DetachFromFolder() override;
    void ResizeMainWindow(int outerWidth, int belowToolBar) override;
    // Sets the window's outer size (frame included).
    void ResizeOuter(int outerWidth, int outerHeight);

    void ShowOriginal();

    void EnableImageCommands();
    void DisableImageCommands();
    void EnableFolderCommands();
    void DisableFolderCommands();
    void ApplyDisplayMode();

    int fittedHeight() const { return fittedHeight_; }
    int fittedWidth() const { return fittedWidth_; }

    // Controls.
    QMenu *Filef1, *ViewV1, *ViewOptionV1, *ImageProcessM1, *AdjustmentColorA1, *imagetrans, *Extract1, *FilterF1,
        *Histogram1, *BinaryProcessB1, *Etc1, *transmit;
    QAction *OPEN1, *G1, *property, *saveas1, *CLOSE1, *EXIT1, *thumb, *CopyC1, *PasteP1, *NextFileN1,
        *PreviousFileP1, *FisrtFileF1, *LastFileL1, *Marge, *Joint, *N25, *N26, *wallpaper, *transmitmuch,
        *transmitlittle, *transmitno;
    QMenu *PopupImageMenu, *PopupOpenMenu, *PopupZoomMenu;
    QToolBar* ToolBar1;
    QToolButton *ToolButton15, *ToolButton14, *ToolButton8, *ToolButton9, *ToolButton3, *ToolButton2, *ToolButton6,
        *ToolButton5, *ToolButton13, *ToolButton12, *ToolButton1, *ToolButton7, *ToolButton10, *ToolButton11;
    QLineEdit* Edit1;
    PictureScrollBox* ScrollBox1;
    PictureView* Image1;
    PanelStatusBar* StatusBar1;
    // The colour picker of the mono-colour tint; it keeps its colour and palette for the run.
    TColorPickerDialog* ColorDialog;

public slots:
    // File menu.
    void OPEN1Click();
    void G1Click();
    void propertyClick();
    void saveas1Click();
    void CLOSE1Click();
    void EXIT1Click();
    // View menu.
    void ViewV1Click();
    void thumbClick();
    void CopyC1Click();
    void PasteP1Click();
    void NextFileN1Click();
    void PreviousFileP1Click();
    void FisrtFileF1Click();
    void LastFileL1Click();
    void MargeClick();
    void JointClick();
    void N25Click();
    void N26Click();
    // Image processing menu.
    void Binarize1Click();
    void Contrast1Click();
    void Gamma1Click();
    void HSIprocess1Click();
    void AddNoise1Click();
    void Postlize1Click();
    void RGBprocess1Click();
    void upanddownreverse1Click();
    void righttoleftreverse1Click();
    void upanddownshift1Click();
    void righttoleftshift1Click();
    void trumpreverse1Click();
    void contratrumpreverse1Click();
    void N3DframeF1Click();
    void ExtractColor1Click();
    void ExtractSkinColorClick();
    void CustomFilterC1Click();
    void FilterProcessF1Click();
    void MaskProcessM1Click();
    void GradiationmapG1Click();
    void DisplayHistogram1Click();
    void ExtendedHistogram1Click();
    void SmoothedHistogram1Click();
    void ImageProcess1Click();
    void MonoColor1Click();
    void SwitchCsolorClick();
    void ToneColorT1Click();
    void PCNNP1Click();
    void BinaryB1Click();
    void DilationD1Click();
    void ErosionE1Click();
    // Other menu.
    void Etc1Click();
    void MandelbrotM1Click();
    void JuliaJ1Click();
    void transmitmuchClick();
    void transmitlittleClick();
    void transmitnoClick();
    void DeskTopCaptureD1Click();
    void wallpaperClick();
    void Version1Click();
    // Zoom.
    void ToolButton3Click();
    void N31Click();
    void N32Click();
    void Zoom1Click();
    void N501Click();
    void N661Click();
    void N751Click();
    void N1001Click();
    void N1501Click();
    void N2001Click();
    void N3001Click();
    void N4001Click();
    // Mouse, keys and drops.
    void Image1MouseMove(int x, int y);
    void Image1DblClick();
    void FormMouseWheelDown(bool rightButtonHeld);
    void FormMouseWheelUp(bool rightButtonHeld);
    void Edit1KeyDown(int virtualKey);
    void FilesDropped(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class OpenSource { Dialog, Drop };

    void buildMenus();
    void buildPopupMenus();
    void buildToolBar();
    void FormClose();
    void ReadMainSettings();
    void WriteMainSettings();

    // Makes picture the document's picture in one step and shows it; on failure (no memory)
    // throws with a message and leaves the document, the view and the caption as they were.
    void AdoptPicture(Bitmap24 picture, std::optional<std::string> fileName);

    void OpenDocumentFile(const QString& path, OpenSource source);
    void OpenMediaFile(const QString& path);
    void ScanFolder();
    void LoadFolderEntry(int previousPosition);
    void Navigate(NavStep step);
    void SetCounterText(const QString& text);

    void ApplyFixedZoom(ZoomLevel level);
    void ApplyStepZoom(bool zoomIn);
    void WriteZoomCaption();
    void SetImageCommandsEnabled(bool on);
    // Runs an operation on the current planes and shows the result; nothing without a picture.
    void ApplyToPlanes(const std::function<void(ColorPlanes&)>& operation);
    // The capture's second half, after the desktop has settled: grab, show, adopt.
    void FinishCapture();
    void RestoreCaptureGeometry();
    void ChooseTransparency(QAction* chosen, int level);
    void SetTransparency(int level);
    // True when the key press is the shortcut of an enabled main-menu command.
    bool IsMenuShortcut(const QKeyEvent* event) const;
    QString ShortFileName() const;

    ImageDocument doc_;
    RandomGenerator random_;

    QString folderPath_;
    std::vector<std::string> folderList_;
    int folderCount_ = 0;
    int folderPosition_ = 0;
    QString counterText_;
    int fittedHeight_ = 0;
    int fittedWidth_ = 0;
    bool transparencyAvailable_ = false;
    struct CaptureWait;
    std::shared_ptr<CaptureWait> captureWait_;  // set while a capture waits for the desktop
};

}  // namespace veltrane
