#pragma once
// Files dropped on a window: the local paths of a drag, for windows that take dropped files.
#include <QStringList>

class QDragEnterEvent;
class QDropEvent;

namespace veltrane {

// Accepts a drag that carries URLs, as every window that takes files does.
void acceptFileDrag(QDragEnterEvent* event);
// The local files of a drop, in the order dragged; the drop is accepted.
QStringList droppedLocalFiles(QDropEvent* event);

}  // namespace veltrane
