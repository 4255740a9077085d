#include "core/images/TeamImages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/images/TeamPictures.h"
#include "core/bytes/ByteIO.h"
#include "core/bytes/GamePaths.h"

namespace pw::images {

namespace {

QString initialDriverNumber(int team, int seat) {
    return QString::fromLatin1(kInitialPictureNumbers[size_t(team)].drivers[size_t(seat)]);
}
QString initialGridCarNumber(int team) {
    return QString::fromLatin1(kInitialPictureNumbers[size_t(team)].gridCar);
}

QString pictureIn(const QString& folder, const QString& number) {
    return model::resolvePath(model::joinPath(folder, pictureFileName(number)));
}

// The game's picture files may be read-only; the exchange needs to overwrite them.
void makeWritable(const QString& path) {
    QFile file(path);
    if (file.exists() && !(file.permissions() & QFileDevice::WriteOwner))
        file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
}

// Copies source over target. The source is read whole first and the target replaced in one step,
// so a failure leaves the target as it was.
bool copyOver(const QString& source, const QString& target) {
    QFile in(source);
    // Only a regular file: a named pipe would hold the open for ever.
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) return false;
    QSaveFile out(target);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

}  // namespace

void resetTeamImages(model::EditorModel& model) {
    for (int t = 0; t < model::kTeamCount; ++t) {
        auto& team = model.teams[size_t(t)];
        team.driverImageNames = {initialDriverNumber(t, 0), initialDriverNumber(t, 1)};
        team.gridCarImageName = initialGridCarNumber(t);
    }
    model.PendingImageSwaps.clear();
}

void exchangeTeamImages(model::EditorModel& model, int a, int b) {
    model.PendingImageSwaps.emplace_back(a, b);
    auto& ta = model.teams[size_t(a)];
    auto& tb = model.teams[size_t(b)];
    std::swap(ta.driverImageNames, tb.driverImageNames);
    std::swap(ta.gridCarImageName, tb.gridCarImageName);
}

QImage readTeamPicture(const QString& path, int width, int height) {
    model::GameFile file(model::resolvePath(path), model::GameFile::Access::ReadOnly);
    return readTeamPicture(file, width, height);
}

QImage readTeamPicture(model::GameFile& file, int width, int height) {
    const QByteArray bytes = file.read(0, qint64(width) * height * 4, "the picture's pixels");
    return pictureFromBytes(bytes, width, height);
}

QString driverPicturePath(const QString& folder, const model::EditorModel& model, int team, int seat) {
    return pictureIn(folder, model.teams[size_t(team)].driverImageNames[size_t(seat)]);
}

QString gridCarPicturePath(const QString& folder, const model::EditorModel& model, int team) {
    return pictureIn(folder, model.teams[size_t(team)].gridCarImageName);
}

SwapReport SwapGPIs(const QString& gameImagesFolder, const std::vector<std::pair<int, int>>& pending) {
    SwapReport report;
    const QString folder = model::resolvePath(gameImagesFolder);
    if (gameImagesFolder.isEmpty() || !QFileInfo(folder).isDir()) {
        report.folderFound = false;
        return report;
    }
    const QString spare = pictureIn(folder, QStringLiteral("0"));
    makeWritable(spare);
    auto exchange = [&](const QString& numberA, const QString& numberB) {
        const QString a = pictureIn(folder, numberA);
        const QString b = pictureIn(folder, numberB);
        makeWritable(a);
        makeWritable(b);
        makeWritable(spare);
        // Each copy relies on the one before it: after a failed copy of B to the spare, copying A
        // over B would lose B's picture, and after a failed copy of A over B, copying the spare
        // over A would lose A's. The exchange stops at the first failure.
        for (const auto& [from, to] : {std::pair{b, spare}, std::pair{a, b}, std::pair{spare, a}})
            if (!copyOver(from, to)) {
                ++report.failedCopies;
                return;
            }
    };
    for (const auto& [a, b] : pending) {
        if (a < 0 || b < 0 || a >= model::kTeamCount || b >= model::kTeamCount) continue;
        for (int seat = 0; seat < 2; ++seat) exchange(initialDriverNumber(a, seat), initialDriverNumber(b, seat));
        exchange(initialGridCarNumber(a), initialGridCarNumber(b));
    }
    return report;
}

QStringList PicturesTouchedBy(const QString& gameImagesFolder,
                              const std::vector<std::pair<int, int>>& pending) {
    QStringList touched;
    const QString folder = model::resolvePath(gameImagesFolder);
    if (pending.empty() || gameImagesFolder.isEmpty() || !QFileInfo(folder).isDir()) return touched;
    auto add = [&](const QString& number) {
        const QString path = pictureIn(folder, number);
        if (!touched.contains(path)) touched << path;
    };
    add(QStringLiteral("0"));
    for (const auto& [a, b] : pending) {
        if (a < 0 || b < 0 || a >= model::kTeamCount || b >= model::kTeamCount) continue;
        for (int team : {a, b}) {
            for (int seat = 0; seat < 2; ++seat) add(initialDriverNumber(team, seat));
            add(initialGridCarNumber(team));
        }
    }
    return touched;
}

}  // namespace pw::images
