#include "playlist/ui/play_list_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace veltrane {

namespace {

constexpr int kIconSize = 16;

QColor iconColour(int k) {
    static const std::array<QColor, 5> colours{QColor(204, 0, 0), QColor(214, 180, 0), QColor(0, 0, 204),
                                               QColor(0, 160, 0), QColor(0, 0, 0)};
    return colours[static_cast<std::size_t>(k)];
}

QPixmap blank() {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A strip of film: a filled frame with perforations along both edges.
QPixmap filmIcon(const QColor& colour) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.fillRect(2, 1, 12, 14, colour);
    p.fillRect(5, 4, 6, 8, Qt::white);
    for (int y = 2; y < 14; y += 3) {
        p.fillRect(3, y, 1, 2, Qt::white);
        p.fillRect(12, y, 1, 2, Qt::white);
    }
    return pixmap;
}

// A quaver: a note head and a stem with a flag.
QPixmap noteIcon(const QColor& colour) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(2.5, 9.5, 6, 5));
    p.fillRect(QRectF(7.5, 2, 1.6, 10), colour);
    QPainterPath flag;
    flag.moveTo(9, 2);
    flag.cubicTo(13, 4, 14, 6, 12, 9);
    flag.lineTo(11.5, 8.5);
    flag.cubicTo(12.5, 6.5, 11, 5, 9, 4.5);
    flag.closeSubpath();
    p.drawPath(flag);
    return pixmap;
}

QPixmap textImage(const QString& text, const QColor& colour) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    QFont font = p.font();
    font.setPixelSize(text.size() > 2 ? 7 : 10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, kIconSize, kIconSize), Qt::AlignCenter, text);
    return pixmap;
}

// A circular arrow, with an optional figure in its middle.
QPixmap repeatImage(const QString& figure) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour(0, 90, 200);
    p.setPen(QPen(colour, 1.6));
    p.drawArc(QRectF(2, 2, 12, 12), 100 * 16, 300 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{QPointF(8, 0), QPointF(11.5, 2.2), QPointF(8, 4.5)});
    if (!figure.isEmpty()) {
        QFont font = p.font();
        font.setPixelSize(8);
        font.setBold(true);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QRect(0, 0, kIconSize, kIconSize), Qt::AlignCenter, figure);
    }
    return pixmap;
}

// An arrow to a bar: play once and stop.
QPixmap onceImage() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    const QColor colour(0, 90, 200);
    p.fillRect(2, 7, 8, 2, colour);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{QPointF(9, 4), QPointF(13, 8), QPointF(9, 12)});
    p.fillRect(13, 3, 2, 10, colour);
    return pixmap;
}

QPixmap playingMark() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 150, 0));
    p.drawPolygon(QPolygonF{QPointF(4, 3), QPointF(13, 8), QPointF(4, 13)});
    return pixmap;
}

}  // namespace

QIcon entryIcon(int index) {
    if (index < 0 || index > 9) return {};
    const QColor colour = iconColour(index / 2);
    return QIcon(index % 2 == 0 ? filmIcon(colour) : noteIcon(colour));
}

QIcon toolImage(int index) {
    switch (index) {
    case 0: return QIcon(blank());
    case 1: return QIcon(playingMark());
    case 6: return QIcon(onceImage());
    case 7: return QIcon(repeatImage("1"));
    case 8: return QIcon(repeatImage(QString()));
    case 12: return QIcon(textImage("?", QColor(160, 0, 160)));
    case 13: return QIcon(textImage("Z-A", QColor(0, 90, 200)));
    case 14: return QIcon(textImage("A-Z", QColor(0, 90, 200)));
    default: return {};
    }
}

void ImageToolButton::setImageIndex(int index) {
    imageIndex_ = index;
    setIcon(toolImage(index));
}

}  // namespace veltrane
