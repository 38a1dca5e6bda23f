// The player of the game's nine short effects, addressed by slot number. Game code
// plays effects only through this interface; the program installs the player it has
// (OSound over the SDL back end; a silent one until then), tests install one that records.
#pragma once

#include <string>

namespace tavlero {

// Effect slots.
namespace effect {
constexpr int kClick = 0;        // a control was clicked
constexpr int kLanded = 1;       // a piece, disc or stone set down; a move landed
constexpr int kPickedUp = 2;     // a piece picked up
constexpr int kDice = 3;         // the dice are thrown
constexpr int kNewGame = 4;      // a new game starts
constexpr int kComputerWon = 5;  // the computer beat the one human
constexpr int kStone = 6;        // a five-in-a-row stone is placed
constexpr int kRefused = 7;      // a click that does nothing
constexpr int kPlayerWon = 8;    // a player won
constexpr int kCount = 9;
}  // namespace effect

class EffectsPlayer {
 public:
  static constexpr int kFullVolume = 65535;

  virtual ~EffectsPlayer() = default;
  // Loads effect `id` from a wave file; false when the player cannot use it (the
  // silent player keeps no sounds).
  virtual bool LoadEffect(int /*id*/, const std::string& /*path*/) { return false; }
  // Plays effect `id`; restart cuts a playing copy short and starts it again, without
  // restart a playing copy is left alone. Nothing while disabled.
  virtual void Play(int id, bool restart) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // 0 ... 65535.
  virtual void SetVolume(int volume) = 0;
  virtual int Volume() const = 0;
};

// Keeps the switch and the volume and makes no sound.
class SilentEffectsPlayer : public EffectsPlayer {
 public:
  void Play(int, bool) override {}
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetVolume(int volume) override { volume_ = volume; }
  int Volume() const override { return volume_; }

 private:
  bool enabled_ = true;
  int volume_ = 32768;
};

// Loads the game's nine effects "wav/i0.wav" ... "wav/i8.wav" (relative to the working
// folder) into slots 0 ... 8 of `player`; returns how many loaded.
int LoadGameEffects(EffectsPlayer& player);

// The player the program uses now; never null (a silent one until another is installed).
EffectsPlayer& Effects();
// Installs `player` (null: the silent one again). The caller keeps ownership.
void InstallEffectsPlayer(EffectsPlayer* player);

}  // namespace tavlero
