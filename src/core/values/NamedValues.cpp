#include "core/values/NamedValues.h"

#include <QStringList>
#include <cmath>
#include <limits>
#include <optional>

#include "core/bytes/Text.h"
#include "core/tables/Conversions.h"
#include "core/tables/TyreBrands.h"

namespace pw::values {

using model::EditorModel;

ValueError::ValueError(const QString& message) : std::runtime_error(message.toStdString()) {}

namespace {

// ---- Checks of shown values -------------------------------------------------------------------

QString kindName(Kind kind) {
    switch (kind) {
        case Kind::Integer:
            return QStringLiteral("a whole number");
        case Kind::Number:
            return QStringLiteral("a number");
        case Kind::Text:
            return QStringLiteral("a text");
        case Kind::Colour:
            return QStringLiteral("a colour \"#RRGGBB\"");
        case Kind::Brand:
            return QStringLiteral("a tyre brand");
    }
    return {};
}

[[noreturn]] void wrongType(Kind kind, const QJsonValue& v) {
    throw ValueError(QStringLiteral("%1 is not %2").arg(jsonText(v), kindName(kind)));
}

int64_t wholeIn(const QJsonValue& v, double minimum, double maximum) {
    if (!v.isDouble()) wrongType(Kind::Integer, v);
    const double d = v.toDouble();
    if (!std::isfinite(d) || std::trunc(d) != d) wrongType(Kind::Integer, v);
    if (d < minimum || d > maximum)
        throw ValueError(
            QStringLiteral("%1 is outside %2..%3")
                .arg(jsonText(v), model::formatNumber(minimum), model::formatNumber(maximum)));
    return int64_t(d);
}

double finiteNumber(const QJsonValue& v) {
    if (!v.isDouble() || !std::isfinite(v.toDouble())) wrongType(Kind::Number, v);
    return v.toDouble();
}

float finiteFloat(double d, const QJsonValue& v) {
    const float f = float(d);
    if (!std::isfinite(f)) throw ValueError(QStringLiteral("%1 is too large").arg(jsonText(v)));
    return f;
}

QString latinText(const QJsonValue& v, int maxLength) {
    if (!v.isString()) wrongType(Kind::Text, v);
    const QString text = v.toString();
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            throw ValueError(
                QStringLiteral("\"%1\" holds a character the game cannot store").arg(text));
    if (text.size() > maxLength)
        throw ValueError(
            QStringLiteral("\"%1\" is longer than %2 characters").arg(text).arg(maxLength));
    return text;
}

QString colourText(uint32_t rgb) {
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}
QString storedColourText(uint32_t stored) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(stored, 8, 16, QLatin1Char('0')).toUpper();
}
uint32_t colourFrom(const QJsonValue& v, const char* prefix, int digits) {
    const QString text = v.toString();
    const int prefixLength = int(qstrlen(prefix));
    bool ok = v.isString() && text.size() == prefixLength + digits &&
              text.left(prefixLength).compare(QLatin1String(prefix), Qt::CaseInsensitive) == 0;
    const uint32_t value = ok ? text.mid(prefixLength).toUInt(&ok, 16) : 0;
    if (!ok) wrongType(Kind::Colour, v);
    return value;
}

// RRGGBB of a file colour, and the window's 0x00BBGGRR of "#RRGGBB".
uint32_t rgbOfWindow(uint32_t window) {
    return ((window & 0xFF) << 16) | (window & 0xFF00) | ((window >> 16) & 0xFF);
}

// ---- Building the table -----------------------------------------------------------------------

struct Builder {
    std::vector<NamedValue> values;

    NamedValue& add(QString group, QString row, QString column, Kind kind) {
        NamedValue v;
        v.group = std::move(group);
        v.row = std::move(row);
        v.column = std::move(column);
        v.kind = kind;
        values.push_back(std::move(v));
        return values.back();
    }

    // A whole number shown as display(stored) and stored as toFile(shown); stored values are
    // the integers of the field's width.
    template <typename T, typename Get, typename Set, typename Show, typename File>
    void integer(QString group, QString row, QString column, Get get, Set set, Show display,
                 File toFile) {
        NamedValue& v = add(std::move(group), std::move(row), std::move(column), Kind::Integer);
        // The shown range is what the field's width can hold.
        const int lo = display(std::numeric_limits<T>::min());
        const int hi = display(std::numeric_limits<T>::max());
        v.minimum = std::min(lo, hi);
        v.maximum = std::max(lo, hi);
        v.shown = [get, display](const EditorModel& m) { return QJsonValue(display(get(m))); };
        v.stored = [get](const EditorModel& m) { return QJsonValue(qint64(get(m))); };
        v.storedFromShown = [toFile, lo = v.minimum, hi = v.maximum](const QJsonValue& s) {
            return QJsonValue(qint64(toFile(int(wholeIn(s, lo, hi)))));
        };
        v.setStored = [set](EditorModel& m, const QJsonValue& s) {
            set(m, T(wholeIn(s, std::numeric_limits<T>::min(), std::numeric_limits<T>::max())));
        };
    }

    // A decimal shown as display(stored float) and stored as toFile(shown).
    template <typename Get, typename Set, typename Show, typename File>
    void decimal(QString group, QString row, QString column, Get get, Set set, Show display,
                 File toFile) {
        NamedValue& v = add(std::move(group), std::move(row), std::move(column), Kind::Number);
        v.shown = [get, display](const EditorModel& m) { return QJsonValue(display(get(m))); };
        v.stored = [get](const EditorModel& m) { return QJsonValue(double(get(m))); };
        v.storedFromShown = [toFile](const QJsonValue& s) {
            return QJsonValue(double(finiteFloat(toFile(finiteNumber(s)), s)));
        };
        v.setStored = [set](EditorModel& m, const QJsonValue& s) {
            set(m, finiteFloat(finiteNumber(s), s));
        };
    }

    // A text record: shown without NULs, stored as its bytes without the padding.
    template <typename Field, typename Show>
    void text(QString group, QString row, QString column, int maxLength, Field field,
              Show display) {
        NamedValue& v = add(std::move(group), std::move(row), std::move(column), Kind::Text);
        v.maxLength = maxLength;
        v.shown = [field, display](const EditorModel& m) {
            return QJsonValue(display(field(const_cast<EditorModel&>(m))));
        };
        v.stored = [field](const EditorModel& m) {
            QByteArray bytes = field(const_cast<EditorModel&>(m));
            while (bytes.endsWith('\0')) bytes.chop(1);
            return QJsonValue(QString::fromLatin1(bytes));
        };
        v.storedFromShown = [maxLength](const QJsonValue& s) {
            return QJsonValue(latinText(s, maxLength));
        };
        v.setStored = [field, maxLength](EditorModel& m, const QJsonValue& s) {
            field(m) = latinText(s, maxLength).toLatin1();
        };
    }
};

QString cameraRowName(int record) {
    if (record == 0) return QStringLiteral("Cockpit");
    if (record == 11) return QStringLiteral("T-Cam");
    if (record == 1) return QStringLiteral("Camera 10");
    return QStringLiteral("Camera %1").arg(record - 1);
}
// Camera records in the window's row order: Cockpit, T-Cam, Camera 1 .. Camera 10.
constexpr int kCameraRowOrder[] = {0, 11, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1};

const char* const kPositionColumns[] = {"X", "Y", "Z", "Dir.", "Pitch", "Roll"};
const char* const kDetailColumns[] = {"Car Details Rear", "Car Details Front",
                                      "Wheels Details Rear", "Wheels Details Front"};
const char* const kAxes[] = {"X", "Y", "Z"};

void addCameras(Builder& b) {
    const QString group = QStringLiteral("cameras");
    for (int record : kCameraRowOrder) {
        for (int column = 0; column < 6; ++column) {
            // The T-Cam row's Y and Z are per-team values on the Positions page.
            if (record == 11 && (column == 1 || column == 2)) continue;
            const model::CameraField field = model::cameraFieldOfColumn(column);
            b.integer<int16_t>(
                group, cameraRowName(record), QLatin1String(kPositionColumns[column]),
                [record, field](const EditorModel& m) { return m.cameras[record].field[field]; },
                [record, field](EditorModel& m, int16_t s) { m.cameras[record].field[field] = s; },
                [field](int16_t s) { return model::cameraFieldToDisplay(field, s); },
                [field](int shown) { return model::cameraFieldToFile(field, shown); });
        }
    }
    b.integer<int16_t>(
        group, QStringLiteral("Chase Cameras"), QStringLiteral("Y"),
        [](const EditorModel& m) { return m.chaseY; },
        [](EditorModel& m, int16_t s) { m.chaseY = s; },
        [](int16_t s) { return model::chaseToDisplay(s); },
        [](int shown) { return model::chaseToFile(shown); });
    b.integer<int16_t>(
        group, QStringLiteral("Chase Cameras"), QStringLiteral("Z"),
        [](const EditorModel& m) { return m.chaseZ; },
        [](EditorModel& m, int16_t s) { m.chaseZ = s; },
        [](int16_t s) { return model::chaseToDisplay(s); },
        [](int shown) { return model::chaseToFile(shown); });
}

void addPositions(Builder& b) {
    const QString group = QStringLiteral("positions");
    const char* const cockpitRows[] = {"Steering Wheel", "Dash Boards"};
    for (int block = 0; block < 2; ++block)
        for (int axis = 0; axis < 3; ++axis) {
            const auto field = model::CockpitField(3 * block + axis);
            b.decimal(
                group, QLatin1String(cockpitRows[block]), QLatin1String(kAxes[axis]),
                [field](const EditorModel& m) { return model::cockpitValue(m.cockpit, field); },
                [field](EditorModel& m, float s) { model::setCockpitValue(m.cockpit, field, s); },
                [field](float s) { return model::cockpitToDisplay(field, s); },
                [field](double shown) { return model::cockpitToFile(field, shown); });
        }
    for (int t = 0; t < model::kTeamCount; ++t) {
        const QString row = teamRow(t);
        b.integer<int16_t>(
            group, row, QStringLiteral("T-Cam Y"),
            [t](const EditorModel& m) { return m.teams[t].tcamY; },
            [t](EditorModel& m, int16_t s) { m.teams[t].tcamY = s; },
            [](int16_t s) { return model::tcamYToDisplay(s); },
            [](int shown) { return model::tcamYToFile(shown); });
        b.integer<int16_t>(
            group, row, QStringLiteral("T-Cam Z"),
            [t](const EditorModel& m) { return m.teams[t].tcamZ; },
            [t](EditorModel& m, int16_t s) { m.teams[t].tcamZ = s; },
            [](int16_t s) { return model::tcamZToDisplay(s); },
            [](int shown) { return model::tcamZToFile(shown); });
        b.decimal(
            group, row, QStringLiteral("Helmets Y"),
            [t](const EditorModel& m) { return m.teams[t].helmetY; },
            [t](EditorModel& m, float s) { m.teams[t].helmetY = s; }, model::helmetToDisplay,
            model::helmetToFile);
        b.decimal(
            group, row, QStringLiteral("Helmets Z"),
            [t](const EditorModel& m) { return m.teams[t].helmetZ; },
            [t](EditorModel& m, float s) { m.teams[t].helmetZ = s; }, model::helmetToDisplay,
            model::helmetToFile);
        b.decimal(
            group, row, QStringLiteral("St. Wheel Y"),
            [t](const EditorModel& m) { return m.teams[t].wheelY; },
            [t](EditorModel& m, float s) { m.teams[t].wheelY = s; }, model::steeringWheelToDisplay,
            model::steeringWheelToFile);
        b.decimal(
            group, row, QStringLiteral("St. Wheel Z"),
            [t](const EditorModel& m) { return m.teams[t].wheelZ; },
            [t](EditorModel& m, float s) { m.teams[t].wheelZ = s; }, model::steeringWheelToDisplay,
            model::steeringWheelToFile);
    }
    for (int w = 0; w < model::kWheelCount; ++w)
        for (int axis = 0; axis < 3; ++axis) {
            const int index = model::tyreFloatIndex(model::TyreAxis(axis));
            b.decimal(
                group, QStringLiteral("Wheel %1").arg(w + 1), QLatin1String(kAxes[axis]),
                [w, index](const EditorModel& m) { return m.tyres.wheel[w][index]; },
                [w, index](EditorModel& m, float s) { m.tyres.wheel[w][index] = s; },
                model::tyrePositionToDisplay, model::tyrePositionToFile);
        }
}

void addColour(Builder& b, int t, bool arm) {
    NamedValue& v =
        b.add(QStringLiteral("teams"), teamRow(t),
              arm ? QStringLiteral("Arm Colors Car 1") : QStringLiteral("Rim Colors Car 1"),
              Kind::Colour);
    auto get = [t, arm](const EditorModel& m) {
        return arm ? m.teams[t].armColour : m.teams[t].rimColour;
    };
    v.shown = [get](const EditorModel& m) {
        return QJsonValue(colourText(rgbOfWindow(model::colourToWindow(get(m)))));
    };
    v.stored = [get](const EditorModel& m) { return QJsonValue(storedColourText(get(m))); };
    v.storedFromShown = [arm](const QJsonValue& s) {
        const uint32_t window = rgbOfWindow(colourFrom(s, "#", 6));
        return QJsonValue(storedColourText(arm ? model::armColourToFile(window)
                                               : model::rimColourToFile(window)));
    };
    v.setStored = [t, arm](EditorModel& m, const QJsonValue& s) {
        (arm ? m.teams[t].armColour : m.teams[t].rimColour) = colourFrom(s, "0x", 8);
    };
}

// The brands team t's selector offers: all three for the second team, the first two otherwise.
int brandCountOf(int t) {
    return t == model::McLaren ? model::kTyreBrandCount : model::kTyreBrandCount - 1;
}

void addBrand(Builder& b, int t) {
    NamedValue& v =
        b.add(QStringLiteral("teams"), teamRow(t), QStringLiteral("Brand Types"), Kind::Brand);
    v.shown = [t](const EditorModel& m) {
        const int brand = m.teams[t].tyreBrand;
        return brand >= 0 && brand < model::kTyreBrandCount
                   ? QJsonValue(QLatin1String(model::TyreBrandNames[brand]))
                   : QJsonValue(brand);
    };
    v.stored = [t](const EditorModel& m) { return QJsonValue(m.teams[t].tyreBrand); };
    v.storedFromShown = [t](const QJsonValue& s) {
        for (int brand = 0; brand < brandCountOf(t); ++brand)
            if (s.isString() && s.toString() == QLatin1String(model::TyreBrandNames[brand]))
                return QJsonValue(brand);
        QStringList offered;
        for (int brand = 0; brand < brandCountOf(t); ++brand)
            offered << QLatin1String(model::TyreBrandNames[brand]);
        throw ValueError(QStringLiteral("%1 is not one of %2")
                             .arg(jsonText(s), offered.join(QStringLiteral(", "))));
    };
    v.setStored = [t](EditorModel& m, const QJsonValue& s) {
        m.teams[t].tyreBrand = int(wholeIn(s, 0, brandCountOf(t) - 1));
    };
}

void addTeams(Builder& b) {
    const QString group = QStringLiteral("teams");
    for (int t = 0; t < model::kTeamCount; ++t) {
        const QString row = teamRow(t);
        addColour(b, t, true);
        addColour(b, t, false);
        addBrand(b, t);
        b.text(
            group, row, QStringLiteral("Team Names"), 13,
            [t](EditorModel& m) -> QByteArray& { return m.teams[t].teamName; },
            model::textFromRecord);
        b.text(
            group, row, QStringLiteral("Engine Names"), 13,
            [t](EditorModel& m) -> QByteArray& { return m.teams[t].engineName; },
            model::textFromRecord);
        b.integer<uint16_t>(
            group, row, QStringLiteral("Power(BHP) Qual."),
            [t](const EditorModel& m) { return m.teams[t].qualifyPower; },
            [t](EditorModel& m, uint16_t s) { m.teams[t].qualifyPower = s; }, model::powerToDisplay,
            model::powerToFile);
        b.integer<uint16_t>(
            group, row, QStringLiteral("Power(BHP) Race"),
            [t](const EditorModel& m) { return m.teams[t].racePower; },
            [t](EditorModel& m, uint16_t s) { m.teams[t].racePower = s; }, model::powerToDisplay,
            model::powerToFile);
        b.integer<uint16_t>(
            group, row, QStringLiteral("Failure %"),
            [t](const EditorModel& m) { return m.teams[t].failureRate; },
            [t](EditorModel& m, uint16_t s) { m.teams[t].failureRate = s; },
            model::failureRateToDisplay, model::failureRateToFile);
        b.integer<uint8_t>(
            group, row, QStringLiteral("Gear"),
            [t](const EditorModel& m) { return m.teams[t].gearCount; },
            [t](EditorModel& m, uint8_t s) { m.teams[t].gearCount = s; }, model::gearCountToDisplay,
            model::gearCountToFile);
    }
}

void addDrivers(Builder& b) {
    const QString group = QStringLiteral("drivers");
    using Field = uint16_t model::DriverRecord::*;
    const std::pair<const char*, Field> values[] = {
        {"Qualify Ability", &model::DriverRecord::qualifyAbility},
        {"Qualify Var.", &model::DriverRecord::qualifyVariation},
        {"Race Ability", &model::DriverRecord::raceAbility},
        {"Race Var.", &model::DriverRecord::raceVariation},
    };
    for (int d = 0; d < model::kDriverCount; ++d) {
        const QString row = driverRow(d);
        b.integer<uint8_t>(
            group, row, QStringLiteral("Nb"),
            [d](const EditorModel& m) { return m.drivers[d].number; },
            [d](EditorModel& m, uint8_t s) { m.drivers[d].number = s; },
            model::driverNumberToDisplay, model::driverNumberToFile);
        b.text(
            group, row, QStringLiteral("Driver Names"), 24,
            [d](EditorModel& m) -> QByteArray& { return m.drivers[d].name; },
            model::textFromRecord);
        for (const auto& [column, field] : values)
            b.integer<uint16_t>(
                group, row, QLatin1String(column),
                [d, field = field](const EditorModel& m) { return m.drivers[d].*field; },
                [d, field = field](EditorModel& m, uint16_t s) { m.drivers[d].*field = s; },
                model::driverValueToDisplay, model::driverValueToFile);
    }
}

void addDetails(Builder& b) {
    const QString group = QStringLiteral("details");
    for (int record : kCameraRowOrder)
        for (int column = 6; column < model::kWindowColumnCount; ++column) {
            const model::CameraField field = model::cameraFieldOfColumn(column);
            b.integer<int16_t>(
                group, cameraRowName(record), QLatin1String(kDetailColumns[column - 6]),
                [record, field](const EditorModel& m) { return m.cameras[record].field[field]; },
                [record, field](EditorModel& m, int16_t s) { m.cameras[record].field[field] = s; },
                [field](int16_t s) { return model::cameraFieldToDisplay(field, s); },
                [field](int shown) { return model::cameraFieldToFile(field, shown); });
        }
}

void addSlots(Builder& b) {
    for (int t = 0; t < model::kTeamCount; ++t)
        b.text(
            QStringLiteral("slots"), teamRow(t), QStringLiteral("Current Names"), 32,
            [t](EditorModel& m) -> QByteArray& { return m.teams[t].carShapeName; },
            [](const QByteArray& name) { return model::Mister(QString::fromLatin1(name)); });
}

std::vector<NamedValue> buildValues() {
    Builder b;
    addCameras(b);
    addPositions(b);
    addTeams(b);
    addDrivers(b);
    addDetails(b);
    addSlots(b);
    return std::move(b.values);
}

}  // namespace

QString teamRow(int team) {
    return QStringLiteral("Team %1").arg(team + 1);
}
QString driverRow(int driver) {
    return QStringLiteral("Driver %1").arg(driver + 1);
}

const QStringList& groupNames() {
    static const QStringList groups{QStringLiteral("cameras"), QStringLiteral("positions"),
                                    QStringLiteral("teams"),   QStringLiteral("drivers"),
                                    QStringLiteral("details"), QStringLiteral("slots")};
    return groups;
}

const std::vector<NamedValue>& allValues() {
    static const std::vector<NamedValue> values = buildValues();
    return values;
}

const NamedValue* findValue(const QString& group, const QString& row, const QString& column) {
    for (const NamedValue& v : allValues())
        if (v.column == column && v.row == row && v.group == group) return &v;
    return nullptr;
}

bool NamedValue::shownIsExact(const model::EditorModel& m) const {
    try {
        return sameJson(storedFromShown(shown(m)), stored(m));
    } catch (const ValueError&) {
        return false;
    }
}

QJsonValue NamedValue::shownFromText(const QString& text) const {
    switch (kind) {
        case Kind::Integer:
            if (const std::optional<int> value = model::parseInteger(text))
                return QJsonValue(*value);
            throw ValueError(QStringLiteral("\"%1\" is not a whole number").arg(text));
        case Kind::Number:
            if (const std::optional<double> value = model::parseNumber(text))
                return QJsonValue(*value);
            throw ValueError(QStringLiteral("\"%1\" is not a number").arg(text));
        case Kind::Text:
            // The window's box holds at most this many characters.
            return QJsonValue(text.left(maxLength));
        default:
            return QJsonValue(text);
    }
}

bool applyShown(const NamedValue& value, model::EditorModel& m, const QJsonValue& shown,
                const QJsonValue* stored) {
    std::optional<QJsonValue> target;
    if (stored) {
        model::EditorModel probe = m;
        value.setStored(probe, *stored);
        if (sameJson(value.shown(probe), shown)) target = value.stored(probe);
    }
    if (!target) {
        // Checked even when unchanged: a value the window could not hold is refused.
        const QJsonValue fromShown = value.storedFromShown(shown);
        if (sameJson(value.shown(m), shown)) return false;
        target = fromShown;
    }
    if (sameJson(value.stored(m), *target)) return false;
    value.setStored(m, *target);
    return true;
}

bool sameJson(const QJsonValue& a, const QJsonValue& b) {
    if (a.isDouble() && b.isDouble()) return a.toDouble() == b.toDouble();
    return a == b;
}

QString jsonText(const QJsonValue& v) {
    switch (v.type()) {
        case QJsonValue::Double:
            return model::formatNumber(v.toDouble());
        case QJsonValue::String:
            return QStringLiteral("\"%1\"").arg(v.toString());
        case QJsonValue::Bool:
            return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        case QJsonValue::Null:
            return QStringLiteral("null");
        case QJsonValue::Array:
            return QStringLiteral("a list");
        case QJsonValue::Object:
            return QStringLiteral("an object");
        case QJsonValue::Undefined:
            break;
    }
    return QStringLiteral("nothing");
}

void followTeam0TCam(model::EditorModel& m, const model::EditorModel& before) {
    model::CarCamera& record = m.cameras[11];
    const model::TeamRecord& team0 = m.teams[0];
    if (team0.tcamY != before.teams[0].tcamY)
        record.field[model::CamY] = model::cameraPositionToFile(model::tcamYToDisplay(team0.tcamY));
    if (team0.tcamZ != before.teams[0].tcamZ)
        record.field[model::CamZ] = model::cameraPositionToFile(model::tcamZToDisplay(team0.tcamZ));
}

}  // namespace pw::values
