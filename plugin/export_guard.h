#pragma once

#include <exception>

#include "log/messages.h"
#include "log/plugin_log.h"

namespace lumeva {

// Runs an export's body so that no exception reaches the host's process: the game must
// start whatever happens in the plugin. An escaping exception is logged and the export
// answers `safeResult`.
template <typename Body>
bool runGuarded(const char* exportName, bool safeResult, Body body) noexcept {
    try {
        return body();
    } catch (const std::exception& error) {
        logMessage(UnexpectedErrorMessage, exportName, error.what());
    } catch (...) {
        logMessage(UnexpectedThrowMessage, exportName);
    }
    return safeResult;
}

}  // namespace lumeva
