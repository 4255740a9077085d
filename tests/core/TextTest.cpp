#include <gtest/gtest.h>

#include "core/bytes/Text.h"

using namespace pw::model;

TEST(Text, StripNulJoinsBytesAfterAnEmbeddedNul) {
    EXPECT_EQ(StripNul(QByteArray("Ferrari\0\0\0\0\0\0", 13)), QByteArray("Ferrari"));
    EXPECT_EQ(StripNul(QByteArray("car.ct\0x", 8)), QByteArray("car.ctx"));
    const struct {
        QByteArray in, out;
    } cases[] = {
        {QByteArray(), QByteArray()},
        {QByteArray("no nul"), QByteArray("no nul")},
        {QByteArray(128, '\0'), QByteArray()},
        {QByteArray("\0\0lead", 6), QByteArray("lead")},
        {QByteArray("a\0b\0\0c\0", 7), QByteArray("abc")},
        {QByteArray("cars\\x.gp4") + QByteArray(118, '\0'), QByteArray("cars\\x.gp4")},
    };
    for (const auto& c : cases) EXPECT_EQ(StripNul(c.in), c.out) << c.in.toHex().toStdString();
}

TEST(Text, MisterUpperCasesWordStartsOnly) {
    EXPECT_EQ(Mister(QStringLiteral("minardi f1 team")), QStringLiteral("Minardi F1 Team"));
    EXPECT_EQ(Mister(QStringLiteral("mcLaren")), QStringLiteral("McLaren"));
    EXPECT_EQ(Mister(QStringLiteral("a  b 1c")), QStringLiteral("A  B 1c"));
    EXPECT_EQ(Mister(QString::fromLatin1("\xe9t\xe9")), QString::fromLatin1("\xe9t\xe9"));
}

TEST(Text, CarShapeNameKeepsTheFirstByteAndLowerCasesTheRest) {
    EXPECT_EQ(carShapeNameFromRecord(QByteArray("FERRARI\0\0\0", 10)), QByteArray("Ferrari"));
    EXPECT_EQ(carShapeNameFromRecord(QByteArray("mcLAREN", 7)), QByteArray("mclaren"));
}
