// The platform services in use by the running program or test. The program installs
// the SDL back ends at start-up; tests install fakes. Game logic reaches the desktop
// only through these interfaces.
#pragma once

namespace tavlero::platform {

class WindowSystem;
class TextRenderer;
class AudioSystem;

struct Services {
  WindowSystem* window = nullptr;
  TextRenderer* text = nullptr;
  AudioSystem* audio = nullptr;
};

Services& CurrentServices();

// Installs services for the lifetime of the object and restores the previous ones after.
class ScopedServices {
 public:
  explicit ScopedServices(const Services& services) : previous_(CurrentServices()) {
    CurrentServices() = services;
  }
  ~ScopedServices() { CurrentServices() = previous_; }
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  Services previous_;
};

}  // namespace tavlero::platform
