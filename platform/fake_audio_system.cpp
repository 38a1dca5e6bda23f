#include "platform/fake_audio_system.h"

#include <fstream>

namespace tavlero::platform {

int FakeAudioSystem::AddSound(const PcmSound& sound) {
  if (sound.Frames() == 0) return -1;
  std::lock_guard<std::mutex> guard(lock_);
  sounds_[nextSound_].pcm = sound;
  return nextSound_++;
}

void FakeAudioSystem::RemoveSound(int sound) {
  std::lock_guard<std::mutex> guard(lock_);
  sounds_.erase(sound);
}

void FakeAudioSystem::StartSound(int sound, int level) {
  std::lock_guard<std::mutex> guard(lock_);
  auto found = sounds_.find(sound);
  if (found == sounds_.end()) return;
  found->second.level = level;
  found->second.playing = true;
  starts_.push_back({sound, level});
}

bool FakeAudioSystem::SoundPlaying(int sound) const {
  std::lock_guard<std::mutex> guard(lock_);
  auto found = sounds_.find(sound);
  return found != sounds_.end() && found->second.playing;
}

void FakeAudioSystem::SetSoundLevel(int sound, int level) {
  std::lock_guard<std::mutex> guard(lock_);
  auto found = sounds_.find(sound);
  if (found != sounds_.end()) found->second.level = level;
}

bool FakeAudioSystem::OpenMusic(const std::string& path) {
  CloseMusic();
  if (!std::ifstream(path, std::ios::binary)) return false;
  std::lock_guard<std::mutex> guard(lock_);
  openTrack_ = path;
  music_ = MusicState::kStopped;
  return true;
}

bool FakeAudioSystem::PlayMusic() {
  std::lock_guard<std::mutex> guard(lock_);
  if (music_ == MusicState::kClosed) return false;
  music_ = MusicState::kPlaying;
  played_.push_back(openTrack_);
  return true;
}

void FakeAudioSystem::CloseMusic() {
  std::lock_guard<std::mutex> guard(lock_);
  openTrack_.clear();
  music_ = MusicState::kClosed;
}

MusicState FakeAudioSystem::QueryMusic() {
  std::lock_guard<std::mutex> guard(lock_);
  return music_;
}

void FakeAudioSystem::SetMusicLevel(int level) {
  std::lock_guard<std::mutex> guard(lock_);
  musicLevel_ = level;
}

void FakeAudioSystem::FinishSound(int sound) {
  std::lock_guard<std::mutex> guard(lock_);
  auto found = sounds_.find(sound);
  if (found != sounds_.end()) found->second.playing = false;
}

void FakeAudioSystem::FinishMusic() {
  std::lock_guard<std::mutex> guard(lock_);
  if (music_ == MusicState::kPlaying) music_ = MusicState::kStopped;
}

std::vector<FakeAudioSystem::SoundStart> FakeAudioSystem::SoundStarts() const {
  std::lock_guard<std::mutex> guard(lock_);
  return starts_;
}

int FakeAudioSystem::SoundLevel(int sound) const {
  std::lock_guard<std::mutex> guard(lock_);
  auto found = sounds_.find(sound);
  return found == sounds_.end() ? kSilentLevel : found->second.level;
}

int FakeAudioSystem::SoundCount() const {
  std::lock_guard<std::mutex> guard(lock_);
  return static_cast<int>(sounds_.size());
}

std::string FakeAudioSystem::OpenTrack() const {
  std::lock_guard<std::mutex> guard(lock_);
  return openTrack_;
}

std::vector<std::string> FakeAudioSystem::PlayedTracks() const {
  std::lock_guard<std::mutex> guard(lock_);
  return played_;
}

int FakeAudioSystem::MusicLevel() const {
  std::lock_guard<std::mutex> guard(lock_);
  return musicLevel_;
}

}  // namespace tavlero::platform
