#pragma once
#include <string>

#include "Descriptor.h"
#include "LibavPtr.h"

// The input, opened once for the whole run. Only a regular file is taken: a
// pipe, socket, device or folder is refused at once, before anything could
// wait on it or take bytes from it. Nothing else is ever opened for it: not
// the files, addresses or streams its content may name.
class InputFile {
 public:
  explicit InputFile(const std::string& path);

  // The container read from the file by the given reader (with its options),
  // or else by the one the file's content calls for. Throws the reason when
  // no reader takes the file, or when the one that would goes on to open what
  // the content names.
  libav::InputPtr openContainer(const AVInputFormat* reader, libav::DictPtr options) const;

 private:
  // Throws the reason when libavformat's open gave the error code: that no
  // reader knows what the file holds, or else libav's own account.
  void checkOpened(int code) const;

  std::string path_;
  Descriptor fd_;
  libav::IoPtr reader_;
};
