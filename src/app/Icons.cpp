#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {
const QColor Navy(0x1f, 0x3a, 0x5f);
const QColor Teal(0x1f, 0x8a, 0x8a);
const QColor Paper(0xfb, 0xfb, 0xf7);
const QColor Gold(0xd9, 0xa4, 0x41);

QIcon draw(const std::function<void(QPainter&)>& paint) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        paint(p);
        icon.addPixmap(pm);
    }
    return icon;
}

void document(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 12, r.top());
    path.lineTo(r.right(), r.top() + 12);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(Navy, 3));
    p.setBrush(Paper);
    p.drawPath(path);
}
} // namespace

namespace Icons {

QIcon application() {
    return draw([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Navy);
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
        p.setBrush(Gold);
        p.drawEllipse(QRectF(36, 36, 18, 18));
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(44);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Paper);
        p.drawText(QRectF(2, 0, 50, 62), Qt::AlignCenter, QStringLiteral("B"));
    });
}

QIcon rozliczenia() {
    return draw([](QPainter& p) {
        p.setPen(QPen(Navy, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(32, 8), QPointF(32, 56));
        p.drawLine(QPointF(12, 16), QPointF(52, 16));
        p.drawLine(QPointF(20, 56), QPointF(44, 56));
        p.setBrush(Gold);
        p.setPen(QPen(Navy, 3));
        p.drawChord(QRectF(2, 22, 22, 20), 180 * 16, 180 * 16);
        p.drawChord(QRectF(40, 22, 22, 20), 180 * 16, 180 * 16);
        p.setPen(QPen(Navy, 2));
        p.drawLine(QPointF(12, 16), QPointF(4, 32));
        p.drawLine(QPointF(12, 16), QPointF(22, 32));
        p.drawLine(QPointF(52, 16), QPointF(42, 32));
        p.drawLine(QPointF(52, 16), QPointF(60, 32));
    });
}

QIcon wyciag() {
    return draw([](QPainter& p) {
        p.setPen(QPen(Navy, 3));
        p.setBrush(Teal);
        QPolygonF roof({QPointF(32, 4), QPointF(60, 20), QPointF(4, 20)});
        p.drawPolygon(roof);
        p.setBrush(Paper);
        for (int x : {10, 24, 38, 52})
            p.drawRect(QRectF(x - 3, 24, 6, 24));
        p.setBrush(Teal);
        p.drawRect(QRectF(4, 50, 56, 8));
    });
}

QIcon faktury() {
    return draw([](QPainter& p) {
        document(p, QRectF(12, 4, 40, 56));
        p.setPen(QPen(Teal, 3, Qt::SolidLine, Qt::RoundCap));
        for (int y : {22, 30, 38})
            p.drawLine(QPointF(20, y), QPointF(44, y));
        p.setPen(QPen(Gold, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(30, 48), QPointF(44, 48));
    });
}

QIcon kontrahenci() {
    return draw([](QPainter& p) {
        p.setPen(QPen(Navy, 3));
        p.setBrush(Teal);
        p.drawEllipse(QRectF(34, 10, 18, 18));
        p.drawChord(QRectF(26, 32, 34, 40), 0, 180 * 16);
        p.setBrush(Gold);
        p.drawEllipse(QRectF(12, 14, 18, 18));
        p.drawChord(QRectF(4, 36, 34, 40), 0, 180 * 16);
    });
}

} // namespace Icons
