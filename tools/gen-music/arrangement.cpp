#include "arrangement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace tavlero::music {

namespace {

constexpr int kTicksPerBeat = 480;
constexpr int kIntroBars = 2;
constexpr int kEndingBars = 2;
constexpr double kRingOutBeats = 1;  // the synthesiser adds two seconds of its own
// The ending slows down: the first ending bar at 85 % of the tempo, the last at 72 %.
constexpr double kEndingTempo[kEndingBars] = {0.85, 0.72};

enum Channel { kMelody = 0, kAccompaniment = 1, kBass = 2, kPad = 3 };

struct Note {
  int key = -1;  // -1: a rest
  double beats = 0;
};

struct Chord {
  int root = 0;                // pitch class, 0 = C
  std::vector<int> intervals;  // above the root, the root first
  double beats = 0;
};

std::vector<std::string> SplitBars(const std::string& text) {
  std::vector<std::string> bars;
  std::stringstream stream(text);
  std::string bar;
  while (std::getline(stream, bar, '|')) bars.push_back(bar);
  return bars;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::stringstream stream(text);
  std::string word;
  while (stream >> word) words.push_back(word);
  return words;
}

// "C", "F#", "Bb" at the start of `text`: the pitch class, and how many characters it took.
bool ParsePitchName(const std::string& text, int& pitchClass, std::size_t& used) {
  static const char kLetters[] = "CDEFGAB";
  static const int kClasses[] = {0, 2, 4, 5, 7, 9, 11};
  if (text.empty()) return false;
  const char* letter = std::strchr(kLetters, text[0]);
  if (letter == nullptr || *letter == '\0') return false;
  pitchClass = kClasses[letter - kLetters];
  used = 1;
  if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
    pitchClass += text[1] == '#' ? 1 : -1;
    used = 2;
  }
  pitchClass = (pitchClass + 12) % 12;
  return true;
}

bool ParseLength(const std::string& text, double& beats) {
  char* end = nullptr;
  beats = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && beats > 0;
}

bool ParseNote(const std::string& word, Note& note) {
  const std::size_t slash = word.find('/');
  if (slash == std::string::npos || !ParseLength(word.substr(slash + 1), note.beats)) return false;
  const std::string name = word.substr(0, slash);
  if (name == "r") {
    note.key = -1;
    return true;
  }
  int pitchClass = 0;
  std::size_t used = 0;
  if (!ParsePitchName(name, pitchClass, used) || used >= name.size()) return false;
  char* end = nullptr;
  const long octave = std::strtol(name.c_str() + used, &end, 10);
  if (*end != '\0' || octave < 0 || octave > 8) return false;
  // B#/Cb belong to the neighbouring octave; none of the tunes use them.
  note.key = 12 * (static_cast<int>(octave) + 1) + pitchClass;
  if (name[0] == 'C' && used == 2 && name[1] == 'b') note.key += 12;
  if (name[0] == 'B' && used == 2 && name[1] == '#') note.key -= 12;
  return true;
}

bool ParseChord(const std::string& word, double barBeats, Chord& chord) {
  const std::size_t slash = word.find('/');
  const std::string symbol = word.substr(0, slash);
  chord.beats = barBeats;
  if (slash != std::string::npos && !ParseLength(word.substr(slash + 1), chord.beats)) return false;
  std::size_t used = 0;
  if (!ParsePitchName(symbol, chord.root, used)) return false;
  const std::string quality = symbol.substr(used);
  if (quality.empty()) {
    chord.intervals = {0, 4, 7};
  } else if (quality == "m") {
    chord.intervals = {0, 3, 7};
  } else if (quality == "7") {
    chord.intervals = {0, 4, 7, 10};
  } else if (quality == "m7") {
    chord.intervals = {0, 3, 7, 10};
  } else if (quality == "maj7") {
    chord.intervals = {0, 4, 7, 11};
  } else if (quality == "dim") {
    chord.intervals = {0, 3, 6};
  } else if (quality == "sus4") {
    chord.intervals = {0, 5, 7};
  } else {
    return false;
  }
  return true;
}

int Ticks(double beats) { return static_cast<int>(std::lround(beats * kTicksPerBeat)); }

// The lowest note of pitch class `pitchClass` at or above `floor`.
int KeyAtOrAbove(int pitchClass, int floor) {
  int key = floor + ((pitchClass - floor) % 12 + 12) % 12;
  return key;
}

class Arranger {
 public:
  Arranger(const Piece& piece, MidiFile& midi) : piece_(piece), midi_(midi) {}

  bool Parse(std::string& error) {
    const double barBeats = piece_.beatsPerBar;
    const std::vector<std::string> melodyBars = SplitBars(piece_.melody);
    const std::vector<std::string> chordBars = SplitBars(piece_.chords);
    if (melodyBars.size() != chordBars.size()) {
      error = piece_.fileName + ": " + std::to_string(melodyBars.size()) + " bars of tune but " +
              std::to_string(chordBars.size()) + " of chords";
      return false;
    }
    for (std::size_t bar = 0; bar < melodyBars.size(); ++bar) {
      const std::string where = piece_.fileName + " bar " + std::to_string(bar + 1);
      std::vector<Note> notes;
      double sum = 0;
      for (const std::string& word : Words(melodyBars[bar])) {
        Note note;
        if (!ParseNote(word, note)) {
          error = where + ": bad note " + word;
          return false;
        }
        sum += note.beats;
        notes.push_back(note);
      }
      if (std::abs(sum - barBeats) > 1e-6) {
        error = where + ": the tune fills " + std::to_string(sum) + " beats";
        return false;
      }
      std::vector<Chord> chords;
      sum = 0;
      for (const std::string& word : Words(chordBars[bar])) {
        Chord chord;
        if (!ParseChord(word, barBeats, chord)) {
          error = where + ": bad chord " + word;
          return false;
        }
        sum += chord.beats;
        chords.push_back(chord);
      }
      if (std::abs(sum - barBeats) > 1e-6) {
        error = where + ": the chords fill " + std::to_string(sum) + " beats";
        return false;
      }
      melody_.push_back(notes);
      harmony_.push_back(chords);
    }
    for (const std::string& word : Words(piece_.pickup)) {
      Note note;
      if (!ParseNote(word, note)) {
        error = piece_.fileName + ": bad pickup note " + word;
        return false;
      }
      pickupBeats_ += note.beats;
      pickup_.push_back(note);
    }
    if (pickupBeats_ > barBeats) {
      error = piece_.fileName + ": the pickup is longer than a bar";
      return false;
    }
    if (!ParseChord(piece_.finalChord, barBeats * kEndingBars, finalChord_)) {
      error = piece_.fileName + ": bad final chord " + piece_.finalChord;
      return false;
    }
    if (melody_.empty() || piece_.passes.empty()) {
      error = piece_.fileName + ": nothing to play";
      return false;
    }
    return true;
  }

  void Build() {
    const int barTicks = Ticks(piece_.beatsPerBar);
    midi_.SetTempo(0, piece_.tempo);
    midi_.SetTimeSignature(0, piece_.beatsPerBar, 4);
    const char* names[] = {"Melody", "Accompaniment", "Bass", "Pad"};
    for (int channel = 0; channel < 4; ++channel) tracks_[channel] = midi_.AddTrack(names[channel]);
    SetUpChannels();

    // Introduction: the first bars' harmony without the tune.
    const Pass& first = piece_.passes.front();
    int tick = 0;
    for (int bar = 0; bar < kIntroBars; ++bar) {
      Accompany(tick, harmony_[bar % harmony_.size()], first.style, first.pad, 0.85);
      tick += barTicks;
    }
    int lastKey = 72;
    PlayTune(tick - Ticks(pickupBeats_), pickup_, first, lastKey);
    for (const Pass& pass : piece_.passes) {
      midi_.ProgramChange(tracks_[kMelody], tick, kMelody, pass.melodyProgram);
      midi_.ProgramChange(tracks_[kAccompaniment], tick, kAccompaniment, pass.accompanimentProgram);
      for (std::size_t bar = 0; bar < melody_.size(); ++bar) {
        PlayTune(tick, melody_[bar], pass, lastKey);
        Accompany(tick, harmony_[bar], pass.style, pass.pad, 1.0);
        tick += barTicks;
      }
    }
    // Ending: the final chord, the tune settling on its root, slowing down.
    const Pass& last = piece_.passes.back();
    for (int bar = 0; bar < kEndingBars; ++bar) {
      midi_.SetTempo(tick + bar * barTicks, piece_.tempo * kEndingTempo[bar]);
    }
    const int endKey = NearestKey(finalChord_.root + piece_.transpose, lastKey);
    midi_.Note(tracks_[kMelody], tick, barTicks * kEndingBars - kTicksPerBeat / 2, kMelody, endKey,
               last.melodyVelocity - 8);
    Chord held = finalChord_;
    held.beats = piece_.beatsPerBar * kEndingBars;
    Accompany(tick, {held}, Accompaniment::kBlock, true, 0.9);
    tick += barTicks * kEndingBars;
    midi_.ExtendTo(tick + Ticks(kRingOutBeats));
  }

 private:
  void SetUpChannels() {
    struct Setup {
      int volume, pan, reverb, chorus;
    };
    const Setup setups[] = {{124, 64, 72, 12}, {100, 42, 64, 8}, {112, 64, 40, 0}, {80, 86, 90, 30}};
    for (int channel = 0; channel < 4; ++channel) {
      const int track = tracks_[channel];
      midi_.Controller(track, 0, channel, 7, setups[channel].volume);
      midi_.Controller(track, 0, channel, 10, setups[channel].pan);
      midi_.Controller(track, 0, channel, 91, setups[channel].reverb);
      midi_.Controller(track, 0, channel, 93, setups[channel].chorus);
    }
    midi_.ProgramChange(tracks_[kBass], 0, kBass, piece_.bassProgram);
    midi_.ProgramChange(tracks_[kPad], 0, kPad, piece_.padProgram);
    midi_.ProgramChange(tracks_[kMelody], 0, kMelody, piece_.passes.front().melodyProgram);
    midi_.ProgramChange(tracks_[kAccompaniment], 0, kAccompaniment, piece_.passes.front().accompanimentProgram);
  }

  // A gentle, repeatable variation of loudness so repeated notes do not sound mechanical.
  int Humanise(int velocity) {
    humanState_ = humanState_ * 1103515245u + 12345u;
    return std::clamp(velocity + static_cast<int>((humanState_ >> 16) % 7) - 3, 1, 127);
  }

  int NearestKey(int pitchClass, int near) const {
    int key = KeyAtOrAbove(((pitchClass % 12) + 12) % 12, near - 6);
    return key;
  }

  void PlayTune(int barStart, const std::vector<Note>& notes, const Pass& pass, int& lastKey) {
    double beat = 0;
    for (const Note& note : notes) {
      if (note.key >= 0) {
        const int key = note.key + piece_.transpose + 12 * pass.melodyOctave;
        const bool strong = beat < 1e-6;  // the bar's first note
        const int length = std::max(Ticks(note.beats) - kTicksPerBeat / 16, kTicksPerBeat / 8);
        midi_.Note(tracks_[kMelody], barStart + Ticks(beat), length, kMelody, key,
                   Humanise(pass.melodyVelocity + (strong ? 6 : 0)));
        lastKey = key;
      }
      beat += note.beats;
    }
  }

  // Accompaniment, bass and pad for one bar (or for the ending's long chord).
  void Accompany(int barStart, const std::vector<Chord>& chords, Accompaniment style, bool pad, double loudness) {
    double chordStart = 0;
    for (const Chord& chord : chords) {
      const int start = barStart + Ticks(chordStart);
      const int length = Ticks(chord.beats);
      const int root = (chord.root + piece_.transpose + 12) % 12;
      // The bass: the root, and the fifth half way through a long chord in common time.
      const int bassRoot = KeyAtOrAbove(root, 36);
      const auto velocity = [&](int base) { return Humanise(static_cast<int>(base * loudness)); };
      if (piece_.beatsPerBar == 4 && chord.beats >= 4) {
        midi_.Note(tracks_[kBass], start, Ticks(2) - 40, kBass, bassRoot, velocity(72));
        midi_.Note(tracks_[kBass], start + Ticks(2), Ticks(chord.beats - 2) - 40, kBass,
                   bassRoot + chord.intervals[2 % chord.intervals.size()] - (bassRoot + 7 > 50 ? 12 : 0),
                   velocity(64));
      } else {
        midi_.Note(tracks_[kBass], start, length - 40, kBass, bassRoot, velocity(72));
      }
      // Chord tones from a little below middle C upwards.
      const int low = KeyAtOrAbove(root, 48);
      std::vector<int> voices;
      for (int octave = 0; octave < 2; ++octave) {
        for (int interval : chord.intervals) voices.push_back(low + interval + 12 * octave);
      }
      const int third = low + chord.intervals[1], fifth = low + chord.intervals[2], top = low + 12;
      if (pad) {
        for (int key : {third + 12, fifth + 12, top + 12}) {
          midi_.Note(tracks_[kPad], start, length - 20, kPad, key - 12, velocity(40));
        }
      }
      switch (style) {
        case Accompaniment::kArpeggio: {
          const int pattern[] = {0, 2, 3, 4, 5, 4, 3, 2};
          const int steps = static_cast<int>(std::lround(chord.beats * 2));
          for (int step = 0; step < steps; ++step) {
            const int key = voices[std::min<std::size_t>(pattern[step % 8], voices.size() - 1)];
            midi_.Note(tracks_[kAccompaniment], start + step * kTicksPerBeat / 2, kTicksPerBeat, kAccompaniment,
                       key, velocity(step == 0 ? 58 : 50));
          }
          break;
        }
        case Accompaniment::kWaltz:
        case Accompaniment::kGuitar: {
          const int beats = static_cast<int>(std::lround(chord.beats));
          for (int beat = 0; beat < beats; ++beat) {
            const int at = start + beat * kTicksPerBeat;
            const bool downbeat = Ticks(chordStart) + beat * kTicksPerBeat == 0;
            if (downbeat) {
              if (style == Accompaniment::kGuitar) {
                midi_.Note(tracks_[kAccompaniment], at, kTicksPerBeat - 30, kAccompaniment, fifth - 12,
                           velocity(56));
              }
              continue;  // the bass has the downbeat
            }
            for (int key : {third, fifth, top}) {
              midi_.Note(tracks_[kAccompaniment], at, kTicksPerBeat * 3 / 4, kAccompaniment, key, velocity(44));
            }
          }
          break;
        }
        case Accompaniment::kBlock:
          for (int key : {third, fifth, top}) {
            midi_.Note(tracks_[kAccompaniment], start, length - 30, kAccompaniment, key, velocity(46));
          }
          break;
      }
      chordStart += chord.beats;
    }
  }

  const Piece& piece_;
  MidiFile& midi_;
  std::vector<std::vector<Note>> melody_;
  std::vector<Note> pickup_;
  double pickupBeats_ = 0;
  std::vector<std::vector<Chord>> harmony_;
  Chord finalChord_;
  int tracks_[4] = {};
  std::uint32_t humanState_ = 7;
};

}  // namespace

bool Arrange(const Piece& piece, MidiFile& midi, std::string& error) {
  Arranger arranger(piece, midi);
  if (!arranger.Parse(error)) return false;
  arranger.Build();
  return true;
}

double ArrangedSeconds(const Piece& piece) {
  const double bars = static_cast<double>(SplitBars(piece.melody).size());
  const double mainBeats = (kIntroBars + bars * piece.passes.size()) * piece.beatsPerBar;
  double seconds = mainBeats * 60.0 / piece.tempo;
  for (double factor : kEndingTempo) seconds += piece.beatsPerBar * 60.0 / (piece.tempo * factor);
  return seconds + kRingOutBeats * 60.0 / (piece.tempo * kEndingTempo[kEndingBars - 1]);
}

}  // namespace tavlero::music
