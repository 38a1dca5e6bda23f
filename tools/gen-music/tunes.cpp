// The game's background music: public-domain melodies and our own tunes, each
// arranged for a calm General MIDI ensemble. General MIDI programs used: 0 piano,
// 8 celesta, 10 music box, 21 accordion, 24 nylon guitar, 32 acoustic bass, 40 violin,
// 42 cello, 46 harp, 48/49 string ensembles, 60 French horn, 68 oboe, 71 clarinet, 73 flute,
// 74 recorder, 89 warm pad.
#include "arrangement.h"

namespace tavlero::music {

namespace {

using enum Accompaniment;

std::vector<Piece> MakePieces() {
  std::vector<Piece> pieces;

  // "Korobeiniki", a Russian folk song, in A minor at an unhurried pace.
  pieces.push_back({"korobeiniki", "Korobeiniki (Russian folk song)", 92, 4, 0,
                    "E5/1 B4/.5 C5/.5 D5/1 C5/.5 B4/.5 | A4/1 A4/.5 C5/.5 E5/1 D5/.5 C5/.5 |"
                    " B4/1.5 C5/.5 D5/1 E5/1 | C5/1 A4/1 A4/1 r/1 |"
                    " r/.5 D5/1 F5/.5 A5/1 G5/.5 F5/.5 | E5/1.5 C5/.5 E5/1 D5/.5 C5/.5 |"
                    " B4/1 B4/.5 C5/.5 D5/1 E5/1 | C5/1 A4/1 A4/1 r/1",
                    "",
                    "Am | Am | E | Am | Dm | C | E7 | Am", "Am", 32, 48,
                    {{71, 0, 84, kGuitar, 24, false},
                     {21, 0, 66, kArpeggio, 24, true},
                     {73, 0, 80, kArpeggio, 46, true},
                     {40, 0, 76, kGuitar, 24, true},
                     {71, -1, 84, kArpeggio, 24, false}}});

  // "Greensleeves", an English tune of the sixteenth century, in A minor.
  pieces.push_back({"greensleeves", "Greensleeves (traditional)", 80, 3, 0,
                    "C5/2 D5/1 | E5/1.5 F#5/.5 E5/1 | D5/2 B4/1 | G4/1.5 A4/.5 B4/1 |"
                    " C5/2 A4/1 | A4/1.5 G#4/.5 A4/1 | B4/2 G#4/1 | E4/2 A4/1 |"
                    " C5/2 D5/1 | E5/1.5 F#5/.5 E5/1 | D5/2 B4/1 | G4/1.5 A4/.5 B4/1 |"
                    " C5/1.5 B4/.5 A4/1 | G#4/1.5 F#4/.5 G#4/1 | A4/3 | A4/3 |"
                    " G5/3 | G5/1.5 F#5/.5 E5/1 | D5/2 B4/1 | G4/1.5 A4/.5 B4/1 |"
                    " C5/2 A4/1 | A4/1.5 G#4/.5 A4/1 | B4/2 G#4/1 | E4/3 |"
                    " G5/3 | G5/1.5 F#5/.5 E5/1 | D5/2 B4/1 | G4/1.5 A4/.5 B4/1 |"
                    " C5/1.5 B4/.5 A4/1 | G#4/1.5 F#4/.5 G#4/1 | A4/3 | A4/2 A4/1",
                    "A4/1",
                    "Am | C | G | Em | Am | F | E | E | Am | C | G | Em | Am | E | Am | Am |"
                    " C | Em | G | Em | Am | F | E | E | C | Em | G | Em | Am | E | Am | Am",
                    "Am", 32, 49,
                    {{73, 0, 80, kArpeggio, 24, false}, {68, 0, 74, kArpeggio, 46, true}}});

  // Brahms's lullaby (1868), in F major.
  pieces.push_back({"lullaby", "Lullaby (Johannes Brahms)", 66, 3, 5,
                    "G4/2 E4/.5 E4/.5 | G4/2 E4/.5 G4/.5 | C5/1 B4/1.5 A4/.5 | A4/1 G4/1 D4/.5 E4/.5 |"
                    " F4/1 D4/1 D4/.5 E4/.5 | F4/2 D4/.5 F4/.5 | B4/.5 A4/.5 G4/1 B4/1 | C5/2 C4/.5 C4/.5 |"
                    " C5/2 A4/.5 F4/.5 | G4/2 E4/.5 C4/.5 | F4/1 G4/1 A4/1 | G4/2 C4/.5 C4/.5 |"
                    " C5/2 A4/.5 F4/.5 | G4/2 E4/.5 C4/.5 | F4/1 E4/1 D4/1 | C4/2 E4/.5 E4/.5",
                    "E4/.5 E4/.5",
                    "C | C | F/1 G7/2 | Dm/1 G7/2 | G7 | G7 | G7 | C |"
                    " F | C | F | C | F | C | Dm/1 G7/2 | C",
                    "C", 42, 49,
                    {{10, 0, 78, kArpeggio, 46, false},
                     {73, 0, 70, kArpeggio, 46, true},
                     {8, 0, 74, kWaltz, 46, true}}});

  // Our own: "Evening on the river", in D major.
  pieces.push_back({"evening_river", "Evening on the River", 76, 4, 0,
                    "F#4/1.5 A4/.5 D5/2 | C#5/1 B4/1 F#4/2 | G4/1 B4/1 D5/1 B4/1 | A4/3 r/1 |"
                    " F#4/1.5 A4/.5 D5/1.5 E5/.5 | F#5/1 E5/1 D5/1 B4/1 | G4/1 E5/1 C#5/1 A4/1 | D5/3 r/1 |"
                    " B4/1 D5/1 G5/1.5 F#5/.5 | F#5/1 E5/.5 D5/.5 A4/2 | G4/1 B4/1 E5/1.5 D5/.5 |"
                    " C#5/1 B4/.5 A4/.5 E4/2 | D5/1.5 B4/.5 G4/1 B4/1 | A4/1.5 F#4/.5 D5/2 |"
                    " E5/1 G5/1 E5/1 C#5/1 | D5/4",
                    "",
                    "D | Bm | G | A | D | Bm | Em/2 A7/2 | D | G | D | Em | A | G | D | Em/2 A7/2 | D", "D",
                    32, 49,
                    {{73, 0, 78, kArpeggio, 0, false}, {42, -1, 84, kArpeggio, 46, true}}});

  // Our own: "Garden waltz", in G major.
  pieces.push_back({"garden_waltz", "Garden Waltz", 96, 3, 0,
                    "G4/1 B4/1 D5/1 | G5/2 D5/1 | E5/1 G5/1 E5/1 | D5/2 B4/1 |"
                    " A4/1 D5/1 F#5/1 | A5/2 C5/1 | B4/1.5 A4/.5 G4/1 | G4/2 r/1 |"
                    " E5/1 G5/1 B5/1 | B5/2 G5/1 | C5/1 E5/1 G5/1 | G5/2 D5/1 |"
                    " C5/1 E5/1 A5/1 | F#5/1 E5/1 D5/1 | D5/1 B4/1 A4/1 | G4/2 r/1",
                    "",
                    "G | G | C | G | D | D7 | G | G | Em | Em | C | G | Am | D7 | G/2 D7/1 | G", "G", 32, 48,
                    {{21, 0, 64, kWaltz, 0, false},
                     {73, 0, 78, kWaltz, 0, true},
                     {40, 0, 74, kArpeggio, 46, true},
                     {21, 0, 64, kWaltz, 0, false}}});

  // Our own: "Morning in the garden", in F major.
  pieces.push_back({"morning_garden", "Morning in the Garden", 72, 4, 0,
                    "C5/2 A4/1 F4/1 | E4/1 A4/1 C5/2 | D5/1.5 C5/.5 Bb4/1 D5/1 | C5/3 r/1 |"
                    " A4/1 C5/1 F5/1.5 E5/.5 | D5/1.5 E5/.5 F5/1 D5/1 | Bb4/1 G4/1 E5/1 C5/1 | A4/3 r/1 |"
                    " F5/1.5 E5/.5 D5/1 A4/1 | E5/2 C5/1 A4/1 | Bb4/1 D5/1 F5/1 D5/1 | C5/3 r/1 |"
                    " D5/1 Bb4/1 G4/1 Bb4/1 | C5/1.5 D5/.5 E5/1 G5/1 | F5/1 D5/1 E5/1 C5/1 | F5/3 r/1",
                    "",
                    "F | Am | Bb | C | F | Dm | Gm/2 C7/2 | F | Dm | Am | Bb | F | Gm | C | Bb/2 C7/2 | F", "F",
                    32, 89,
                    {{74, 0, 76, kArpeggio, 46, false}, {68, 0, 72, kArpeggio, 0, true}}});

  // The "Ode to Joy" theme of Beethoven's ninth symphony, in D major.
  pieces.push_back({"ode_to_joy", "Ode to Joy (Ludwig van Beethoven)", 84, 4, 0,
                    "F#4/1 F#4/1 G4/1 A4/1 | A4/1 G4/1 F#4/1 E4/1 | D4/1 D4/1 E4/1 F#4/1 | F#4/1.5 E4/.5 E4/2 |"
                    " F#4/1 F#4/1 G4/1 A4/1 | A4/1 G4/1 F#4/1 E4/1 | D4/1 D4/1 E4/1 F#4/1 | E4/1.5 D4/.5 D4/2 |"
                    " E4/1 E4/1 F#4/1 D4/1 | E4/1 F#4/.5 G4/.5 F#4/1 D4/1 | E4/1 F#4/.5 G4/.5 F#4/1 E4/1 |"
                    " D4/1 E4/1 A3/2 | F#4/1 F#4/1 G4/1 A4/1 | A4/1 G4/1 F#4/1 E4/1 | D4/1 D4/1 E4/1 F#4/1 |"
                    " E4/1.5 D4/.5 D4/2",
                    "",
                    "D | A7 | D | A | D | A7 | D | A7/2 D/2 | A/2 D/2 | A/2 D/2 | A/2 D/1 A/1 | D/1 E7/1 A/2 |"
                    " D | A7 | D | A7/2 D/2",
                    "D", 32, 49,
                    {{60, 0, 80, kGuitar, 0, true}, {73, 1, 74, kArpeggio, 46, false}, {40, 1, 70, kArpeggio, 0, true}}});

  return pieces;
}

}  // namespace

const std::vector<Piece>& GamePieces() {
  static const std::vector<Piece> pieces = MakePieces();
  return pieces;
}

}  // namespace tavlero::music
