#include "core/location/LutrisGameFile.h"

#include <yaml-cpp/yaml.h>

#include <exception>
#include <string>

namespace pw::model {

QString lutrisGamePrefix(const QByteArray& yaml) {
    // A file that is not YAML, or holds a prefix of another kind, names no prefix; nothing the
    // parser throws leaves this function.
    try {
        const YAML::Node root = YAML::Load(std::string(yaml.constData(), size_t(yaml.size())));
        if (!root.IsMap()) return QString();
        const YAML::Node game = root["game"];
        if (!game.IsMap()) return QString();
        const YAML::Node prefix = game["prefix"];
        // "prefix: ~" or "prefix:" is YAML's null, not a text.
        if (!prefix.IsScalar()) return QString();
        const std::string& text = prefix.Scalar();
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    } catch (const std::exception&) {  // YAML::Exception, and running out of memory
        return QString();
    }
}

}  // namespace pw::model
