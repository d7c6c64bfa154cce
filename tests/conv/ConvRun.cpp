#include "ConvRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

std::string ConvResult::lastLine() const {
  std::string trimmed = log.substr(0, log.find_last_not_of('\n') + 1);
  return trimmed.substr(trimmed.find_last_of('\n') + 1);
}

ConvProcess startConv(const std::vector<std::string>& args) {
  std::vector<std::string> all{CONV_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, CONV_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned == 0) return {pid, pipeFds[0]};
  close(pipeFds[0]);
  return {};
}

std::string readLogUntil(const ConvProcess& process, const std::string& text, int timeoutSeconds) {
  std::string log;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  while (log.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd fd{process.logFd, POLLIN, 0};
    if (poll(&fd, 1, 100) <= 0) continue;
    char buffer[4096];
    ssize_t n = read(process.logFd, buffer, sizeof buffer);
    if (n <= 0) break;
    log.append(buffer, size_t(n));
  }
  return log;
}

ConvResult finishConv(const ConvProcess& process, int timeoutSeconds) {
  ConvResult result;
  if (process.pid < 0) return result;
  const pid_t pid = process.pid;
  const int logFd = process.logFd;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  bool hung = false;
  for (char buffer[4096];;) {
    pollfd fd{logFd, POLLIN, 0};
    if (poll(&fd, 1, 100) > 0) {
      ssize_t n = read(logFd, buffer, sizeof buffer);
      if (n <= 0) break;
      result.log.append(buffer, size_t(n));
    }
    if (std::chrono::steady_clock::now() > deadline) {
      hung = true;
      kill(pid, SIGKILL);
      break;
    }
  }
  close(logFd);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  result.peakKiB = usage.ru_maxrss;
  result.exitCode = !hung && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}
