#pragma once
// Each function draws one group of pictures into the output.
#include "output.h"

void drawMainWindow(Output &out);
void drawDoorPanel(Output &out);
void drawOptionsWindow(Output &out);
void drawFeedbackWindow(Output &out);
void drawSmallPictures(Output &out);

// The hand cursor's hotspot, the tip of the pointing finger.
inline constexpr int kHandHotspotX = 11;
inline constexpr int kHandHotspotY = 1;

void writeChime(const QString &path);
void writeResourceFile(const Output &out);
