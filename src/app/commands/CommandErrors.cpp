#include "app/commands/CommandErrors.h"

#include "app/dialogs/UserPrompts.h"
#include "core/bytes/GameFileError.h"

namespace pw::app {

bool runGuarded(MessageSink& messages, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const FieldValueError& e) {
        messages.showError(e.message());
    } catch (const model::GameFileError& e) {
        messages.showError(e.message());
    } catch (const std::exception& e) {
        messages.showError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        messages.showError(QStringLiteral("The command stopped on an unknown error."));
    }
    return false;
}

}  // namespace pw::app
