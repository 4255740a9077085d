// Draws the images of the preview's "CamTextures" folder: shadow, arm, glove, steering wheel,
// cockpit damage, three tyre sidewalls, the tread and the dashboard displays. Everything is
// drawn from simple shapes (no fonts), so the output is the same on every machine.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>

#include "core/images/BmpImage.h"
#include "core/images/TgaImage.h"

using pw::images::DecodedImage;
using pw::images::PixelFormat;

namespace {

DecodedImage toDecoded(const QImage& drawn, bool alpha) {
    const QImage image = drawn.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    DecodedImage out;
    out.width = image.width();
    out.height = image.height();
    out.format = alpha ? PixelFormat::Rgba : PixelFormat::Rgb;
    const int rowBytes = image.width() * out.bytesPerPixel();
    for (int y = 0; y < image.height(); ++y)
        out.pixels.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    return out;
}

bool save(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile f(QDir(folder).filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
        return false;
    }
    return true;
}

QImage canvas(int w, int h, bool alpha) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(alpha ? Qt::transparent : Qt::black);
    return image;
}

// Ground shadow: a soft, car-shaped dark patch, opaque enough in the middle to pass the alpha
// test (alpha above 0.4) and fading out at the edges.
QImage drawShadow() {
    QImage image = canvas(128, 256, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(64, 128, 150);
    g.setColorAt(0.0, QColor(0, 0, 0, 190));
    g.setColorAt(0.55, QColor(0, 0, 0, 150));
    g.setColorAt(0.85, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(10, 6, 108, 244), 40, 60);
    // Narrower waist between the wheels.
    p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    p.setBrush(QColor(0, 0, 0, 160));
    p.drawEllipse(QRectF(-30, 70, 50, 110));
    p.drawEllipse(QRectF(108, 70, 50, 110));
    return image;
}

// Race-suit sleeve: light fabric (the arm colour tints it) with folds and a seam.
QImage drawArm() {
    QImage image = canvas(64, 128, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 64, 0);
    g.setColorAt(0.0, QColor(150, 150, 150));
    g.setColorAt(0.5, QColor(245, 245, 245));
    g.setColorAt(1.0, QColor(160, 160, 160));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(QColor(120, 120, 120, 120), 2));
    for (int i = 0; i < 6; ++i) {
        const qreal y = 12 + i * 20;
        p.drawArc(QRectF(4, y, 56, 14), 20 * 16, 140 * 16);
    }
    p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
    p.drawLine(QPointF(48, 0), QPointF(48, 128));
    // Cuff at the wrist end.
    p.fillRect(QRectF(0, 0, 64, 10), QColor(70, 70, 70));
    return image;
}

// Glove: a padded palm with four fingers and a dark cuff on a transparent background.
QImage drawGlove() {
    QImage image = canvas(64, 64, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(215, 215, 220));
    for (int f = 0; f < 4; ++f) p.drawRoundedRect(QRectF(8 + f * 12, 4, 11, 26), 5, 5);
    p.drawRoundedRect(QRectF(6, 20, 52, 30), 8, 8);
    p.setBrush(QColor(45, 45, 50));
    p.drawRoundedRect(QRectF(8, 46, 48, 16), 4, 4);
    p.setPen(QPen(QColor(150, 150, 160), 1));
    p.drawLine(QPointF(14, 30), QPointF(50, 30));
    return image;
}

// Steering wheel seen by the driver: two grips, a carbon body with a display and buttons,
// transparent around it. The top of the wheel is the first row.
QImage drawSteeringWheel() {
    QImage image = canvas(256, 256, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(QRectF(40, 60, 176, 150), 30, 30);
    QPainterPath cut;
    cut.addEllipse(QRectF(70, 170, 116, 90));
    body = body.subtracted(cut);
    p.setPen(QPen(QColor(20, 20, 20), 3));
    p.setBrush(QColor(38, 38, 42));
    p.drawPath(body);
    // Grips.
    p.setBrush(QColor(25, 25, 28));
    p.drawRoundedRect(QRectF(6, 70, 44, 130), 18, 18);
    p.drawRoundedRect(QRectF(206, 70, 44, 130), 18, 18);
    // Display.
    p.setBrush(QColor(10, 40, 20));
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawRoundedRect(QRectF(88, 78, 80, 40), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 230, 120));
    p.drawRect(QRectF(120, 86, 16, 24));
    // Shift lights.
    const QColor lights[] = {Qt::green, Qt::green, Qt::yellow, Qt::yellow, Qt::red, Qt::red};
    for (int i = 0; i < 6; ++i) {
        p.setBrush(lights[i]);
        p.drawEllipse(QRectF(84 + i * 15, 64, 9, 9));
    }
    // Buttons and rotary switches.
    const QColor buttons[] = {QColor(200, 40, 40), QColor(40, 90, 200), QColor(230, 200, 40), QColor(220, 220, 220)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(buttons[i]);
        p.drawEllipse(QRectF(62 + (i % 2) * 14, 128 + (i / 2) * 18, 11, 11));
        p.drawEllipse(QRectF(172 + (i % 2) * 14, 128 + (i / 2) * 18, 11, 11));
    }
    p.setBrush(QColor(150, 150, 155));
    p.drawEllipse(QRectF(104, 130, 18, 18));
    p.drawEllipse(QRectF(134, 130, 18, 18));
    return image;
}

// Cockpit damage: cracked carbon weave.
QImage drawCockpitDamage() {
    QImage image = canvas(64, 64, false);
    QPainter p(&image);
    for (int y = 0; y < 64; y += 4)
        for (int x = 0; x < 64; x += 4)
            p.fillRect(QRect(x, y, 4, 4), ((x + y) / 4) % 2 ? QColor(36, 36, 40) : QColor(58, 58, 64));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 200, 190), 1.2));
    p.drawPolyline(QPolygonF({QPointF(4, 10), QPointF(20, 22), QPointF(28, 20), QPointF(40, 38), QPointF(60, 44)}));
    p.drawPolyline(QPolygonF({QPointF(28, 20), QPointF(34, 4)}));
    p.drawPolyline(QPolygonF({QPointF(40, 38), QPointF(36, 60)}));
    return image;
}

// Tyre sidewall: a light rim in the middle (the rim colour tints it), the dark rubber ring with
// the brand's colour marks, transparent outside the tyre.
QImage drawSidewall(const QColor& mark, const QColor& second) {
    QImage image = canvas(256, 256, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(128, 128);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 28, 30));
    p.drawEllipse(c, 126, 126);
    // Brand marks: two arcs of lettering-like blocks on opposite sides.
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < 9; ++i) {
            const qreal a = qDegreesToRadians(side * 180.0 + 50 + i * 9.0);
            p.save();
            p.translate(c + QPointF(std::cos(a), std::sin(a)) * 106);
            p.rotate(qRadiansToDegrees(a) + 90);
            p.setBrush(i % 3 == 1 ? second : mark);
            p.drawRect(QRectF(-5, -6, 10, 12));
            p.restore();
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(mark, 3));
    p.drawEllipse(c, 92, 92);
    // Rim: light alloy with five spokes.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 225, 228));
    p.drawEllipse(c, 86, 86);
    p.setBrush(QColor(150, 150, 155));
    p.drawEllipse(c, 70, 70);
    p.setBrush(QColor(235, 235, 238));
    for (int s = 0; s < 5; ++s) {
        p.save();
        p.translate(c);
        p.rotate(s * 72.0);
        p.drawRoundedRect(QRectF(-9, -72, 18, 72), 6, 6);
        p.restore();
    }
    p.setBrush(QColor(60, 60, 64));
    p.drawEllipse(c, 16, 16);
    return image;
}

// Tread: dark rubber with four grooves around the tyre (along v).
QImage drawTread() {
    QImage image = canvas(64, 128, false);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor(34, 34, 36));
    for (int y = 0; y < 128; y += 2) p.fillRect(QRect(0, y, 64, 1), QColor(40, 40, 43));
    for (int g = 0; g < 4; ++g) p.fillRect(QRect(9 + g * 14, 0, 4, 128), QColor(12, 12, 13));
    return image;
}

// Dashboard displays: a dark panel with a rev-light bar, a large gear display, two readouts and
// warning lamps, opaque so every batch of the dashboard shape shows something.
QImage drawDashboard() {
    QImage image = canvas(256, 256, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(30, 30, 34));
    p.setPen(QPen(QColor(70, 70, 76), 2));
    p.setBrush(QColor(14, 16, 18));
    p.drawRoundedRect(QRectF(16, 16, 224, 112), 10, 10);
    // Rev lights.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 12; ++i) {
        p.setBrush(i < 5 ? QColor(60, 220, 80) : i < 9 ? QColor(240, 200, 40) : QColor(235, 50, 40));
        p.drawEllipse(QRectF(30 + i * 17, 26, 11, 11));
    }
    // Gear display: a seven-segment "4".
    p.setBrush(QColor(255, 150, 40));
    p.drawRect(QRectF(108, 50, 8, 30));
    p.drawRect(QRectF(108, 78, 40, 8));
    p.drawRect(QRectF(140, 50, 8, 66));
    // Readouts: bar graphs.
    p.setBrush(QColor(60, 200, 230));
    for (int i = 0; i < 6; ++i) p.drawRect(QRectF(30, 108 - i * 9, 40 - i * 4, 6));
    p.setBrush(QColor(200, 230, 60));
    for (int i = 0; i < 6; ++i) p.drawRect(QRectF(186 + i * 4, 108 - i * 9, 40 - i * 4, 6));
    // Lower half: switches and lamps.
    p.setBrush(QColor(55, 55, 60));
    p.drawRoundedRect(QRectF(16, 144, 224, 96), 10, 10);
    const QColor lamps[] = {QColor(230, 40, 40), QColor(40, 120, 230), QColor(240, 200, 40), QColor(60, 220, 80)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(lamps[i]);
        p.drawEllipse(QRectF(36 + i * 52, 160, 22, 22));
        p.setBrush(QColor(170, 170, 175));
        p.drawRoundedRect(QRectF(40 + i * 52, 200, 14, 26), 3, 3);
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-cam-textures <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    using pw::images::encodeBmp;
    using pw::images::encodeTga;
    bool ok = true;
    ok &= save(folder, QStringLiteral("TE-Shadow.tga"), encodeTga(toDecoded(drawShadow(), true), true));
    ok &= save(folder, QStringLiteral("TE-Arm.tga"), encodeTga(toDecoded(drawArm(), false)));
    ok &= save(folder, QStringLiteral("TE-Glove.tga"), encodeTga(toDecoded(drawGlove(), true)));
    ok &= save(folder, QStringLiteral("stwheel.tga"), encodeTga(toDecoded(drawSteeringWheel(), true), true));
    ok &= save(folder, QStringLiteral("COCKPIT_DAMAGE.tga"), encodeTga(toDecoded(drawCockpitDamage(), false)));
    ok &= save(folder, QStringLiteral("wheel_michelin_0.tga"),
               encodeTga(toDecoded(drawSidewall(QColor(250, 210, 30), QColor(30, 60, 170)), true), true));
    ok &= save(folder, QStringLiteral("wheel_mclaren_0.tga"),
               encodeTga(toDecoded(drawSidewall(QColor(240, 240, 240), QColor(230, 110, 20)), true), true));
    ok &= save(folder, QStringLiteral("wheel_bridgestone_0.tga"),
               encodeTga(toDecoded(drawSidewall(QColor(235, 235, 235), QColor(210, 30, 40)), true), true));
    ok &= save(folder, QStringLiteral("TE-Tread.bmp"), encodeBmp(toDecoded(drawTread(), false)));
    ok &= save(folder, QStringLiteral("new_steering_wheel_displays.tga"),
               encodeTga(toDecoded(drawDashboard(), true)));
    return ok ? 0 : 1;
}
