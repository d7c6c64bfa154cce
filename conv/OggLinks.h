#pragma once
#include <string>

// Whether an Ogg file ends in a link of its chain other than the first (one
// recording after another, each with streams of its own). libavformat takes
// the last page's position in the first link's terms for the length of the
// whole, which is then a guess.
bool oggEndsInAnotherLink(const std::string& path);
