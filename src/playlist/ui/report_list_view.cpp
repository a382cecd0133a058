#include "playlist/ui/report_list_view.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace veltrane {

ReportListView::ReportListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setColumnCount(1);
    header()->setStretchLastSection(false);
}

int ReportListView::currentRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void ReportListView::setCurrentRow(int row) {
    clearSelection();
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        setCurrentItem(item);
        item->setSelected(true);
    }
}

QStringList ReportListView::captions() const {
    QStringList texts;
    for (int i = 0; i < topLevelItemCount(); ++i) texts << topLevelItem(i)->text(0);
    return texts;
}

int ReportListView::checkedRow() const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->checkState(0) == Qt::Checked) return i;
    return -1;
}

void ReportListView::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    emit mousePressed();
}

}  // namespace veltrane
