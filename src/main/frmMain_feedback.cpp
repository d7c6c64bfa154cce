// The main window's way to the feedback window.
#include "feedback/frmSuggest.h"
#include "main/frmMain.h"

void frmMain::lblFeed_Click() { showFeedbackWindow(); }
