#include "DemoPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "core/images/TeamPictures.h"

namespace pw::demo {

namespace {
QColor rgb(unsigned c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }
}  // namespace

QImage drawDriverPicture(int team, int seat, unsigned armColour, unsigned rimColour) {
    using namespace pw::images;
    QImage image(kDriverPictureSize, kDriverPictureSize, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kDriverPictureSize);
    sky.setColorAt(0, rgb(rimColour).lighter(150));
    sky.setColorAt(1, rgb(rimColour).darker(200));
    p.fillRect(image.rect(), sky);

    // Shoulders in the team colour, a helmet above them, and a visor; the second driver's helmet
    // carries a stripe so the two seats differ.
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(armColour));
    p.drawRoundedRect(QRectF(28, 176, 200, 100), 40, 40);
    p.setBrush(rgb(armColour).lighter(120));
    p.drawEllipse(QRectF(68, 40, 120, 140));
    p.setBrush(QColor(20, 20, 30));
    p.drawRoundedRect(QRectF(82, 92, 92, 34), 14, 14);
    if (seat == 1) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(120, 40, 16, 52));
    }
    // One dot per team position, so teams with close colours still differ.
    p.setBrush(Qt::white);
    for (int i = 0; i <= team; ++i) p.drawEllipse(QRectF(8 + i * 22, 8, 14, 14));
    p.end();
    return image;
}

QImage drawGridCarPicture(int team, unsigned armColour, unsigned rimColour) {
    using namespace pw::images;
    QImage image(kGridCarWidth, kGridCarHeight, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(70, 72, 76));
    p.setPen(QPen(QColor(230, 230, 230), 2, Qt::DashLine));
    p.drawLine(0, 3, kGridCarWidth, 3);
    p.drawLine(0, kGridCarHeight - 4, kGridCarWidth, kGridCarHeight - 4);

    // The car from above, nose to the right: four tyres, body, wings.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(15, 15, 15));
    for (const QRectF& tyre : {QRectF(40, 6, 22, 9), QRectF(40, 34, 22, 9), QRectF(136, 8, 18, 8),
                               QRectF(136, 33, 18, 8)})
        p.drawRoundedRect(tyre, 3, 3);
    QPainterPath body;
    body.moveTo(30, 16);
    body.lineTo(120, 18);
    body.lineTo(182, 22);
    body.lineTo(182, 27);
    body.lineTo(120, 31);
    body.lineTo(30, 33);
    body.closeSubpath();
    p.setBrush(rgb(armColour));
    p.drawPath(body);
    p.setBrush(rgb(rimColour));
    p.drawRect(QRectF(22, 10, 10, 29));
    p.drawRect(QRectF(176, 12, 8, 25));
    p.setBrush(QColor(20, 20, 30));
    p.drawEllipse(QRectF(86, 20, 16, 9));
    p.setBrush(Qt::white);
    for (int i = 0; i <= team; ++i) p.drawRect(QRectF(6, 8 + i * 3, 10, 2));
    p.end();
    return image;
}

}  // namespace pw::demo
