#include "core/ownfiles/TyreSet.h"

#include "core/bytes/ByteIO.h"
#include "core/tables/TyreBrands.h"

namespace pw::files {

TyreSetContent readTyreSet(const QByteArray& bytes, const QString& fileName) {
    model::ByteReader r(bytes, fileName);
    r.require(0, kTyreSetSize, "the eleven tyre brands of a tyre set");
    TyreSetContent c;
    for (int i = 0; i < model::kTeamCount; ++i) {
        const qint64 at = r.pos();
        const int v = r.i16("a tyre brand");
        if (v < 0 || v >= model::kTyreBrandCount)
            throw model::GameFileError(
                fileName, at,
                QStringLiteral("a tyre brand index 0 to 2 for team %1, found %2").arg(i + 1).arg(v));
        c.brands[i] = v;
    }
    return c;
}

void applyTyreSet(const TyreSetContent& c, model::EditorModel& m) {
    for (int i = 0; i < model::kTeamCount; ++i) m.teams[i].tyreBrand = c.brands[i];
}

}  // namespace pw::files
