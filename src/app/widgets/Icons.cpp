#include "app/widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pw::app {

namespace {

void folder(QPainter& p) {
    p.setPen(QColor(120, 90, 20));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(1.5, 5.5, 14, 10));
    p.drawRect(QRectF(1.5, 3.5, 6, 2));
}

void floppy(QPainter& p) {
    p.setPen(QColor(20, 40, 90));
    p.setBrush(QColor(60, 100, 190));
    p.drawRect(QRectF(1.5, 1.5, 14, 15));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 8, 5));
    p.setBrush(QColor(210, 210, 210));
    p.drawRect(QRectF(4.5, 10.5, 8, 6));
}

void bars(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawRect(QRectF(10, 11, 2, 6));
    p.setBrush(QColor(30, 150, 40));
    p.drawRect(QRectF(13, 8, 2, 9));
    p.setBrush(QColor(240, 150, 0));
    p.drawRect(QRectF(16, 5, 2, 12));
}

void helmet(QPainter& p) {
    p.setPen(QColor(120, 0, 0));
    p.setBrush(QColor(220, 30, 30));
    p.drawChord(QRectF(9, 8, 9, 9), 0, 180 * 16);
    p.drawRect(QRectF(9.5, 12.5, 8, 3));
}

// A curved arrow turning back to the left (undo), or mirrored to the right (redo).
void turnArrow(QPainter& p, bool right) {
    if (right) {
        p.translate(kIconSize, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(QColor(30, 70, 150), 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath curve;
    curve.moveTo(5, 7);
    curve.cubicTo(12, 3, 18, 9, 13, 15);
    p.drawPath(curve);
    QPainterPath head;
    head.moveTo(1, 7);
    head.lineTo(7, 2.5);
    head.lineTo(7, 11.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 70, 150));
    p.drawPath(head);
}

// The game's files (a drive) with an arrow out of it (import) or into it (export).
void transferArrow(QPainter& p, bool intoGame) {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(1.5, 11.5, 15, 5));
    p.setBrush(QColor(30, 150, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(12.5, 13, 2, 2));
    p.setBrush(QColor(30, 70, 150));
    p.drawRect(QRectF(7.5, intoGame ? 1 : 3.5, 3, 5.5));
    QPainterPath head;
    if (intoGame) {
        head.moveTo(4, 6.5);
        head.lineTo(14, 6.5);
        head.lineTo(9, 11);
    } else {
        head.moveTo(4, 4);
        head.lineTo(14, 4);
        head.lineTo(9, 0);
    }
    head.closeSubpath();
    p.drawPath(head);
}

void draw(QPainter& p, IconId id) {
    switch (id) {
        case IconId::LoadTeam:
            folder(p);
            helmet(p);
            break;
        case IconId::SaveTeam:
            floppy(p);
            helmet(p);
            break;
        case IconId::LoadPerformance:
            folder(p);
            bars(p);
            break;
        case IconId::SavePerformance:
            floppy(p);
            bars(p);
            break;
        case IconId::Quit:
            p.setPen(QColor(90, 60, 30));
            p.setBrush(QColor(170, 120, 70));
            p.drawRect(QRectF(3.5, 1.5, 9, 15));
            p.setPen(QPen(QColor(200, 0, 0), 2));
            p.drawLine(QPointF(11, 9), QPointF(17, 9));
            p.drawLine(QPointF(14, 6), QPointF(17, 9));
            p.drawLine(QPointF(14, 12), QPointF(17, 9));
            break;
        case IconId::DefaultAll: {
            p.setPen(QPen(QColor(20, 110, 40), 2.2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(3, 3, 12, 12), 60 * 16, 280 * 16);
            QPainterPath head;
            head.moveTo(11, 1);
            head.lineTo(16, 4);
            head.lineTo(11, 7.5);
            head.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 110, 40));
            p.drawPath(head);
            break;
        }
        case IconId::ChangeCarsWad:
            p.setPen(QColor(90, 60, 20));
            p.setBrush(QColor(200, 150, 80));
            p.drawRect(QRectF(2.5, 5.5, 13, 11));
            p.drawLine(QPointF(2.5, 9.5), QPointF(15.5, 9.5));
            p.setBrush(QColor(230, 180, 110));
            p.drawPolygon(QPolygonF(
                {QPointF(2.5, 5.5), QPointF(5.5, 1.5), QPointF(15.5, 1.5), QPointF(15.5, 5.5)}));
            break;
        case IconId::ChangeGamePath: {
            p.setPen(QColor(50, 50, 50));
            p.setBrush(QColor(230, 230, 230));
            p.drawRect(QRectF(1.5, 2.5, 15, 13));
            p.setBrush(QColor(40, 70, 160));
            p.drawRect(QRectF(1.5, 2.5, 15, 3));
            // Chequered flag corner: a racing game executable.
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 4; ++x)
                    p.fillRect(QRectF(4 + 2.5 * x, 7.5 + 2.5 * y, 2.5, 2.5),
                               (x + y) % 2 ? Qt::black : Qt::white);
            break;
        }
        case IconId::ChangeImagesPath:
            p.setPen(QColor(60, 60, 60));
            p.setBrush(QColor(150, 200, 250));
            p.drawRect(QRectF(1.5, 3.5, 15, 12));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 150, 60));
            p.drawPolygon(QPolygonF({QPointF(2, 15), QPointF(7, 8), QPointF(11, 13),
                                     QPointF(13, 10), QPointF(16, 15)}));
            p.setBrush(QColor(250, 210, 40));
            p.drawEllipse(QRectF(11, 5, 3, 3));
            break;
        case IconId::RestoreGameFiles: {
            floppy(p);
            // A turning-back arrow over the disk.
            p.setPen(QPen(QColor(200, 90, 0), 2.2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(5, 5, 10, 10), 90 * 16, 270 * 16);
            QPainterPath head;
            head.moveTo(6, 2);
            head.lineTo(11, 5);
            head.lineTo(6, 8);
            head.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(200, 90, 0));
            p.drawPath(head);
            break;
        }
        case IconId::About: {
            p.setPen(QColor(20, 60, 140));
            p.setBrush(QColor(50, 110, 210));
            p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(8, 4, 2.2, 2.2));
            p.drawRect(QRectF(8, 7.5, 2.2, 6.5));
            break;
        }
        case IconId::Undo:
        case IconId::Redo:
            turnArrow(p, id == IconId::Redo);
            break;
        case IconId::ImportAll:
        case IconId::ExportAll:
            transferArrow(p, id == IconId::ExportAll);
            break;
    }
}

}  // namespace

QIcon makeIcon(IconId id) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, id);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace pw::app
