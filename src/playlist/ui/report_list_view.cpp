#include "playlist/ui/report_list_view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "playlist/ui/play_list_icons.h"

namespace veltrane {

namespace {

constexpr int kStateImageRole = Qt::UserRole + 1;
constexpr int kStateImageSize = 16;

// Paints the row's state image at the left of the cell and the rest of the row beside it.
class StateImageDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QVariant state = index.data(kStateImageRole);
        if (!state.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QRect image(option.rect.left(), option.rect.top() + (option.rect.height() - kStateImageSize) / 2,
                          kStateImageSize, kStateImageSize);
        toolImage(state.toInt()).paint(painter, image);
        QStyleOptionViewItem rest(option);
        rest.rect.setLeft(option.rect.left() + kStateImageSize);
        QStyledItemDelegate::paint(painter, rest, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (index.data(kStateImageRole).isValid()) size.rwidth() += kStateImageSize;
        return size;
    }
};

}  // namespace

ReportListView::ReportListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setColumnCount(1);
    header()->setStretchLastSection(false);
    setItemDelegate(new StateImageDelegate(this));
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

void ReportListView::setStateImage(QTreeWidgetItem* item, int index) { item->setData(0, kStateImageRole, index); }

int ReportListView::stateImage(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    const QVariant state = item != nullptr ? item->data(0, kStateImageRole) : QVariant();
    return state.isValid() ? state.toInt() : -1;
}

int ReportListView::markedRow() const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (stateImage(i) == 1) return i;
    return -1;
}

void ReportListView::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    emit mousePressed();
}

}  // namespace veltrane
