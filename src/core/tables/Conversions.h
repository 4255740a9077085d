#pragma once

// The one table of conversions between the values the game stores ("file form") and the numbers
// the editor window shows ("display"). Every reader, writer, window field and own-file format goes
// through these functions, so a value shows and writes back the same way everywhere.
//
// Conventions:
// - Stored integers are divided with truncation toward zero (7 / 2 shows 3, -7 / 2 shows -3).
// - Writing back multiplies in the field's own width and wraps (a 16-bit product wraps in 16 bits).
// - Roundings round halves to the even neighbour. A stored float is rounded on its exact value
//   (widened to double), so only a float that is exactly a half is a tie; a decimal typed or
//   computed in the window is judged on the digits shown (asShown below).
// - Numbers are shown and parsed with "." whatever the locale.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "core/tables/EditorModel.h"

namespace pw::model {

// ---- Numbers as text ---------------------------------------------------------------------------

// General format with up to 15 significant digits and "." (12.0 -> "12", -4.4 -> "-4.4",
// 1e-7 -> "1e-07"). Negative zero shows as "0"; NaN and infinities as "nan", "inf", "-inf".
QString formatNumber(double value);

// A decimal number written with "." (surrounding blanks allowed, exponent allowed, no group
// separators). Empty text, "-", "1,5", "nan", "inf" and anything else that is not a finite number
// give no value; the window reports that to the user.
std::optional<double> parseNumber(const QString& text);

// An integer field: optional blanks, an optional sign, digits, and optionally a point followed
// only by zeros ("12", " 12 ", "+12", "-12", "12.", "12.0" all give 12). A fraction that is not
// zero ("12.5") is refused rather than silently cut, and so is any value outside the 32-bit signed
// range: a typing slip must not quietly become a different value.
std::optional<int> parseInteger(const QString& text);

// ---- Rounding ----------------------------------------------------------------------------------

// Nearest whole number; an exact half goes to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double value);

// The value cut to the 15 significant digits formatNumber shows: arithmetic noise in the last bits
// of a double (0.35 * 10 = 3.4999999999999996) disappears, so ties are judged on what the user
// reads (3.5).
double asShown(double value);

// Nearest multiple of 0.1 (round(value / 0.1) x 0.1), halves to even, judged as shown (0.25 -> 0.2,
// 0.35 -> 0.4). The result is the double closest to that decimal, so it formats shortest.
double roundToOneDecimal(double value);

// The decimal a 32-bit float stands for: the shortest decimal that reads back as the same float
// (0.1f -> 0.1, not 0.100000001490116...), for a value taken from a field as a float.
double floatToDecimal(float value);

// ---- Widths ------------------------------------------------------------------------------------

// The low bits of a shown integer, for a field of that width (a value outside the width wraps).
inline int16_t wrapInt16(int64_t v) {
    return int16_t(uint16_t(uint64_t(v)));
}
inline uint16_t wrapUInt16(int64_t v) {
    return uint16_t(uint64_t(v));
}
inline uint8_t wrapUInt8(int64_t v) {
    return uint8_t(uint64_t(v));
}

// ---- Onboard cameras, chase cameras, T-Cam -----------------------------------------------------

// Positions (x, y, z) of a camera: shown halved, stored doubled.
inline int cameraPositionToDisplay(int16_t stored) {
    return stored / 2;
}
inline int16_t cameraPositionToFile(int shown) {
    return wrapInt16(int64_t(shown) * 2);
}
// Angles (dir, pitch, roll): 182 file units per shown unit.
inline int cameraAngleToDisplay(int16_t stored) {
    return stored / 182;
}
inline int16_t cameraAngleToFile(int shown) {
    return wrapInt16(int64_t(shown) * 182);
}
// Detail values (car and wheel details): as stored.
inline int cameraDetailToDisplay(int16_t stored) {
    return stored;
}
inline int16_t cameraDetailToFile(int shown) {
    return wrapInt16(shown);
}
// Any of the ten fields of a CarCamera, by its file position.
int cameraFieldToDisplay(CameraField field, int16_t stored);
int16_t cameraFieldToFile(CameraField field, int shown);

// Chase camera Y and Z: the same encoding as camera positions.
inline int chaseToDisplay(int16_t stored) {
    return cameraPositionToDisplay(stored);
}
inline int16_t chaseToFile(int shown) {
    return cameraPositionToFile(shown);
}

// Per-team T-Cam position.
inline int tcamYToDisplay(int16_t stored) {
    return (int(stored) - 160) / 2;
}
inline int16_t tcamYToFile(int shown) {
    return wrapInt16(int64_t(shown) * 2 + 160);
}
inline int tcamZToDisplay(int16_t stored) {
    return (int(stored) + 122) / 2;
}
inline int16_t tcamZToFile(int shown) {
    return wrapInt16(int64_t(shown) * 2 - 122);
}

// Window FieldIds of the cameras. Record r's fields are kCameraFieldBase[r] + 10 x column, with the
// window columns X, Y, Z, Dir., Pitch, Roll, then the four detail values (file order is X, Z, Y).
inline constexpr std::array<int, kCameraCount> kCameraFieldBase = {105, 1, 2, 3, 4,  5,
                                                                   6,   7, 8, 9, 10, 106};
constexpr int kWindowColumnCount = 10;
constexpr CameraField cameraFieldOfColumn(int column) {
    return column == 1 ? CamY : column == 2 ? CamZ : CameraField(column);
}
constexpr int cameraFieldId(int record, CameraField field) {
    const int column = field == CamY ? 1 : field == CamZ ? 2 : int(field);
    return kCameraFieldBase[record] + 10 * column;
}

// ---- Per-team positions ------------------------------------------------------------------------

// Helmet Y and Z: shown as a whole number, 100 x the value rounded (0.125 -> 12, 0.135 -> 14,
// 0.165f -> 17, -0.195f -> -19).
// Returned as a double holding a whole number, so that any stored float (even a huge one) shows.
double helmetToDisplay(float stored);
float helmetToFile(double shown);

// The team's (external) steering wheel Y and Z: 200 x the value rounded to one decimal.
double steeringWheelToDisplay(float stored);
float steeringWheelToFile(double shown);

// ---- Cockpit positions -------------------------------------------------------------------------

enum class CockpitField { WheelX, WheelY, WheelZ, DashX, DashY, DashZ };
constexpr int kCockpitFieldCount = 6;

// Shown value: (value x scale + before) rounded to one decimal, plus after; scale 100 for the
// steering wheel and dashY, 200 for dashX and dashZ; before 0.6 for dashX; after 90 for wheelY, 63
// for dashY, 3 for dashZ. Stored value: (shown - before - after) / scale.
double cockpitToDisplay(CockpitField field, float stored);
float cockpitToFile(CockpitField field, double shown);
float cockpitValue(const CockpitPositions& positions, CockpitField field);
void setCockpitValue(CockpitPositions& positions, CockpitField field, float value);

// ---- Tyre positions (wheel positions of the collision mesh) ------------------------------------

// Shown as 100 x the float, rounded to a whole number (a double holding it, as for the helmet).
double tyrePositionToDisplay(float stored);
float tyrePositionToFile(double shown);
// Window axis of a wheel (X, Y, Z) -> index of its stored float: X = p0, Y = p2, Z = p1.
enum TyreAxis { TyreX, TyreY, TyreZ };
constexpr int tyreFloatIndex(TyreAxis axis) {
    return axis == TyreX ? 0 : axis == TyreY ? 2 : 1;
}

// ---- Team data, driver data --------------------------------------------------------------------

// Qualifying and race power: stored as the BHP + 32817 in 16 bits.
constexpr int kPowerBias = 32817;
inline int powerToDisplay(uint16_t stored) {
    return int(stored) - kPowerBias;
}
inline uint16_t powerToFile(int shown) {
    return wrapUInt16(int64_t(shown) + kPowerBias);
}
// Failure rate, gear count, driver number: shown zero-extended, stored as their low bits.
inline int failureRateToDisplay(uint16_t stored) {
    return stored;
}
inline uint16_t failureRateToFile(int shown) {
    return wrapUInt16(shown);
}
inline int gearCountToDisplay(uint8_t stored) {
    return stored;
}
inline uint8_t gearCountToFile(int shown) {
    return wrapUInt8(shown);
}
inline int driverNumberToDisplay(uint8_t stored) {
    return stored;
}
inline uint8_t driverNumberToFile(int shown) {
    return wrapUInt8(shown);
}
// Driver abilities and variations (unsigned 16 bits).
inline int driverValueToDisplay(uint16_t stored) {
    return stored;
}
inline uint16_t driverValueToFile(int shown) {
    return wrapUInt16(shown);
}

// ---- Colours -----------------------------------------------------------------------------------

// The window shows colours as platform colour values 0x00BBGGRR; the files hold 0x..RRGGBB.
// The top byte of a stored colour is dropped for display: the game only ever stores 0x00 or 0xFF
// there, and the window shows no alpha. Any other top byte therefore shows as its plain colour
// and is written back as the game expects it (arm 0xFF, rim 0x00).
uint32_t colourToWindow(uint32_t fileColour);
// Window colour -> 0xFFRRGGBB (the window's top byte is ignored).
uint32_t armColourToFile(uint32_t windowColour);
// Window colour -> 0x00RRGGBB.
uint32_t rimColourToFile(uint32_t windowColour);

}  // namespace pw::model
