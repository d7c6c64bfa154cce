#pragma once
#include <QString>

namespace platform {

// Whether this process may make files in the program folder; a system-wide
// install run by an ordinary user may not.
bool canWriteProgramFolder();

// Where the settings files and the lock that keeps to one running copy lie:
// the program folder where it can be written, else the user's own
// configuration folder (made when missing), so each user of a system-wide
// install keeps settings of their own and runs a copy of their own.
QString settingsFolder();

// The settings folder joined with a name by "/" ("setup.ini").
QString settingsPath(const QString& name);

}  // namespace platform
