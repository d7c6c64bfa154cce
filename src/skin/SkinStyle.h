#pragma once
#include <QString>

// The look of the standard controls (text boxes, drop-down lists, the file
// list) on the skins: flat white fields inside the frames the skins paint
// around them, in the skins' colours.
QString skinnedControlsStyleSheet();
