#pragma once
#include <string>

#include "Descriptor.h"
#include "LibavPtr.h"

// The input, opened once for the whole run. Only a regular file is taken: a
// pipe, socket, device or folder is refused at once, before anything could
// wait on it or take bytes from it.
class InputFile {
 public:
  explicit InputFile(const std::string& path);

  // For libavformat to read the file through (it stays this object's).
  AVIOContext* reader() const { return reader_.get(); }

  // Throws the reason when libavformat's open gave the error code: that no
  // reader knows what the file holds, or else libav's own account.
  void checkOpened(int code) const;

 private:
  std::string path_;
  Descriptor fd_;
  libav::IoPtr reader_;
};
