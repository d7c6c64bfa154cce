#include "FdIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <new>

namespace {

// As libav's own file access: writes go out in large pieces, which also
// spares network file systems.
constexpr int kReadBufferSize = 32 * 1024;
constexpr int kWriteBufferSize = 256 * 1024;

int fdOf(void* opaque) { return int(reinterpret_cast<intptr_t>(opaque)); }

int readSome(void* opaque, uint8_t* buffer, int size) {
  for (;;) {
    const ssize_t got = ::read(fdOf(opaque), buffer, size_t(size));
    if (got > 0) return int(got);
    if (got == 0) return AVERROR_EOF;
    if (errno != EINTR) return AVERROR(errno);
  }
}

// Every 8 MB or so written, the data so far start for the disk: the sync
// before the output takes its name then waits for little more than the last
// of them, and the disk works while the encoder does.
void startWriteback(int fd) {
  constexpr off_t kWritebackStep = 8 << 20;
  const off_t end = ::lseek(fd, 0, SEEK_CUR);
  if (end > 0 && end % kWritebackStep < kWriteBufferSize)
    ::sync_file_range(fd, 0, end, SYNC_FILE_RANGE_WRITE);
}

int writeAll(void* opaque, uint8_t* buffer, int size) {
  for (int done = 0; done < size;) {
    const ssize_t put = ::write(fdOf(opaque), buffer + done, size_t(size - done));
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return AVERROR(errno);
    done += int(put);
  }
  startWriteback(fdOf(opaque));
  return size;
}

int64_t seekTo(void* opaque, int64_t offset, int whence) {
  const int fd = fdOf(opaque);
  if (whence == AVSEEK_SIZE) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? int64_t(info.st_size) : AVERROR(errno);
  }
  const off_t at = ::lseek(fd, off_t(offset), whence & ~AVSEEK_FORCE);
  return at < 0 ? AVERROR(errno) : int64_t(at);
}

libav::IoPtr contextOver(int fd, bool writing) {
  const int size = writing ? kWriteBufferSize : kReadBufferSize;
  auto* buffer = static_cast<unsigned char*>(av_malloc(size));
  if (!buffer) throw std::bad_alloc();
  void* opaque = reinterpret_cast<void*>(intptr_t(fd));
  libav::IoPtr io(avio_alloc_context(buffer, size, writing, opaque, writing ? nullptr : readSome,
                                     writing ? writeAll : nullptr, seekTo));
  if (!io) {
    av_free(buffer);
    throw std::bad_alloc();
  }
  return io;
}

}  // namespace

libav::IoPtr readerOver(int fd) { return contextOver(fd, false); }

libav::IoPtr writerOver(int fd) { return contextOver(fd, true); }
