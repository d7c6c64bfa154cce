#pragma once
#include <QString>

namespace platform {

// Whether this process is the only running copy of the program that keeps
// its settings in `settingsFolder`. The first caller for a folder takes an
// exclusive lock on the folder itself and keeps it for the rest of its life; the kernel drops
// it when the process ends in any way, so a copy that was killed never blocks
// the next start. A folder that cannot be locked at all counts as free.
bool isOnlyRunningCopy(const QString& settingsFolder);

}  // namespace platform
