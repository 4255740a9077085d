#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>

namespace pw::images {

// A team's menu pictures are numbered ".gpi" files of raw pixels read from byte 0: 4 bytes per
// pixel (blue, green, red, a fourth byte carried along), rows from the top down.
constexpr int kDriverPictureSize = 256;
constexpr int kDriverPictureBytes = kDriverPictureSize * kDriverPictureSize * 4;  // 262144
constexpr int kGridCarWidth = 200;
constexpr int kGridCarHeight = 49;
constexpr int kGridCarBytes = kGridCarWidth * kGridCarHeight * 4;  // 39200

struct TeamPictureNumbers {
    std::array<const char*, 2> drivers;
    const char* gridCar;
};

// The numbers the game gives each team's pictures (team order Ferrari .. Prost).
inline constexpr std::array<TeamPictureNumbers, 11> kInitialPictureNumbers{{
    {{"33", "61"}, "178"},   {{"193", "63"}, "179"}, {{"72", "272"}, "182"}, {{"66", "62"}, "184"},
    {{"56", "55"}, "183"},   {{"60", "74"}, "186"},  {{"270", "75"}, "190"}, {{"68", "273"}, "189"},
    {{"70", "64"}, "185"},   {{"269", "268"}, "187"}, {{"304", "271"}, "188"},
}};

inline QString pictureFileName(const QString& number) { return number + QStringLiteral(".gpi"); }

// Pixels of a picture file as a 32-bit image; the bytes map one to one onto Format_ARGB32's
// little-endian layout (B, G, R, fourth byte). bytes must hold exactly width * height * 4.
QImage pictureFromBytes(const QByteArray& bytes, int width, int height);
// The inverse, for writing pictures (demo game folders, tests).
QByteArray bytesFromPicture(const QImage& image);

}  // namespace pw::images
