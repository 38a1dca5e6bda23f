#include "virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <map>
#include <sstream>
#include <thread>

namespace tavlero::e2e {
namespace {

constexpr int kDisplayNumbersTried = 40;
constexpr int kServerStartMs = 15000;

// Reads what the server writes on its display pipe once it takes connections (the
// display number and a line end); empty when it ended or stayed silent.
std::string ReadReadyLine(int fd, int timeoutMs) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (line.find('\n') == std::string::npos) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return {};
    pollfd readable{fd, POLLIN, 0};
    const int ready = poll(&readable, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return {};
    char buffer[64];
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return {};
    line.append(buffer, static_cast<std::size_t>(count));
  }
  return line;
}

}  // namespace

std::string VirtualDisplay::MissingPrograms() {
  std::string missing;
  for (const char* program : {"Xvfb", "xdotool", "xwd"}) {
    if (FindProgram(program).empty()) missing += std::string(missing.empty() ? "" : " ") + program;
  }
  return missing;
}

bool VirtualDisplay::Start(std::string& error, int first) {
  const std::string server = FindProgram("Xvfb");
  if (server.empty()) {
    error = "Xvfb is not installed";
    return false;
  }
  for (int number = first; number < first + kDisplayNumbersTried; ++number) {
    // A display someone else holds: its lock file or socket is there.
    if (access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0 ||
        access(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), F_OK) == 0) {
      continue;
    }
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
      error = "no pipe for the display server";
      return false;
    }
    std::string display(1, ':');
    display += std::to_string(number);
    // -displayfd: the server writes its number there once it accepts connections.
    // -noreset: without it the server starts afresh whenever its last client leaves
    // (each xdotool run), and a program connecting just then is turned away.
    const bool started = server_.Start(
        {server, display, "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset", "-displayfd",
         std::to_string(pipeFds[1])},
        ChangedEnvironment({}), "/dev/null", pipeFds[1]);
    close(pipeFds[1]);
    const std::string ready = started ? ReadReadyLine(pipeFds[0], kServerStartMs) : std::string();
    close(pipeFds[0]);
    if (!ready.empty()) {
      name_ = display;
      return true;
    }
    // Another server took the number first, or this one would not start: the next one.
    server_.Stop(SIGTERM);
  }
  error = "no Xvfb server could be started on displays :" + std::to_string(first) + " to :" +
          std::to_string(first + kDisplayNumbersTried - 1);
  return false;
}

std::vector<std::string> VirtualDisplay::Environment(EnvironmentChanges changes) const {
  changes["DISPLAY"] = name_;
  return ChangedEnvironment(changes);
}

CommandResult VirtualDisplay::Run(std::vector<std::string> argv, int timeoutMs) const {
  return RunCommand(argv, Environment({{"XAUTHORITY", std::nullopt}}), timeoutMs);
}

std::optional<std::string> VirtualDisplay::FindWindow(const std::string& className, int timeoutMs) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    const CommandResult found = Run({"xdotool", "search", "--onlyvisible", "--class", className});
    std::istringstream lines(found.output);
    std::string window;
    if (found.finished && found.exitCode == 0 && (lines >> window)) return window;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

std::optional<WindowGeometry> VirtualDisplay::Geometry(const std::string& window) const {
  const CommandResult result = Run({"xdotool", "getwindowgeometry", "--shell", window});
  if (!result.finished || result.exitCode != 0) return std::nullopt;
  // Lines of NAME=value: WINDOW, X, Y, WIDTH, HEIGHT, SCREEN.
  std::map<std::string, int> values;
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = std::atoi(line.c_str() + equals + 1);
  }
  for (const char* name : {"X", "Y", "WIDTH", "HEIGHT"}) {
    if (values.count(name) == 0) return std::nullopt;
  }
  WindowGeometry geometry;
  geometry.x = values["X"];
  geometry.y = values["Y"];
  geometry.width = values["WIDTH"];
  geometry.height = values["HEIGHT"];
  return geometry;
}

bool VirtualDisplay::MovePointer(const std::string& window, int x, int y) const {
  const CommandResult result = Run({"xdotool", "mousemove", "--window", window, std::to_string(x), std::to_string(y)});
  return result.finished && result.exitCode == 0;
}

bool VirtualDisplay::Click(const std::string& window, int x, int y) const {
  // The pointer moves into the window and the button goes down and up through the
  // server's test extension, so the program sees real input events.
  const CommandResult result =
      Run({"xdotool", "mousemove", "--window", window, std::to_string(x), std::to_string(y), "click", "1"});
  return result.finished && result.exitCode == 0;
}

void VirtualDisplay::Key(const std::string& window, const std::string& keys) const {
  // The exit code is not looked at: when the keys close the window, xdotool's own
  // key release then finds no window and complains.
  Run({"xdotool", "key", "--window", window, keys});
}

bool VirtualDisplay::Screenshot(RgbImage& image, std::string& error) const {
  const CommandResult dump = Run({"xwd", "-root", "-silent"}, 20000);
  if (!dump.finished || dump.exitCode != 0) {
    error = "xwd could not take a screenshot of " + name_;
    return false;
  }
  const std::vector<std::uint8_t> bytes(dump.output.begin(), dump.output.end());
  return DecodeXwd(bytes, image, error);
}

}  // namespace tavlero::e2e
