#include "sound/music.h"

#include <chrono>
#include <fstream>
#include <iterator>

#include "platform/random.h"

namespace tavlero {

OMusic::OMusic(platform::AudioSystem* audio)
    : audio_(audio), mixer_(OMixerVolume::kSynthesizer, audio), pickState_(static_cast<std::uint32_t>(Rand())) {
  mixer_.SetVolume(volume_);
  worker_ = std::thread([this] { Run(); });
}

OMusic::~OMusic() {
  Send(Request(Command::kQuit));
  worker_.join();
}

std::uint64_t OMusic::Send(Request request) {
  std::lock_guard<std::mutex> guard(lock_);
  // A window out of the foreground asks to stop on every frame; one queued stop is enough.
  if (request.command == Command::kStop && !requests_.empty() && requests_.back().command == Command::kStop) {
    return requests_.back().serial;
  }
  request.serial = ++sent_;
  requests_.push_back(std::move(request));
  wake_.notify_one();
  return sent_;
}

void OMusic::WaitFor(std::uint64_t serial) {
  std::unique_lock<std::mutex> guard(lock_);
  finished_.wait(guard, [&] { return done_ >= serial; });
}

void OMusic::WaitUntilIdle() {
  std::uint64_t serial = 0;
  {
    std::lock_guard<std::mutex> guard(lock_);
    serial = sent_;
  }
  WaitFor(serial);
}

bool OMusic::AddTrackFile(int number, const std::string& fileName) {
  if (!std::ifstream(fileName, std::ios::binary)) return false;
  WaitFor(Send(Request(Command::kAdd, number, fileName)));
  return true;
}

void OMusic::RemoveTrack(int number) { Send(Request(Command::kRemove, number)); }

void OMusic::Play(int number) {
  Send(Request(Command::kPlay, number));
  playing_ = true;
}

void OMusic::Stop() {
  playing_ = false;
  Send(Request(Command::kStop));
}

void OMusic::SetVolume(int volume) {
  volume_ = volume;
  mixer_.SetVolume(volume);
}

std::map<int, std::string> OMusic::Tracks() const {
  std::lock_guard<std::mutex> guard(lock_);
  return tracks_;
}

int OMusic::RandomTrackNumber() {
  // The game's rule for a pick below n, over a 15-bit value of the classic generator.
  pickState_ = pickState_ * 1103515245u + 12345u;
  const int position = PickBelow(static_cast<int>((pickState_ >> 16) & 0x7FFF), static_cast<int>(tracks_.size()));
  if (position >= static_cast<int>(tracks_.size())) return kRandomTrack;  // the list is empty
  return std::next(tracks_.begin(), position)->first;
}

void OMusic::StartTrack(int number) {
  if (audio_ != nullptr) audio_->CloseMusic();
  std::string fileName;
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (number == kRandomTrack) number = RandomTrackNumber();
    auto found = tracks_.find(number);
    if (found == tracks_.end()) return;
    fileName = found->second;
  }
  if (audio_ != nullptr && audio_->OpenMusic(fileName)) audio_->PlayMusic();
}

void OMusic::CheckEndOfTrack() {
  // A closed device means nothing was meant to play; an open one that no longer plays
  // has reached the end of its track.
  if (audio_ != nullptr && audio_->QueryMusic() == platform::MusicState::kStopped) StartTrack(kRandomTrack);
}

void OMusic::Run() {
  using Clock = std::chrono::steady_clock;
  auto nextCheck = Clock::now() + std::chrono::milliseconds(kCheckIntervalMs);
  for (;;) {
    Request request;
    bool haveRequest = false;
    {
      std::unique_lock<std::mutex> guard(lock_);
      wake_.wait_until(guard, nextCheck, [&] { return !requests_.empty(); });
      if (!requests_.empty()) {
        request = std::move(requests_.front());
        requests_.pop_front();
        haveRequest = true;
        // The list changes are the worker's, made under the lock like every read of it.
        if (request.command == Command::kAdd) tracks_[request.number] = request.fileName;
        if (request.command == Command::kRemove) {
          if (request.number == -1) {
            tracks_.clear();
          } else {
            tracks_.erase(request.number);
          }
        }
      }
    }
    if (haveRequest) {
      switch (request.command) {
        case Command::kPlay:
          StartTrack(request.number);
          break;
        case Command::kStop:
          if (audio_ != nullptr) audio_->CloseMusic();
          break;
        case Command::kQuit:
          if (audio_ != nullptr) audio_->CloseMusic();
          break;
        case Command::kAdd:
        case Command::kRemove:
          break;
      }
      {
        std::lock_guard<std::mutex> guard(lock_);
        done_ = request.serial;
      }
      finished_.notify_all();
      if (request.command == Command::kQuit) {
        if (audio_ != nullptr) audio_->ThreadFinished();
        return;
      }
    }
    if (Clock::now() >= nextCheck) {
      CheckEndOfTrack();
      nextCheck = Clock::now() + std::chrono::milliseconds(kCheckIntervalMs);
    }
  }
}

}  // namespace tavlero
