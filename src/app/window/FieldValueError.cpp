#include "app/window/FieldValueError.h"

#include <QRegularExpression>

namespace pw::app {

FieldValueError::FieldValueError(QString componentName, QString text, Kind kind)
    : std::runtime_error("field " + componentName.toStdString() + " is not a number"),
      name_(std::move(componentName)),
      text_(std::move(text)),
      kind_(kind) {}

QString FieldValueError::message() const {
    const QString what =
        kind_ == Kind::Integer ? QStringLiteral("a whole number") : QStringLiteral("a number");
    if (text_.trimmed().isEmpty())
        return QStringLiteral("%1 is empty; it must hold %2.").arg(describeField(name_), what);
    return QStringLiteral("%1 holds \"%2\", which is not %3.")
        .arg(describeField(name_), text_, what);
}

QString describeField(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^([A-Za-z]+?)(\\d+)$"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch()) return QStringLiteral("The field %1").arg(name);
    const QString prefix = m.captured(1);
    const int n = m.captured(2).toInt();
    const char* axes[] = {"X", "Y", "Z"};
    auto team = [](int i) { return QStringLiteral("team %1").arg(i % 20 + 1); };
    auto yz = [](int i) { return i >= 20 ? QStringLiteral("Z") : QStringLiteral("Y"); };
    auto driver = [](int d) { return QStringLiteral("driver %1").arg(d + 1); };
    if (prefix == QLatin1String("LMDEdit")) return QStringLiteral("Camera field %1").arg(n);
    if (prefix == QLatin1String("LMDSW") && n < 3)
        return QStringLiteral("Steering Wheel %1").arg(axes[n]);
    if (prefix == QLatin1String("LMDDB") && n < 3)
        return QStringLiteral("Dash Boards %1").arg(axes[n]);
    if (prefix == QLatin1String("LMDTC"))
        return QStringLiteral("T-Cam %1 of %2").arg(yz(n), team(n));
    if (prefix == QLatin1String("LMDHP"))
        return QStringLiteral("Helmets %1 of %2").arg(yz(n), team(n));
    if (prefix == QLatin1String("LMDEW"))
        return QStringLiteral("St. Wheel %1 of %2").arg(yz(n), team(n));
    if (prefix == QLatin1String("LMDTP"))
        return QStringLiteral("Wheel Positions %1 of wheel %2")
            .arg(axes[(n - 1) % 3])
            .arg((n - 1) / 3 + 1);
    if (prefix == QLatin1String("LMDPQ")) return QStringLiteral("Qual. power of %1").arg(team(n));
    if (prefix == QLatin1String("LMDPR")) return QStringLiteral("Race power of %1").arg(team(n));
    if (prefix == QLatin1String("LMDFA")) return QStringLiteral("Failure % of %1").arg(team(n));
    if (prefix == QLatin1String("PanelCG")) return QStringLiteral("Gear of %1").arg(team(n));
    if (prefix == QLatin1String("LMDNB")) return QStringLiteral("Nb of %1").arg(driver(n));
    if (prefix == QLatin1String("LMDQA"))
        return QStringLiteral("Qualify Ability of %1").arg(driver(n));
    if (prefix == QLatin1String("LMDQV"))
        return QStringLiteral("Qualify Var. of %1").arg(driver(n));
    if (prefix == QLatin1String("LMDRA"))
        return QStringLiteral("Race Ability of %1").arg(driver(n));
    if (prefix == QLatin1String("LMDRV")) return QStringLiteral("Race Var. of %1").arg(driver(n));
    return QStringLiteral("The field %1").arg(name);
}

}  // namespace pw::app
