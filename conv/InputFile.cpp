#include "InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <unistd.h>

#include <cerrno>
#include <new>
#include <optional>
#include <vector>

extern "C" {
#include <libavutil/opt.h>
}

#include "ConvError.h"
#include "FdIo.h"
#include "ReferencingReaders.h"

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

// What a reader would open beside the input (a playlist's entries, the
// references a QuickTime file may make to other files) goes by names the
// input's content chose: none is opened.
int refuseNestedOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
  return AVERROR(EPERM);
}

// A container that reads through the file's own descriptor and nothing else.
libav::InputPtr containerOver(AVIOContext* reader) {
  libav::InputPtr container(avformat_alloc_context());
  if (!container) throw std::bad_alloc();
  container->pb = reader;
  // Marked ours at once, so that closing the container early leaves it alone.
  container->flags |= AVFMT_FLAG_CUSTOM_IO;
  container->io_open = refuseNestedOpen;
  // A reader that opens a container of its own inside passes on this list, not
  // the io_open above: empty, it lets that container reach no protocol.
  checkAv(av_opt_set(container.get(), "protocol_whitelist", "", 0), "input");
  return container;
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

libav::InputPtr InputFile::openContainer(const AVInputFormat* reader, libav::DictPtr options) const {
  libav::InputPtr container = containerOver(reader_.get());
  // Probing reads the file alone; the reader it picks is judged before it
  // reads anything more.
  if (!reader)
    checkOpened(av_probe_input_buffer2(reader_.get(), &reader, path_.c_str(), container.get(), 0, 0));
  if (std::optional<std::string_view> kind = referencingKind(*reader))
    throw ConvError("'" + path_ + "' is " + std::string(*kind) + ", not a media file");
  AVFormatContext* opening = container.release();  // a failed open frees it
  AVDictionary* settings = options.release();
  const int code = avformat_open_input(&opening, path_.c_str(), reader, &settings);
  container.reset(opening);
  options.reset(settings);  // those no reader took
  checkOpened(code);
  return container;
}

void InputFile::checkOpened(int code) const {
  if (code < 0 && !isOutOfMemory(code) && !holdsKnownContent(fd_.get()))
    throw ConvError("'" + path_ + "' is not an audio or video file that can be read");
  checkAv(code, "'" + path_ + "'");
}
