// Inputs whose content names other files, addresses or streams: conv opens
// none of them, refuses the input at once and writes nothing.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "ConvRun.h"
#include "ScratchFolder.h"
#include "TestMedia.h"

namespace {

bool udpPortBound(int port) {
  char hexPort[8];
  snprintf(hexPort, sizeof hexPort, ":%04X", port);
  for (const char* table : {"/proc/net/udp", "/proc/net/udp6"}) {
    std::ifstream lines(table);
    std::string line, slot, local;
    while (std::getline(lines, line))
      if (std::istringstream(line) >> slot >> local && local.ends_with(hexPort)) return true;
  }
  return false;
}

// A local TCP port counting the connections it gets, watching meanwhile
// whether anything binds a UDP socket to the same number.
class PortWatch {
 public:
  PortWatch() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
    listen(listener_, 8);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    watcher_ = std::thread([this] {
      for (pollfd waiting{listener_, POLLIN, 0}; !stop_;) {
        if (poll(&waiting, 1, 10) > 0) ++connections, close(accept(listener_, nullptr, nullptr));
        if (udpPortBound(port)) udpBound = true;
      }
    });
  }
  ~PortWatch() {
    stop_ = true;
    watcher_.join();
    close(listener_);
  }
  int port = 0;
  std::atomic<int> connections{0};
  std::atomic<bool> udpBound{false};

 private:
  int listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  std::atomic<bool> stop_{false};
  std::thread watcher_;
};

struct ForeignInput {
  std::string label;
  std::string name;
  std::string text;  // $FILE, $PORT: the private file's path, the watched port
  std::string kind;
};
void PrintTo(const ForeignInput& input, std::ostream* out) { *out << input.label; }

class ConvForeignResources : public testing::TestWithParam<ForeignInput> {};

TEST_P(ConvForeignResources, RefusedAtOnceWithoutOpeningWhatTheyName) {
  ScratchFolder secrets, folder;
  const std::string privateFile = secrets.path("private.ts"), input = folder.path(GetParam().name);
  writeMedia(privateFile, {.muxer = "mpegts", .audioCodec = "mp2", .seconds = 2});
  writeMedia(folder.path("neighbour.wav"), {.seconds = 2});
  PortWatch port;
  std::string text = GetParam().text;
  for (auto [key, value] : {std::pair{"$FILE", privateFile}, {"$PORT", std::to_string(port.port)}})
    if (size_t at = text.find(key); at != std::string::npos) text.replace(at, strlen(key), value);
  writeFile(input, text);
  const size_t filesBefore = folder.fileCount();
  const int opens = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  for (const std::string& named : {privateFile, folder.path("neighbour.wav")})
    inotify_add_watch(opens, named.c_str(), IN_OPEN);

  const ConvResult run = runConv({"-i", input, "-y", folder.path("out.mp3")}, 5);
  EXPECT_EQ(run.exitCode, 1) << run.log;
  EXPECT_EQ(run.lastLine(), "conv: '" + input + "' is " + GetParam().kind + ", not a media file");
  EXPECT_EQ(folder.fileCount(), filesBefore) << "nothing written";
  inotify_event event;
  EXPECT_LT(read(opens, &event, sizeof event), 0) << "a file it names was opened";
  close(opens);
  EXPECT_EQ(port.connections, 0);
  EXPECT_FALSE(port.udpBound);
}

const std::string kPlaylist = "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\n";

INSTANTIATE_TEST_SUITE_P(
    Inputs, ConvForeignResources,
    testing::Values(
        ForeignInput{"LocalPlaylist", "innocent.mp3", kPlaylist + "$FILE\n#EXT-X-ENDLIST\n", "a playlist"},
        ForeignInput{"HttpPlaylist", "innocent.mp3", kPlaylist + "http://127.0.0.1:$PORT/seg.ts\n",
                     "a playlist"},
        ForeignInput{"ConcatList", "list.txt", "ffconcat version 1.0\nfile neighbour.wav\n", "a playlist"},
        ForeignInput{"StreamDescription", "stream.wav",
                     "v=0\no=- 0 0 IN IP4 127.0.0.1\ns=Stream\nc=IN IP4 0.0.0.0\nt=0 0\n"
                     "m=audio $PORT RTP/AVP 0\na=rtpmap:0 PCMU/8000\n",
                     "a stream description"}),
    [](const auto& info) { return info.param.label; });

}  // namespace
