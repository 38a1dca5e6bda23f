#include "sound/midi_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace tavlero {

namespace {

constexpr int kRankNoteOff = 0, kRankSetting = 1, kRankNoteOn = 2;

std::uint8_t Data7(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }
std::uint8_t Status(int kind, int channel) { return static_cast<std::uint8_t>(kind | (channel & 0x0F)); }

void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

void PutBig(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

}  // namespace

MidiFile::MidiFile(int ticksPerQuarter) : ticksPerQuarter_(std::clamp(ticksPerQuarter, 24, 0x7FFF)) {
  tracks_.push_back({"Conductor", {}});
}

int MidiFile::AddTrack(const std::string& name) {
  tracks_.push_back({name, {}});
  return static_cast<int>(tracks_.size()) - 1;
}

void MidiFile::Add(int track, int tick, int rank, std::vector<std::uint8_t> bytes) {
  if (track < 0 || track >= static_cast<int>(tracks_.size())) return;
  tick = std::max(tick, 0);
  endTick_ = std::max(endTick_, tick);
  tracks_[track].events.push_back({tick, rank, std::move(bytes)});
}

void MidiFile::SetTempo(int tick, double quarterNotesPerMinute) {
  const auto microseconds = static_cast<std::uint32_t>(std::lround(60000000.0 / std::max(quarterNotesPerMinute, 4.0)));
  Add(0, tick, kRankSetting,
      {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microseconds >> 16), static_cast<std::uint8_t>(microseconds >> 8),
       static_cast<std::uint8_t>(microseconds)});
}

void MidiFile::SetTimeSignature(int tick, int numerator, int denominator) {
  std::uint8_t power = 0;
  while ((1 << power) < denominator && power < 6) ++power;
  Add(0, tick, kRankSetting, {0xFF, 0x58, 0x04, Data7(numerator), power, 24, 8});
}

void MidiFile::ProgramChange(int track, int tick, int channel, int program) {
  Add(track, tick, kRankSetting, {Status(0xC0, channel), Data7(program)});
}

void MidiFile::Controller(int track, int tick, int channel, int controller, int value) {
  Add(track, tick, kRankSetting, {Status(0xB0, channel), Data7(controller), Data7(value)});
}

void MidiFile::Note(int track, int tick, int duration, int channel, int key, int velocity) {
  if (duration <= 0 || velocity <= 0) return;
  Add(track, tick, kRankNoteOn, {Status(0x90, channel), Data7(key), Data7(velocity)});
  Add(track, tick + duration, kRankNoteOff, {Status(0x80, channel), Data7(key), 64});
}

void MidiFile::ExtendTo(int tick) { endTick_ = std::max(endTick_, tick); }

int MidiFile::EndTick() const { return endTick_; }

std::vector<std::uint8_t> MidiFile::Encode() const {
  std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd'};
  PutBig(out, 6, 4);
  PutBig(out, 1, 2);  // format 1: tracks played together
  PutBig(out, static_cast<std::uint32_t>(tracks_.size()), 2);
  PutBig(out, static_cast<std::uint32_t>(ticksPerQuarter_), 2);
  for (const Track& track : tracks_) {
    std::vector<Event> events = track.events;
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank; });
    std::vector<std::uint8_t> body;
    PutVariableLength(body, 0);
    body.insert(body.end(), {0xFF, 0x03});
    PutVariableLength(body, static_cast<std::uint32_t>(track.name.size()));
    body.insert(body.end(), track.name.begin(), track.name.end());
    int now = 0;
    for (const Event& event : events) {
      PutVariableLength(body, static_cast<std::uint32_t>(event.tick - now));
      now = event.tick;
      body.insert(body.end(), event.bytes.begin(), event.bytes.end());
    }
    PutVariableLength(body, static_cast<std::uint32_t>(endTick_ - now));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    PutBig(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
  }
  return out;
}

bool MidiFile::Write(const std::string& path) const {
  const std::vector<std::uint8_t> bytes = Encode();
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace tavlero
