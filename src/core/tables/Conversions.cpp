#include "core/tables/Conversions.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>

namespace pw::model {

// ---- Numbers as text ---------------------------------------------------------------------------

QString formatNumber(double value) {
    if (value == 0) return QStringLiteral("0");  // also for -0.0
    // QString::number never uses the locale: "." always, no group separators.
    return QString::number(value, 'g', 15);
}

std::optional<double> parseNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    // The C locale reads "." only; group separators are refused, or "1,5" would read as 15.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> parseInteger(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negative = t[i++] == u'-';
    const int digitsStart = i;
    int64_t magnitude = 0;
    for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (t[i].unicode() - u'0');
        if (magnitude > int64_t(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (i == digitsStart) return std::nullopt;
    if (i < t.size() && t[i] == u'.') {
        for (++i; i < t.size() && t[i] == u'0'; ++i) {
        }
    }
    if (i != t.size()) return std::nullopt;
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

// ---- Rounding ----------------------------------------------------------------------------------

double roundHalfEven(double value) {
    // Written out rather than left to the floating-point rounding mode of the moment.
    const double nearest = std::round(value);  // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) return 2.0 * std::round(value / 2.0);
    return nearest;
}

double asShown(double value) {
    if (!std::isfinite(value)) return value;
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    double shown = value;
    std::from_chars(buffer, written.ptr, shown);
    return shown;
}

double roundToOneDecimal(double value) {
    // round(value / 0.1) x 0.1, done on tenths: value x 10 cut to the digits shown makes the tie
    // of 0.35 a tie, and tenths / 10 is the double nearest to the decimal (-4.4, not
    // -4.4000000000000004 as -44 x 0.1 would give).
    return roundHalfEven(asShown(value * 10)) / 10;
}

double floatToDecimal(float value) {
    if (!std::isfinite(value)) return value;
    // The shortest text that reads back as this float: what the user typed or would type for it.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    double decimal = value;
    std::from_chars(buffer, written.ptr, decimal);
    return decimal;
}

// Whole number of the stored float's exact value x scale. The float widened to double times a
// scale of a few bits is exact in double, so only a float that truly lies on a half is a tie:
// 0.125f shows 12 (the tie 12.5 goes to the even 12), 0.135f (0.13500000536...) shows 14,
// 0.165f (0.16500000655...) 17 and -0.195f (-0.19499999284...) -19.
static double scaledWhole(float stored, double scale) {
    return roundHalfEven(double(stored) * scale);
}

// Tenths of (the stored float's exact value x scale + before), rounded the same way; before is a
// whole number of tenths, so the sum stays exact too.
static double scaledTenths(float stored, double scale, double before) {
    return roundHalfEven(double(stored) * scale * 10 + before * 10);
}

// ---- Cameras -----------------------------------------------------------------------------------

int cameraFieldToDisplay(CameraField field, int16_t stored) {
    switch (field) {
        case CamX:
        case CamY:
        case CamZ:
            return cameraPositionToDisplay(stored);
        case CamDir:
        case CamPitch:
        case CamRoll:
            return cameraAngleToDisplay(stored);
        default:
            return cameraDetailToDisplay(stored);
    }
}

int16_t cameraFieldToFile(CameraField field, int shown) {
    switch (field) {
        case CamX:
        case CamY:
        case CamZ:
            return cameraPositionToFile(shown);
        case CamDir:
        case CamPitch:
        case CamRoll:
            return cameraAngleToFile(shown);
        default:
            return cameraDetailToFile(shown);
    }
}

// ---- Per-team positions ------------------------------------------------------------------------

double helmetToDisplay(float stored) {
    return scaledWhole(stored, 100);
}
float helmetToFile(double shown) {
    return float(shown / 100);
}

double steeringWheelToDisplay(float stored) {
    return scaledTenths(stored, 200, 0) / 10;
}
float steeringWheelToFile(double shown) {
    return float(shown / 200);
}

// ---- Cockpit positions -------------------------------------------------------------------------

namespace {
struct CockpitEncoding {
    double scale, before, after;
};
CockpitEncoding cockpitEncoding(CockpitField field) {
    switch (field) {
        case CockpitField::WheelX:
            return {100, 0, 0};
        case CockpitField::WheelY:
            return {100, 0, 90};
        case CockpitField::WheelZ:
            return {100, 0, 0};
        case CockpitField::DashX:
            return {200, 0.6, 0};
        case CockpitField::DashY:
            return {100, 0, 63};
        case CockpitField::DashZ:
            return {200, 0, 3};
    }
    return {100, 0, 0};
}
}  // namespace

double cockpitToDisplay(CockpitField field, float stored) {
    const CockpitEncoding e = cockpitEncoding(field);
    // Counted in tenths so that the constant added after rounding keeps the sum exact.
    const double tenths = scaledTenths(stored, e.scale, e.before);
    return (tenths + e.after * 10) / 10;
}

float cockpitToFile(CockpitField field, double shown) {
    const CockpitEncoding e = cockpitEncoding(field);
    return float((shown - e.before - e.after) / e.scale);
}

float cockpitValue(const CockpitPositions& p, CockpitField field) {
    switch (field) {
        case CockpitField::WheelX:
            return p.wheelX;
        case CockpitField::WheelY:
            return p.wheelY;
        case CockpitField::WheelZ:
            return p.wheelZ;
        case CockpitField::DashX:
            return p.dashX;
        case CockpitField::DashY:
            return p.dashY;
        case CockpitField::DashZ:
            return p.dashZ;
    }
    return 0;
}

void setCockpitValue(CockpitPositions& p, CockpitField field, float value) {
    switch (field) {
        case CockpitField::WheelX:
            p.wheelX = value;
            break;
        case CockpitField::WheelY:
            p.wheelY = value;
            break;
        case CockpitField::WheelZ:
            p.wheelZ = value;
            break;
        case CockpitField::DashX:
            p.dashX = value;
            break;
        case CockpitField::DashY:
            p.dashY = value;
            break;
        case CockpitField::DashZ:
            p.dashZ = value;
            break;
    }
}

// ---- Tyre positions ----------------------------------------------------------------------------

double tyrePositionToDisplay(float stored) {
    return scaledWhole(stored, 100);
}
float tyrePositionToFile(double shown) {
    return float(shown / 100);
}

// ---- Colours -----------------------------------------------------------------------------------

static uint32_t swapRedBlue(uint32_t c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

uint32_t colourToWindow(uint32_t fileColour) {
    return swapRedBlue(fileColour & 0x00FFFFFFu);
}
uint32_t armColourToFile(uint32_t windowColour) {
    return 0xFF000000u | swapRedBlue(windowColour & 0x00FFFFFFu);
}
uint32_t rimColourToFile(uint32_t windowColour) {
    return swapRedBlue(windowColour & 0x00FFFFFFu);
}

}  // namespace pw::model
