#include "InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "ConvError.h"
#include "FdIo.h"

namespace {

void requireRegular(const std::string& path, const struct stat& info) {
  if (!S_ISREG(info.st_mode)) throw ConvError("'" + path + "' is not a regular file");
}

}  // namespace

InputFile::InputFile(const std::string& path) {
  // Looked at before opening, as opening some devices already acts on them;
  // opened without waiting, in case the name was given to a pipe meanwhile.
  struct stat named {}, opened {};
  if (::stat(path.c_str(), &named) != 0) throw systemError("'" + path + "'", errno);
  requireRegular(path, named);
  fd_ = Descriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd_.get() < 0 || ::fstat(fd_.get(), &opened) != 0) throw systemError("'" + path + "'", errno);
  requireRegular(path, opened);
  reader_ = readerOver(fd_.get());
}
