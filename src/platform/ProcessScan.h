#pragma once
#include <QString>

namespace platform {

// True when a live process (zombies do not count) has the command name
// `name`, compared without regard to case.
bool isProcessRunning(const QString& name);

}  // namespace platform
