#pragma once
// A one-column report view: rows with a caption, a small icon and a check box that marks the
// playing entry. The current row and the captions are properties, so scripts can select a
// row and read the list.
#include <QStringList>
#include <QTreeWidget>

namespace veltrane {

class ReportListView : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(int currentRow READ currentRow WRITE setCurrentRow)
    Q_PROPERTY(QStringList captions READ captions)
    Q_PROPERTY(int checkedRow READ checkedRow)

public:
    explicit ReportListView(QWidget* parent = nullptr);

    // -1 when no row is selected.
    int currentRow() const;
    // Selects the row (and only it); -1 or a row that does not exist clears the selection.
    void setCurrentRow(int row);
    QStringList captions() const;
    // The first row whose check box is set, -1 when none is.
    int checkedRow() const;

signals:
    // A press of a mouse button inside the list, after the selection followed it.
    void mousePressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace veltrane
