#include "cli/OwnFiles.h"

#include "cli/CliError.h"
#include "cli/ValueJson.h"
#include "core/bytes/GameFileError.h"
#include "core/bytes/SaveFile.h"
#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/KeyedPerformanceFile.h"
#include "core/ownfiles/OwnFileKind.h"
#include "core/ownfiles/PerformanceFileContent.h"
#include "core/ownfiles/SectionedPerformanceFile.h"
#include "core/ownfiles/TeamFile.h"
#include "core/ownfiles/TyreSet.h"
#include "core/values/NamedValues.h"
#include "core/values/OwnFileValues.h"

namespace pw::cli {

namespace {
constexpr qint64 kMaxDumpSize = 16 * 1024 * 1024;
constexpr char kVersionWarning[] =
    "File version is not 213. Some troubles can happen with this file.";
constexpr char kNotAPerformanceFile[] = "This file is not a performance file (or an unknown one :)";

QStringList applyPerformanceFile(const QString& path, const files::PerformanceFileContent& content,
                                 model::EditorModel& m) {
    QStringList warnings;
    // The window keeps the values of a file without its "[File" section and says so; a script
    // is better stopped.
    if (!content.recognised)
        throw CliError(QStringLiteral("%1: %2").arg(path, QLatin1String(kNotAPerformanceFile)));
    if (content.versionMismatch) warnings << QLatin1String(kVersionWarning);
    try {
        values::applyPerformanceFile(content, m);
    } catch (const values::ValueError& e) {
        throw CliError(QStringLiteral("%1: %2").arg(path, e.message()));
    }
    return warnings;
}
}  // namespace

QStringList applyFile(const QString& path, model::EditorModel& m) {
    try {
        if (path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)) {
            applyJson(model::readWholeFile(path, kMaxDumpSize), path, m);
            return {};
        }
        switch (files::teamFileKindOf(path)) {
            case files::TeamFileKind::TeamFile:
                values::applyTeamFile(
                    files::readTeamFile(model::readWholeFile(path, files::kMaxTeamFileKindSize),
                                        path),
                    m);
                return {};
            case files::TeamFileKind::CameraSet:
                values::applyCameraSet(
                    files::readCameraSet(model::readWholeFile(path, files::kMaxTeamFileKindSize),
                                         path),
                    m);
                return {};
            case files::TeamFileKind::TyreSet:
                values::applyTyreSet(
                    files::readTyreSet(model::readWholeFile(path, files::kMaxTeamFileKindSize),
                                       path),
                    m);
                return {};
            case files::TeamFileKind::None:
                break;
        }
        switch (files::performanceFileKindOf(path)) {
            case files::PerformanceFileKind::Sectioned:
                return applyPerformanceFile(
                    path,
                    files::readSectionedPerformanceFile(
                        model::readWholeFile(path, files::kMaxPerformanceFileSize), path),
                    m);
            case files::PerformanceFileKind::KeyedList:
                return applyPerformanceFile(
                    path,
                    files::readKeyedPerformanceFile(
                        model::readWholeFile(path, files::kMaxPerformanceFileSize), path),
                    m);
            case files::PerformanceFileKind::None:
                break;
        }
    } catch (const model::GameFileError& e) {
        throw CliError(e.message());
    }
    throw CliError(
        QStringLiteral("%1: not a file apply knows (.car, .cam, .tyr, .txt, .g4p or .json)")
            .arg(path));
}

}  // namespace pw::cli
