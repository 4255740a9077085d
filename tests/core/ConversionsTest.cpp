#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "core/tables/Conversions.h"

using namespace pw::model;

namespace {

struct IntCase {
    int stored;
    int shown;
    int back;
};

// ---- Cameras -----------------------------------------------------------------------------------

TEST(Conversions, CameraPositionsHalveTowardZeroAndLoseTheOddUnit) {
    const IntCase cases[] = {
        {7, 3, 6},
        {-7, -3, -6},
        {0, 0, 0},
        {1, 0, 0},
        {-1, 0, 0},
        {32767, 16383, 32766},
        {-32768, -16384, -32768},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(cameraPositionToDisplay(int16_t(c.stored)), c.shown);
        EXPECT_EQ(cameraPositionToFile(c.shown), c.back);
        EXPECT_EQ(chaseToDisplay(int16_t(c.stored)), c.shown);
        EXPECT_EQ(chaseToFile(c.shown), c.back);
        EXPECT_EQ(cameraFieldToDisplay(CamZ, int16_t(c.stored)), c.shown);
        EXPECT_EQ(cameraFieldToFile(CamY, c.shown), c.back);
    }
}

TEST(Conversions, CameraAnglesDivideBy182TowardZero) {
    const IntCase cases[] = {
        {-364, -2, -364}, {-365, -2, -364}, {363, 1, 182},       {364, 2, 364},
        {181, 0, 0},      {-181, 0, 0},     {32767, 180, 32760}, {-32760, -180, -32760},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(cameraAngleToDisplay(int16_t(c.stored)), c.shown);
        EXPECT_EQ(cameraAngleToFile(c.shown), c.back);
        EXPECT_EQ(cameraFieldToDisplay(CamPitch, int16_t(c.stored)), c.shown);
        EXPECT_EQ(cameraFieldToFile(CamRoll, c.shown), c.back);
    }
}

TEST(Conversions, CameraDetailsShowAsStored) {
    for (int v : {0, 1, -1, 300, 32767, -32768}) {
        EXPECT_EQ(cameraDetailToDisplay(int16_t(v)), v);
        EXPECT_EQ(cameraFieldToDisplay(CamWheelDetailFront, int16_t(v)), v);
        EXPECT_EQ(cameraFieldToFile(CamCarDetailRear, v), v);
    }
}

TEST(Conversions, TcamPositionsHaveTheirOwnOffsets) {
    const IntCase yCases[] = {{161, 0, 160}, {159, 0, 160}, {160, 0, 160},
                              {36, -62, 36}, {37, -61, 38}, {-200, -180, -200}};
    for (const IntCase& c : yCases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(tcamYToDisplay(int16_t(c.stored)), c.shown);
        EXPECT_EQ(tcamYToFile(c.shown), c.back);
    }
    const IntCase zCases[] = {
        {4, 63, 4}, {5, 63, 4}, {-123, 0, -122}, {-121, 0, -122}, {-125, -1, -124}};
    for (const IntCase& c : zCases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(tcamZToDisplay(int16_t(c.stored)), c.shown);
        EXPECT_EQ(tcamZToFile(c.shown), c.back);
    }
    // The offset is applied before halving on the full range, not in 16 bits.
    EXPECT_EQ(tcamYToDisplay(-32768), (-32768 - 160) / 2);
    EXPECT_EQ(tcamZToDisplay(32767), (32767 + 122) / 2);
}

TEST(Conversions, ShownValuesOutsideSixteenBitsWrap) {
    struct Case {
        const char* what;
        int16_t result;
        int expected;
    };
    const Case cases[] = {
        {"position 16384", cameraPositionToFile(16384), -32768},
        {"position 20000", cameraPositionToFile(20000), -25536},
        {"position -16385", cameraPositionToFile(-16385), 32766},
        {"angle 181", cameraAngleToFile(181), 32942 - 65536},
        {"angle -181", cameraAngleToFile(-181), 65536 - 32942},
        {"angle 1000000", cameraAngleToFile(1000000), int16_t(uint16_t(182000000u % 65536u))},
        {"detail 40000", cameraDetailToFile(40000), -25536},
        {"detail -40000", cameraDetailToFile(-40000), 25536},
        {"T-Cam Y 20000", tcamYToFile(20000), 40160 - 65536},
        {"T-Cam Z -20000", tcamZToFile(-20000), -40122 + 65536},
        {"chase 2147483647", chaseToFile(2147483647), -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.result, c.expected);
    }
}

TEST(Conversions, CameraFieldIdsFollowTheWindowColumns) {
    EXPECT_EQ(cameraFieldId(0, CamX), 105);
    EXPECT_EQ(cameraFieldId(0, CamY), 115);
    EXPECT_EQ(cameraFieldId(0, CamZ), 125);
    EXPECT_EQ(cameraFieldId(0, CamWheelDetailFront), 195);
    EXPECT_EQ(cameraFieldId(1, CamRoll), 51);
    EXPECT_EQ(cameraFieldId(10, CamDir), 40);
    EXPECT_EQ(cameraFieldId(11, CamY), 116);
    EXPECT_EQ(cameraFieldId(11, CamZ), 126);
    for (int column = 0; column < kWindowColumnCount; ++column)
        EXPECT_EQ(cameraFieldId(4, cameraFieldOfColumn(column)), 4 + 10 * column) << column;
}

// ---- Rounding ----------------------------------------------------------------------------------

TEST(Conversions, RoundHalfEvenSendsExactHalvesToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {2.5, 2},       {3.5, 4},
        {-2.5, -2},     {-3.5, -4},
        {0.5, 0},       {-0.5, 0},
        {1.5, 2},       {12.5, 12},
        {13.5, 14},     {2.6, 3},
        {2.4999, 2},    {-2.6, -3},
        {1e300, 1e300}, {4503599627370497.0, 4503599627370497.0},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(roundHalfEven(in), out) << in;
}

TEST(Conversions, RoundToOneDecimalJudgesTiesOnTheShownDigits) {
    const std::pair<double, double> cases[] = {
        {0.25, 0.2},
        {0.35, 0.4},
        {-0.25, -0.2},
        {-0.35, -0.4},
        {2.45, 2.4},
        {2.55, 2.6},
        {0.05, 0.0},
        {0.15, 0.2},
        {-4.4, -4.4},
        {-4.44, -4.4},
        {-4.46, -4.5},
        {1.04, 1.0},
        {123.45, 123.4},
        // Arithmetic noise in the last bits: these show as 0.25 and 0.35 and are ties.
        {0.25000000000000006, 0.2},
        {0.34999999999999992, 0.4},
    };
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(in);
        // The nearest double to the decimal, so it also prints shortest with 17 digits.
        EXPECT_EQ(roundToOneDecimal(in), out);
        EXPECT_EQ(QString::number(roundToOneDecimal(in), 'g', 17), QString::number(out, 'g', 17));
    }
}

TEST(Conversions, FloatToDecimalGivesTheShortestDecimalOfTheFloat) {
    const std::pair<float, double> cases[] = {
        {0.1f, 0.1}, {-4.4f, -4.4},   {0.165f, 0.165}, {0.6991f, 0.6991}, {16777217.0f, 16777216.0},
        {0.0f, 0.0}, {1e-30f, 1e-30},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(floatToDecimal(in), out) << in;
    EXPECT_TRUE(std::isnan(floatToDecimal(NAN)));
}

// ---- Per-team positions ------------------------------------------------------------------------

TEST(Conversions, HelmetShowsHundredthsRoundedHalfEven) {
    struct Case {
        float stored;
        double shown;
    };
    // The stored float's exact value is rounded: only 0.125f is a true tie. 0.165f and 0.175f
    // lie just off it (0.16500000655..., 0.17499999701...) and both show 17; -0.195f is
    // -0.19499999284... and shows -19.
    const Case cases[] = {
        {0.125f, 12},   {0.135f, 14},  {0.145f, 14}, {0.155f, 16}, {0.165f, 17},  {0.175f, 17},
        {-0.125f, -12}, {-0.15f, -15}, {0.01f, 1},   {0.004f, 0},  {-0.22f, -22}, {0.0f, 0},
        {-0.195f, -19}, {0.375f, 38},  {-0.625f, -62},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(helmetToDisplay(c.stored), c.shown);
        EXPECT_EQ(tyrePositionToDisplay(c.stored), c.shown);
    }
    EXPECT_EQ(formatNumber(helmetToDisplay(0.125f)), QStringLiteral("12"));
    EXPECT_EQ(helmetToFile(12), 0.12f);
    EXPECT_EQ(helmetToFile(-15), -0.15f);
    EXPECT_EQ(formatNumber(helmetToDisplay(-0.004f)), QStringLiteral("0"));  // not "-0"
}

TEST(Conversions, SteeringWheelShowsTwoHundredTimesToOneDecimal) {
    struct Case {
        float stored;
        const char* text;
    };
    const Case cases[] = {
        {-0.022f, "-4.4"},
        {0.05f, "10"},
        {-0.0555f, "-11.1"},
        {0.0025f, "0.5"},
        // 0.00025f is 0.000250000011874...: 200 x it lies just above the tie 0.05.
        {0.00025f, "0.1"},
        {-0.00025f, "-0.1"},
        {0.00075f, "0.2"},
        {0.00175f, "0.4"},
        {0.123456f, "24.7"},
        // -1.49775f and -1.49825f are -1.49775004... and -1.49825001...: off their ties.
        {-1.49775f, "-299.6"},
        {-1.49825f, "-299.7"},
        // 0.000625f x 200 lies just under the tie 0.125; 0.03125f x 200 (6.25) and 0.09375f x 200
        // (18.75) are true ties and go to the even tenth.
        {0.000625f, "0.1"},
        {0.03125f, "6.2"},
        {0.09375f, "18.8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatNumber(steeringWheelToDisplay(c.stored)), QString::fromLatin1(c.text));
    }
    EXPECT_EQ(steeringWheelToDisplay(-0.022f), -4.4);
    EXPECT_EQ(steeringWheelToFile(-4.4), -0.022f);
    EXPECT_EQ(steeringWheelToFile(10), 0.05f);
}

// ---- Cockpit and tyre positions ----------------------------------------------------------------

TEST(Conversions, CockpitFieldsHaveTheirOwnScalesAndConstants) {
    struct Case {
        CockpitField field;
        float stored;
        double shown;
    };
    const Case cases[] = {
        {CockpitField::WheelX, -0.006f, -0.6}, {CockpitField::WheelX, 0.0025f, 0.2},
        {CockpitField::WheelY, -0.45f, 45},    {CockpitField::WheelY, 0.0025f, 90.2},
        {CockpitField::WheelY, 0.0f, 90},      {CockpitField::WheelZ, 0.03f, 3},
        {CockpitField::DashX, -0.006f, -0.6},  {CockpitField::DashX, 0.0f, 0.6},
        {CockpitField::DashX, 0.001f, 0.8},    {CockpitField::DashY, -0.005f, 62.5},
        {CockpitField::DashY, 0.0035f, 63.4},  {CockpitField::DashZ, 0.05f, 13},
        {CockpitField::DashZ, 0.00125f, 3.2},  {CockpitField::DashZ, -0.0151f, -0},
        // Floats whose shortest decimal is a tie but whose exact value is not (0.0055f is
        // 0.00549999997..., 0.0005f 0.000500000023...), and a true tie (0.03125f).
        {CockpitField::WheelX, 0.0055f, 0.5},  {CockpitField::WheelY, 0.0005f, 90.1},
        {CockpitField::DashX, 0.00025f, 0.7},  {CockpitField::DashX, 0.03125f, 6.8},
        {CockpitField::DashY, 0.0065f, 63.7},  {CockpitField::DashZ, 0.00275f, 3.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.field) << " " << c.stored);
        EXPECT_EQ(cockpitToDisplay(c.field, c.stored), c.shown);
    }
    const std::pair<CockpitField, double> back[] = {
        {CockpitField::WheelX, -0.006},
        {CockpitField::WheelY, (45.0 - 90) / 100},
        {CockpitField::WheelZ, 0.03},
        {CockpitField::DashX, (-0.6 - 0.6) / 200},
        {CockpitField::DashY, (62.5 - 63) / 100},
        {CockpitField::DashZ, (13.0 - 3) / 200},
    };
    const double shownValues[] = {-0.6, 45, 3, -0.6, 62.5, 13};
    for (int i = 0; i < kCockpitFieldCount; ++i)
        EXPECT_EQ(cockpitToFile(back[i].first, shownValues[i]), float(back[i].second)) << i;
}

TEST(Conversions, CockpitValuesAreReachedByField) {
    CockpitPositions p;
    for (int i = 0; i < kCockpitFieldCount; ++i) setCockpitValue(p, CockpitField(i), float(i + 1));
    EXPECT_EQ(p.wheelX, 1);
    EXPECT_EQ(p.wheelY, 2);
    EXPECT_EQ(p.wheelZ, 3);
    EXPECT_EQ(p.dashX, 4);
    EXPECT_EQ(p.dashY, 5);
    EXPECT_EQ(p.dashZ, 6);
    for (int i = 0; i < kCockpitFieldCount; ++i) EXPECT_EQ(cockpitValue(p, CockpitField(i)), i + 1);
}

TEST(Conversions, TyrePositionsShowHundredthsInWindowAxisOrder) {
    const float wheel[3] = {0.6991f, -0.22925f, 1.1435f};  // p0, p1, p2 as stored
    EXPECT_EQ(tyrePositionToDisplay(wheel[tyreFloatIndex(TyreX)]), 70);
    EXPECT_EQ(tyrePositionToDisplay(wheel[tyreFloatIndex(TyreY)]), 114);
    EXPECT_EQ(tyrePositionToDisplay(wheel[tyreFloatIndex(TyreZ)]), -23);
    EXPECT_EQ(tyrePositionToFile(75), 0.75f);
    EXPECT_EQ(tyrePositionToFile(-23), -0.23f);
}

// ---- Team and driver data ----------------------------------------------------------------------

TEST(Conversions, PowersCarryTheBias) {
    const IntCase cases[] = {
        {0, -32817, 0},
        {65535, 32718, 65535},
        {33672, 855, 33672},
        {32817, 0, 32817},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(powerToDisplay(uint16_t(c.stored)), c.shown);
        EXPECT_EQ(powerToFile(c.shown), c.back);
    }
    EXPECT_EQ(powerToFile(-32818), 65535);
    EXPECT_EQ(powerToFile(32719), 0);
}

TEST(Conversions, ZeroExtendedFieldsKeepTheirLowBits) {
    EXPECT_EQ(failureRateToDisplay(65535), 65535);
    EXPECT_EQ(failureRateToFile(65536 + 963), 963);
    EXPECT_EQ(failureRateToFile(-1), 65535);
    EXPECT_EQ(gearCountToDisplay(255), 255);
    EXPECT_EQ(gearCountToFile(256 + 7), 7);
    EXPECT_EQ(driverNumberToDisplay(200), 200);
    EXPECT_EQ(driverNumberToFile(256 + 13), 13);
    EXPECT_EQ(driverNumberToFile(-1), 255);
    EXPECT_EQ(driverValueToDisplay(65535), 65535);
    EXPECT_EQ(driverValueToFile(70000), 70000 - 65536);
}

// ---- Colours -----------------------------------------------------------------------------------

TEST(Conversions, ColoursSwapRedAndBlueAndSetTheTopByte) {
    struct Case {
        uint32_t file;
        uint32_t window;
        uint32_t arm;
        uint32_t rim;
    };
    const Case cases[] = {
        {0xFF000000u, 0x000000u, 0xFF000000u, 0x00000000u},  // black arm
        {0x00123456u, 0x563412u, 0xFF123456u, 0x00123456u},  // rim colour
        {0xFF123456u, 0x563412u, 0xFF123456u, 0x00123456u},  // arm colour, same bytes
        {0x7F123456u, 0x563412u, 0xFF123456u, 0x00123456u},  // odd top byte: plain colour
        {0xFFEE2924u, 0x2429EEu, 0xFFEE2924u, 0x00EE2924u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(colourToWindow(c.file), c.window);
        EXPECT_EQ(armColourToFile(c.window), c.arm);
        EXPECT_EQ(rimColourToFile(c.window), c.rim);
    }
    // The window's own top byte never reaches the file.
    EXPECT_EQ(armColourToFile(0xAB563412u), 0xFF123456u);
    EXPECT_EQ(rimColourToFile(0xAB563412u), 0x00123456u);
}

// ---- Numbers as text ---------------------------------------------------------------------------

TEST(Conversions, FormatNumberUsesGeneralFormatWithFifteenDigits) {
    const std::pair<double, const char*> cases[] = {
        {12.0, "12"},
        {-4.4, "-4.4"},
        {0.1 + 0.2, "0.3"},
        {-0.0, "0"},
        {62.5, "62.5"},
        {-32817, "-32817"},
        {1e-7, "1e-07"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346e+15"},
        {double(-4.4f), "-4.40000009536743"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(formatNumber(value), QString::fromLatin1(text));
}

TEST(Conversions, ParseNumberReadsPointDecimalsOnly) {
    const std::pair<const char*, double> good[] = {
        {"12", 12},  {"-4.4", -4.4}, {" 62.5 ", 62.5}, {"1e3", 1000},
        {"12.", 12}, {".5", 0.5},    {"-0", 0},        {"+3", 3},
    };
    for (const auto& [text, value] : good) {
        const auto parsed = parseNumber(QString::fromLatin1(text));
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, value) << text;
    }
    for (const char* bad : {"", " ", "-", ".", "1,5", "1,000", "1.2.3", "--1", "abc", "nan", "inf",
                            "-inf", "12a", "1 2", "1e999"})
        EXPECT_FALSE(parseNumber(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Conversions, ParseIntegerAcceptsWholeNumbersOnly) {
    const std::pair<const char*, int> good[] = {
        {"12", 12},
        {" 12", 12},
        {"12 ", 12},
        {"+12", 12},
        {"-12", -12},
        {"12.", 12},
        {"12.0", 12},
        {"-3.00", -3},
        {"0", 0},
        {"-0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : good) {
        const auto parsed = parseInteger(QString::fromLatin1(text));
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, value) << text;
    }
    for (const char* bad :
         {"", " ", "-", "+", ".", ".0", "12.5", "12.01", "1e3", "2147483648", "-2147483649",
          "99999999999999999999", "12..0", "1 2", "0x10", "12,0", "--1", "1-", "abc"})
        EXPECT_FALSE(parseInteger(QString::fromLatin1(bad)).has_value()) << bad;
}

// Numbers keep "." when the user's locale writes ",".
class GermanLocale : public testing::Test {
protected:
    void SetUp() override {
        savedCLocale_ = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany"})
            if (std::setlocale(LC_ALL, name)) break;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, savedCLocale_.c_str());
    }

private:
    std::string savedCLocale_;
};

TEST_F(GermanLocale, NumbersStillUseThePoint) {
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    EXPECT_EQ(formatNumber(-4.4), QStringLiteral("-4.4"));
    EXPECT_EQ(formatNumber(12345.5), QStringLiteral("12345.5"));
    EXPECT_EQ(formatNumber(steeringWheelToDisplay(-0.022f)), QStringLiteral("-4.4"));
    ASSERT_TRUE(parseNumber(QStringLiteral("62.5")).has_value());
    EXPECT_EQ(*parseNumber(QStringLiteral("62.5")), 62.5);
    EXPECT_FALSE(parseNumber(QStringLiteral("62,5")).has_value());
    EXPECT_EQ(parseInteger(QStringLiteral("12.0")), 12);
    EXPECT_FALSE(parseInteger(QStringLiteral("12,0")).has_value());
    EXPECT_EQ(roundToOneDecimal(0.35), 0.4);
    EXPECT_EQ(helmetToDisplay(0.165f), 17);
}

}  // namespace
