#pragma once
#include <QDir>

class frmMain;

// Saves each of the program's windows into `folder` as the screen shows it
// (main.png, main_list.png, options.png, feedback.png), starting from the
// shown main window once the event loop runs, and then quits.
void scheduleWindowShots(frmMain& window, const QDir& folder);
