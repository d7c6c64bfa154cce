#include "InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "ConvError.h"
#include "FdIo.h"

namespace {

void requireRegular(const std::string& path, const struct stat& info) {
  if (!S_ISREG(info.st_mode)) throw ConvError("'" + path + "' is not a regular file");
}

// Whether any reader of libavformat takes the file's first bytes for its own,
// going by the content alone: a name ending in .mp3 gets a text file as far as
// the MP3 reader, which then fails in its own terms.
bool holdsKnownContent(int fd) {
  constexpr int kProbeBytes = 4096;
  std::vector<unsigned char> start(kProbeBytes + AVPROBE_PADDING_SIZE, 0);
  const ssize_t got = ::pread(fd, start.data(), kProbeBytes, 0);
  if (got < 0) return true;  // unreadable is for the reader's own error to say
  AVProbeData probe{};
  probe.filename = "";
  probe.buf = start.data();
  probe.buf_size = int(got);
  int score = 0;
  return av_probe_input_format3(&probe, 1, &score) && score > AVPROBE_SCORE_RETRY;
}

}  // namespace

InputFile::InputFile(const std::string& path) : path_(path) {
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

void InputFile::checkOpened(int code) const {
  if (code < 0 && !holdsKnownContent(fd_.get()))
    throw ConvError("'" + path_ + "' is not an audio or video file that can be read");
  checkAv(code, "'" + path_ + "'");
}
