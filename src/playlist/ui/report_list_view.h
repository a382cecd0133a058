#pragma once
// A one-column report view: rows with a caption, a small icon and, left of it, a state image of
// ImageList1 (1 marks the playing entry, 0 the others). The state image is a mark the program
// sets; the user cannot change it. The current row and the captions are properties, so scripts
// can select a row and read the list.
#include <QStringList>
#include <QTreeWidget>

namespace veltrane {

class ReportListView : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(int currentRow READ currentRow WRITE setCurrentRow)
    Q_PROPERTY(QStringList captions READ captions)
    Q_PROPERTY(int markedRow READ markedRow)

public:
    explicit ReportListView(QWidget* parent = nullptr);

    // -1 when no row is selected.
    int currentRow() const;
    // Selects the row (and only it); -1 or a row that does not exist clears the selection.
    void setCurrentRow(int row);
    QStringList captions() const;
    // Shows state image `index` of ImageList1 in front of the item.
    static void setStateImage(QTreeWidgetItem* item, int index);
    // The state image of a row, -1 when it has none.
    int stateImage(int row) const;
    // The first row showing state image 1, -1 when none does.
    int markedRow() const;

signals:
    // A press of a mouse button inside the list, after the selection followed it.
    void mousePressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace veltrane
