#pragma once
#include "skin/Twips.h"

// Fixes the screen's twips per pixel while it lives; by default the density
// the layout is drawn for.
class Density {
 public:
  Density(double x = 15, double y = 15) { twips::setPerPixel(x, y); }
  ~Density() { twips::setPerPixel(0, 0); }
  Density(const Density&) = delete;
  Density& operator=(const Density&) = delete;
};
