// Arrangements written as text: a melody in note names and lengths, the harmony as
// chord symbols bar by bar, and a plan of passes saying which General MIDI instruments
// play the tune and in what accompaniment style. Arrange() turns one into a MIDI file
// with melody, accompaniment, bass and a soft pad, an introduction and an ending.
#pragma once

#include <string>
#include <vector>

#include "sound/midi_writer.h"

namespace tavlero::music {

enum class Accompaniment {
  kArpeggio,  // broken chords in eighth notes
  kWaltz,     // the chord on the second and third beats
  kBlock,     // the chord held through the bar
  kGuitar,    // a low chord tone, then the chord, in quarter notes
};

// One time through the tune.
struct Pass {
  int melodyProgram;   // General MIDI program, 0 ... 127
  int melodyOctave;    // shift of the tune in octaves
  int melodyVelocity;  // 1 ... 127
  Accompaniment style;
  int accompanimentProgram;
  bool pad;            // the pad sustains the chords under this pass
};

struct Piece {
  std::string fileName;  // "korobeiniki" gives music/korobeiniki.mid
  std::string title;
  double tempo;          // quarter notes per minute
  int beatsPerBar;       // in quarter notes: 3 or 4
  int transpose;         // semitones applied to everything
  // Bars separated by '|'; each note "NAME[#|b]OCTAVE/LENGTH" (C4 is middle C, the
  // length in quarter notes) or a rest "r/LENGTH".
  std::string melody;
  // Notes leading into the first bar, sounding at the end of the introduction (the
  // tune's last bar carries them for the passes after the first); may be empty.
  std::string pickup;
  // One group per bar, separated by '|': "Am" for the whole bar or "C/2 G7/1".
  std::string chords;
  std::string finalChord;  // held under the last note of the piece
  int bassProgram;
  int padProgram;
  std::vector<Pass> passes;
};

// Builds the MIDI file; false with a reason when the text does not add up (a bar
// whose notes or chords do not fill it, an unknown note or chord, a mismatch of the
// melody's and the harmony's bar counts).
bool Arrange(const Piece& piece, MidiFile& midi, std::string& error);

// The length of the arranged piece in seconds.
double ArrangedSeconds(const Piece& piece);

// Every piece of the game's music.
const std::vector<Piece>& GamePieces();

}  // namespace tavlero::music
