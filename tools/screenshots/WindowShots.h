#pragma once
#include <QDir>
#include <QStringList>

class frmMain;

// Saves each of the program's windows into `folder` as the screen shows it
// (main.png, main_list.png, options.png, feedback.png), starting from the
// shown main window once the event loop runs, and then quits. The list
// shows `queued`, dropped on it as the user would.
void scheduleWindowShots(frmMain& window, const QDir& folder, const QStringList& queued);
