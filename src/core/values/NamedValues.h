#pragma once

#include <QJsonValue>
#include <QString>
#include <functional>
#include <stdexcept>
#include <vector>

#include "core/tables/EditorModel.h"

namespace pw::values {

// Every value of the game that the window shows, under the window's own names: its page (the
// group: "cameras", "positions", "teams", "drivers", "details", "slots"), its row ("Cockpit",
// "Team 3", "Driver 12", "Wheel 2") and its column ("Dir.", "Helmets Y", "Power(BHP) Qual.").
// Values read and write an EditorModel in file form (camera records included, unlike the window
// between Import All and Export All, which keeps them in display units).
//
// Each value has two faces: what the window shows (whole numbers, decimals, texts, "#RRGGBB"
// colours, tyre brand captions) and what the game stores. A shown value reaches the model with
// the window's conversions; where those cannot give the stored value back (an odd camera
// position, a helmet between two hundredths), the stored value is carried beside it.

enum class Kind {
    Integer,  // a whole number within [minimum, maximum]
    Number,   // a decimal number
    Text,     // Latin-1 text of at most maxLength characters
    Colour,   // "#RRGGBB"
    Brand,    // one of the tyre brand captions the team's selector offers
};

// A value that the model cannot take: the wrong type, out of its field's range.
class ValueError : public std::runtime_error {
public:
    explicit ValueError(const QString& message);
    QString message() const { return QString::fromUtf8(what()); }
};

struct NamedValue {
    QString group, row, column;
    Kind kind = Kind::Integer;
    double minimum = 0, maximum = 0;  // Integer only
    int maxLength = 0;                // Text only

    // The value as the window shows it, and as the game stores it (numbers, or for texts the
    // record without its padding, for colours "0xAARRGGBB").
    std::function<QJsonValue(const model::EditorModel&)> shown;
    std::function<QJsonValue(const model::EditorModel&)> stored;
    // The stored form of a shown value; throws ValueError when the model cannot take it.
    std::function<QJsonValue(const QJsonValue& shown)> storedFromShown;
    // Writes a stored form (as stored() gives it); throws ValueError when it is not one.
    std::function<void(model::EditorModel&, const QJsonValue& stored)> setStored;

    // "teams/Team 3/Power(BHP) Qual."
    QString path() const { return group + QLatin1Char('/') + row + QLatin1Char('/') + column; }
    // Whether the shown value gives the stored one back.
    bool shownIsExact(const model::EditorModel& m) const;
    // A text typed into the window's box (a performance file's values), as a shown value.
    QJsonValue shownFromText(const QString& text) const;
};

// The groups in the window's page order.
const QStringList& groupNames();
// Every value, in the window's order: page by page, row by row, column by column.
const std::vector<NamedValue>& allValues();
// The value at that path, or nullptr.
const NamedValue* findValue(const QString& group, const QString& row, const QString& column);

// Puts a shown value (and, when given, the stored value carried beside it) into the model:
// the stored value when it shows as `shown`, else nothing when the model already shows `shown`,
// else the window's conversion of `shown`. Returns whether the model changed. Throws ValueError.
bool applyShown(const NamedValue& value, model::EditorModel& m, const QJsonValue& shown,
                const QJsonValue* stored = nullptr);

// Two JSON values alike (numbers by value, whatever their type).
bool sameJson(const QJsonValue& a, const QJsonValue& b);
// A shown or stored value as one line of text ("12", "-4.4", "ferrari", "#FF0000").
QString jsonText(const QJsonValue& v);

// Export All takes the T-Cam record's Y and Z from team 0's T-Cam Y and Z as shown: when those
// changed since `before`, the record follows them. (A game whose record and team 0 disagree is
// left as it is until then: applying its own values changes no byte.)
void followTeam0TCam(model::EditorModel& m, const model::EditorModel& before);

// Names of rows.
QString teamRow(int team);      // "Team 1" .. "Team 11"
QString driverRow(int driver);  // "Driver 1" .. "Driver 22"

}  // namespace pw::values
