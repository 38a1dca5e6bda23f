#include "effects.h"

#include <cmath>

namespace tavlero::sounds {

namespace {

double NoteHz(int midiKey) { return 440.0 * std::pow(2.0, (midiKey - 69) / 12.0); }

// 0: a control clicked: a short, dry tick of a small key.
Signal ButtonClick() {
  Signal signal(0.06);
  AddStrike(signal, 0, 1800, {{1.0, 1.0, 0.006}, {2.3, 0.45, 0.004}, {0.5, 0.35, 0.012}}, 1.0);
  AddNoise(signal, {0, 0.01, 2000, 9000, 0.35, 0.0002, 0.0015, 11});
  Finish(signal, -7);
  return signal;
}

// The body of a wooden piece meeting a wooden board.
const std::vector<Partial> kWoodKnock = {
    {1.0, 1.0, 0.030}, {2.71, 0.55, 0.018}, {5.1, 0.30, 0.009}, {8.3, 0.15, 0.005}};

// 1: a piece set down, a move landing: a warm wooden knock.
Signal PieceSetDown() {
  Signal signal(0.22);
  AddStrike(signal, 0, 240, kWoodKnock, 1.0);
  AddStrike(signal, 0, 95, {{1.0, 0.5, 0.045}}, 1.0);  // the board's thump
  AddNoise(signal, {0, 0.02, 300, 3500, 0.45, 0.0003, 0.004, 21});
  Finish(signal, -3);
  return signal;
}

// 2: a piece picked up: a light lift off the board with a faint brush of the fingers.
Signal PiecePickedUp() {
  Signal signal(0.14);
  AddStrike(signal, 0.005, 620, {{1.0, 1.0, 0.012}, {2.4, 0.4, 0.007}, {4.6, 0.2, 0.004}}, 0.9);
  AddNoise(signal, {0, 0.12, 1500, 6000, 0.25, 0.03, 0.03, 31});
  Finish(signal, -8);
  return signal;
}

// 3: dice rolling on a board: knocks that come closer together and softer as the two
// dice settle, over a low rumble.
Signal DiceRolling() {
  Signal signal(0.95);
  std::uint32_t state = 41;
  double t = 0.0, gap = 0.11, level = 1.0;
  for (int hit = 0; hit < 14 && t < 0.78; ++hit) {
    const double pitch = 1400 + 900 * NextUnit(state);
    AddStrike(signal, t, pitch, {{1.0, 1.0, 0.006}, {1.9, 0.5, 0.004}, {3.2, 0.25, 0.003}}, 0.55 * level);
    AddStrike(signal, t, 260 + 60 * NextUnit(state), kWoodKnock, 0.35 * level);
    // The second die lands a moment after the first.
    if (hit % 2 == 0) {
      AddStrike(signal, t + 0.018, pitch * 1.13, {{1.0, 1.0, 0.005}, {2.2, 0.4, 0.003}}, 0.35 * level);
    }
    t += gap * (0.8 + 0.4 * NextUnit(state));
    gap *= 0.86;
    level *= 0.87;
  }
  AddNoise(signal, {0, 0.85, 120, 1500, 0.12, 0.03, 0.35, 43});
  Finish(signal, -3, 0.05);
  return signal;
}

// A soft bell: a sine with a few quiet overtones.
Tone Bell(double start, int key, double length, double amplitude) {
  Tone tone;
  tone.start = start;
  tone.length = length;
  tone.fromHz = tone.toHz = NoteHz(key);
  tone.harmonics = {1.0, 0.25, 0.12, 0.04};
  tone.amplitude = amplitude;
  tone.attack = 0.006;
  tone.decay = 0.28;
  return tone;
}

// 4: a new game: a bright rising arpeggio, C E G C.
Signal NewGame() {
  Signal signal(0.9);
  const int keys[] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) AddTone(signal, Bell(0.085 * i, keys[i], 0.9 - 0.085 * i, i == 3 ? 0.9 : 0.7));
  Finish(signal, -4, 0.08);
  return signal;
}

// A mellow, flute-like voice.
Tone Mellow(double start, int key, double length, double amplitude) {
  Tone tone;
  tone.start = start;
  tone.length = length;
  tone.fromHz = tone.toHz = NoteHz(key);
  tone.harmonics = {1.0, 0.3, 0.1};
  tone.amplitude = amplitude;
  tone.attack = 0.03;
  tone.decay = 0.6;
  return tone;
}

// 5: the computer won: a gentle falling minor figure, G E-flat C, the last note held
// with a slight vibrato, more consoling than mocking.
Signal ComputerWon() {
  Signal signal(1.35);
  AddTone(signal, Mellow(0.0, 67, 0.34, 0.8));
  AddTone(signal, Mellow(0.28, 63, 0.34, 0.75));
  Tone last = Mellow(0.56, 60, 0.79, 0.85);
  last.decay = 0.45;
  last.vibratoHz = 5;
  last.vibratoDepth = 0.004;
  AddTone(signal, last);
  Tone under = Mellow(0.56, 48, 0.79, 0.3);  // the octave below, for warmth
  under.decay = 0.45;
  AddTone(signal, under);
  Finish(signal, -5, 0.1);
  return signal;
}

// 6: a stone set on the five-in-a-row board: a crisp, high clack of stone on wood.
Signal StonePlaced() {
  Signal signal(0.16);
  AddStrike(signal, 0, 1850, {{1.0, 1.0, 0.014}, {1.72, 0.6, 0.009}, {2.85, 0.35, 0.005}}, 1.0);
  AddStrike(signal, 0, 210, {{1.0, 0.5, 0.03}, {2.7, 0.2, 0.015}}, 1.0);  // the board under it
  AddNoise(signal, {0, 0.01, 1500, 10000, 0.5, 0.0002, 0.0015, 61});
  Finish(signal, -4);
  return signal;
}

// 7: a refused click: a soft, low, muted "bup" that drops a little in pitch.
Signal RefusedClick() {
  Signal signal(0.2);
  Tone tone;
  tone.length = 0.19;
  tone.fromHz = 262;
  tone.toHz = 208;
  tone.harmonics = {1.0, 0.2};
  tone.attack = 0.012;
  tone.decay = 0.07;
  AddTone(signal, tone);
  Finish(signal, -10);
  return signal;
}

// A bright brass-like voice: many harmonics falling off gently.
Tone Brass(double start, int key, double length, double amplitude, double decay) {
  Tone tone;
  tone.start = start;
  tone.length = length;
  tone.fromHz = tone.toHz = NoteHz(key);
  tone.harmonics = {1.0, 0.7, 0.5, 0.35, 0.25, 0.16, 0.1, 0.06};
  tone.amplitude = amplitude;
  tone.attack = 0.02;
  tone.decay = decay;
  return tone;
}

// 8: a player won: a short fanfare, G C E rising to a held G over a C major chord.
Signal PlayerWon() {
  Signal signal(1.7);
  AddTone(signal, Brass(0.00, 67, 0.13, 0.6, 0.5));
  AddTone(signal, Brass(0.13, 72, 0.13, 0.6, 0.5));
  AddTone(signal, Brass(0.26, 76, 0.13, 0.6, 0.5));
  Tone top = Brass(0.39, 79, 1.3, 0.7, 0.8);
  top.vibratoHz = 5.5;
  top.vibratoDepth = 0.003;
  AddTone(signal, top);
  for (int key : {60, 64, 67}) AddTone(signal, Brass(0.39, key, 1.3, 0.3, 0.7));
  Finish(signal, -3, 0.15);
  return signal;
}

const EffectRecipe kRecipes[] = {
    {"button click", ButtonClick},
    {"piece set down (wooden knock)", PieceSetDown},
    {"piece picked up", PiecePickedUp},
    {"dice rolling", DiceRolling},
    {"new game (rising arpeggio)", NewGame},
    {"computer won (falling minor figure)", ComputerWon},
    {"stone placed (five in a row)", StonePlaced},
    {"refused click (soft low tone)", RefusedClick},
    {"player won (fanfare)", PlayerWon},
};

}  // namespace

const EffectRecipe* EffectRecipes(int& count) {
  count = static_cast<int>(std::size(kRecipes));
  return kRecipes;
}

}  // namespace tavlero::sounds
