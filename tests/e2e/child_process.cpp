#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace tavlero::e2e {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// The pointers execve wants, into strings that outlive the call.
std::vector<char*> PointersTo(const std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (const std::string& text : strings) pointers.push_back(const_cast<char*>(text.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// Runs in the forked child: only async-signal-safe calls until execve.
[[noreturn]] void ExecChild(char* const* argv, char* const* envp, int outFd, int keepFd) {
  const int input = open("/dev/null", O_RDONLY);
  if (input >= 0) dup2(input, STDIN_FILENO);
  if (outFd >= 0) {
    dup2(outFd, STDOUT_FILENO);
    dup2(outFd, STDERR_FILENO);
  }
  if (keepFd >= 0) fcntl(keepFd, F_SETFD, 0);
  // A child of its own group, so that nothing it starts outlives a kill of the group.
  setpgid(0, 0);
  execve(argv[0], argv, envp);
  _exit(127);
}

}  // namespace

std::vector<std::string> ChangedEnvironment(const EnvironmentChanges& changes) {
  std::vector<std::string> result;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (changes.count(name) == 0) result.push_back(text);
  }
  for (const auto& [name, value] : changes) {
    if (value) result.push_back(name + "=" + *value);
  }
  return result;
}

std::string FindProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0 ? name : std::string();
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const std::string folder = folders.substr(start, end - start);
    const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

ChildProcess::~ChildProcess() { Stop(SIGKILL); }

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                         const std::string& logPath, int keepFd) {
  if (argv.empty() || pid_ > 0) return false;
  const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (log < 0) return false;
  std::vector<char*> args = PointersTo(argv);
  std::vector<char*> envs = PointersTo(environment);
  const pid_t pid = fork();
  if (pid == 0) ExecChild(args.data(), envs.data(), log, keepFd);
  close(log);
  if (pid < 0) return false;
  pid_ = pid;
  status_.reset();
  return true;
}

std::optional<int> ChildProcess::WaitExit(int timeoutMs) {
  if (pid_ <= 0) return status_;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_ || (done < 0 && errno != EINTR)) {
      status_ = done == pid_ ? status : -1;
      pid_ = -1;
      return status_;
    }
    if (Clock::now() >= deadline) return std::nullopt;
    usleep(20 * 1000);
  }
}

bool ChildProcess::Running() { return pid_ > 0 && !WaitExit(0); }

void ChildProcess::Stop(int signal) {
  if (pid_ <= 0) return;
  kill(pid_, signal);
  if (WaitExit(3000)) return;
  kill(pid_, SIGKILL);
  WaitExit(3000);
}

CommandResult RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                         int timeoutMs) {
  CommandResult result;
  if (argv.empty()) return result;
  std::vector<std::string> full = argv;
  full[0] = FindProgram(argv[0]);
  if (full[0].empty()) return result;
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return result;
  std::vector<char*> args = PointersTo(full);
  std::vector<char*> envs = PointersTo(environment);
  const pid_t pid = fork();
  if (pid == 0) {
    const int nowhere = open("/dev/null", O_WRONLY);
    if (nowhere >= 0) dup2(nowhere, STDERR_FILENO);
    dup2(pipeFds[1], STDOUT_FILENO);
    const int input = open("/dev/null", O_RDONLY);
    if (input >= 0) dup2(input, STDIN_FILENO);
    execve(args[0], args.data(), envs.data());
    _exit(127);
  }
  close(pipeFds[1]);
  if (pid < 0) {
    close(pipeFds[0]);
    return result;
  }
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  bool timedOut = false;
  char buffer[65536];
  for (;;) {
    pollfd readable{pipeFds[0], POLLIN, 0};
    const int ready = poll(&readable, 1, MillisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      timedOut = true;
      break;
    }
    const ssize_t count = read(pipeFds[0], buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    result.output.append(buffer, static_cast<std::size_t>(count));
  }
  close(pipeFds[0]);
  if (timedOut) kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.finished = !timedOut && WIFEXITED(status);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace tavlero::e2e
