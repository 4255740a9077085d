#include "app/commands/StepNames.h"

#include <QRegularExpression>

#include "app/window/CameraRows.h"

namespace pw::app {

namespace {

const char* const kCameraColumns[] = {"X",
                                      "Y",
                                      "Z",
                                      "Dir.",
                                      "Pitch",
                                      "Roll",
                                      "Car Detail Rear",
                                      "Car Detail Front",
                                      "Wheel Detail Rear",
                                      "Wheel Detail Front"};
const char* const kAxes[] = {"X", "Y", "Z"};

QString cameraFieldLabel(int id) {
    if (id == 101 || id == 102)
        return cameraRowLabel(camrows::kChase) +
               (id == 101 ? QStringLiteral(" Y") : QStringLiteral(" Z"));
    const int column = id > 100 ? (id - 104) / 10 : (id - 1) / 10;
    if (column < 0 || column > 9) return QStringLiteral("Camera Field %1").arg(id);
    return cameraRowLabel(camrows::CameraRow(id)) + QLatin1Char(' ') +
           QLatin1String(kCameraColumns[column]);
}

}  // namespace

QString cameraRowLabel(int row) {
    for (const camrows::Row& r : camrows::kPageRows)
        if (r.base == row) return QLatin1String(r.label);
    return QStringLiteral("Camera");
}

QString fieldLabel(const QString& componentName, const std::function<QString(int)>& teamLabel) {
    static const QRegularExpression pattern(QStringLiteral("^(\\D+)(\\d+)$"));
    const QRegularExpressionMatch match = pattern.match(componentName);
    if (!match.hasMatch()) return componentName;
    const QString prefix = match.captured(1);
    const int n = match.captured(2).toInt();
    if (prefix == QLatin1String("LMDEdit")) return cameraFieldLabel(n);
    if ((prefix == QLatin1String("LMDSW") || prefix == QLatin1String("LMDDB")) && n < 3)
        return (prefix == QLatin1String("LMDSW") ? QStringLiteral("Steering Wheel ")
                                                 : QStringLiteral("Dash Board ")) +
               QLatin1String(kAxes[n]);
    if (prefix == QLatin1String("LMDTP") && n >= 1 && n <= 12)
        return QStringLiteral("Wheel %1 %2")
            .arg((n - 1) / 3 + 1)
            .arg(QLatin1String(kAxes[(n - 1) % 3]));

    struct Named {
        const char* prefix;
        const char* words;
        bool perDriver;
        bool yz;  // i is Y, i + 20 is Z
    };
    static const Named kNamed[] = {
        {"LMDTC", "T-Cam", false, true},
        {"LMDHP", "Helmet", false, true},
        {"LMDEW", "Steering Wheel", false, true},
        {"LMDTN", "Team Name", false, false},
        {"LMDEN", "Engine Name", false, false},
        {"LMDPQ", "Qualifying Power", false, false},
        {"LMDPR", "Race Power", false, false},
        {"LMDFA", "Failure", false, false},
        {"LMDSlot", "Car Shape Name", false, false},
        {"LMDNB", "Number", true, false},
        {"LMDDN", "Name", true, false},
        {"LMDQA", "Qualify Ability", true, false},
        {"LMDQV", "Qualify Var.", true, false},
        {"LMDRA", "Race Ability", true, false},
        {"LMDRV", "Race Var.", true, false},
    };
    for (const Named& named : kNamed) {
        if (prefix != QLatin1String(named.prefix)) continue;
        if (named.perDriver)
            return QStringLiteral("Driver %1 %2").arg(n + 1).arg(QLatin1String(named.words));
        const int team = named.yz ? n % 20 : n;
        QString words = QLatin1String(named.words);
        if (named.yz) words += n >= 20 ? QStringLiteral(" Z") : QStringLiteral(" Y");
        return teamLabel(team) + QLatin1Char(' ') + words;
    }
    return componentName;
}

}  // namespace pw::app
