#pragma once
#include "LibavPtr.h"

// libav reading or writing a file through a descriptor the run already holds,
// with seeking; the descriptor stays the caller's to close.
libav::IoPtr readerOver(int fd);
libav::IoPtr writerOver(int fd);
