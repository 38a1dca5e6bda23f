// A small Standard MIDI File writer: format 1, one conductor track for tempo and metre
// and any number of instrument tracks of notes, programs and controllers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavlero {

class MidiFile {
 public:
  explicit MidiFile(int ticksPerQuarter = 480);

  int TicksPerQuarter() const { return ticksPerQuarter_; }
  // Adds an instrument track; returns its index for the calls below.
  int AddTrack(const std::string& name);

  void SetTempo(int tick, double quarterNotesPerMinute);
  void SetTimeSignature(int tick, int numerator, int denominator);
  void ProgramChange(int track, int tick, int channel, int program);
  void Controller(int track, int tick, int channel, int controller, int value);
  void Note(int track, int tick, int duration, int channel, int key, int velocity);
  // Every track ends no earlier than `tick` (lets the last notes ring out).
  void ExtendTo(int tick);

  // The last tick any event or ExtendTo reaches.
  int EndTick() const;
  std::vector<std::uint8_t> Encode() const;
  bool Write(const std::string& path) const;

 private:
  struct Event {
    int tick = 0;
    int rank = 0;  // at one tick: note-offs, then settings, then note-ons
    std::vector<std::uint8_t> bytes;
  };
  struct Track {
    std::string name;
    std::vector<Event> events;
  };
  void Add(int track, int tick, int rank, std::vector<std::uint8_t> bytes);

  int ticksPerQuarter_;
  int endTick_ = 0;
  std::vector<Track> tracks_;  // 0: the conductor
};

}  // namespace tavlero
