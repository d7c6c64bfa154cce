#pragma once
#include <string>

// Bounds the run's memory: headers that claim absurd sizes make libav ask for
// gigabytes, which no audio file needs. A single allocation is held to what
// the largest legitimate table or frame takes, and the data segment as a
// whole to what a video file's audio needs with its pictures probed; past
// either, the allocation fails and the run ends with memoryRefusal.
void limitMemory();

// "'<path>' needs more memory than an audio file of this kind can justify"
std::string memoryRefusal(const std::string& inputPath);
