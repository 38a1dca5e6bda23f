// Programs the end-to-end tests start: a child process with an environment of its own
// that is always ended (killed if need be) and reaped, and a command run to completion
// with its standard output captured, both bounded by time-outs so that a stuck program
// fails a test instead of hanging it.
#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavlero::e2e {

// The test process's environment with some variables replaced (a value) or removed
// (no value).
using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;
std::vector<std::string> ChangedEnvironment(const EnvironmentChanges& changes);

// The full path of a program found on PATH (or the name itself when it holds a
// slash and is executable); empty when there is none.
std::string FindProgram(const std::string& name);

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Kills a child that is still running and reaps it.
  ~ChildProcess();

  // Starts argv[0] (a full path) with the given environment; standard output and error
  // go to `logPath` (appended), standard input is /dev/null. `keepFd`, when not -1, stays
  // open in the child under the same number. False when the program could not be started.
  bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
             const std::string& logPath = "/dev/null", int keepFd = -1);
  // Waits at most timeoutMs for the child to end; its wait status when it did.
  std::optional<int> WaitExit(int timeoutMs);
  bool Running();
  // Sends the signal and waits a little for the end, then kills it for good.
  void Stop(int signal);
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

struct CommandResult {
  bool finished = false;  // false: it could not start or ran past its time and was killed
  int exitCode = -1;
  std::string output;     // standard output
};

// Runs a program found on PATH with arguments to its end (killed after timeoutMs).
// Standard error is discarded.
CommandResult RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                         int timeoutMs);

}  // namespace tavlero::e2e
