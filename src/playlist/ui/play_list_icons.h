#pragma once
// The play list's two image lists, painted at run time: ImageList2 holds the small icons of
// the entries (2 k video, 2 k + 1 sound, in colour k: red, yellow, blue, green, black);
// ImageList1 holds the tool-button images of the order (12 random, 13 reverse name, 14 name)
// and of the repeat mode (6 none, 7 one file, 8 all files).
#include <QIcon>
#include <QToolButton>

namespace veltrane {

// An entry icon of ImageList2; a null icon outside 0 to 9.
QIcon entryIcon(int index);
// An image of ImageList1; a null icon for an index the list does not hold.
QIcon toolImage(int index);

// A tool button that shows one image of ImageList1; the index is a property.
class ImageToolButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(int imageIndex READ imageIndex WRITE setImageIndex)

public:
    using QToolButton::QToolButton;

    int imageIndex() const { return imageIndex_; }
    void setImageIndex(int index);

private:
    int imageIndex_ = -1;
};

}  // namespace veltrane
