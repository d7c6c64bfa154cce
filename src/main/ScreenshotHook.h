#pragma once

class frmMain;

// For scripts/screenshots only: when DABRELIN_SCREENSHOT_DIR names a folder,
// the program saves each of its windows there as the screen shows it
// (main.png, main_list.png, options.png, feedback.png) and then quits.
// Without the variable it does nothing.
void scheduleScreenshots(frmMain& window);
