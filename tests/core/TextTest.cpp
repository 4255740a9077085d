#include <gtest/gtest.h>

#include "model/Text.h"

using namespace pw::model;

TEST(Text, StripNulJoinsBytesAfterAnEmbeddedNul) {
    EXPECT_EQ(StripNul(QByteArray("Ferrari\0\0\0\0\0\0", 13)), QByteArray("Ferrari"));
    EXPECT_EQ(StripNul(QByteArray("car.ct\0x", 8)), QByteArray("car.ctx"));
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
