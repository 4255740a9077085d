// A Wine prefix's text registry file, read as the game locator reads it: limited to the game's
// installation key, then its directory looked up; and read whole. Input: the file.

#include "Harness.h"
#include "core/location/GameInstall.h"
#include "core/location/WineGameLocation.h"
#include "core/location/WineRegistry.h"

namespace pw::fuzz {

void fuzzWineRegistry(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    const QString key = QString::fromLatin1(model::install::kKeyPath).mid(1);
    const QString value = QString::fromLatin1(model::install::kValueName);
    const std::optional<model::WineRegistry> game = model::parseWineRegistry(bytes, {key});
    const std::optional<model::WineRegistry> all = model::parseWineRegistry(bytes);
    promise(game.has_value() == all.has_value(),
            "the key filter does not decide whether a file is read");
    if (!game) return;
    promise(game->keyCount() <= all->keyCount(), "the key filter only drops keys");
    promise(game->text(key, value) == all->text(key, value),
            "the key filter keeps the game's value");
    model::installDirectoriesInRegistry(*game);
}

}  // namespace pw::fuzz
