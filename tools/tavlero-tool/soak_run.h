// The soak: the real program, on the scripted desktop in a working folder of its own,
// watched through the board screen's demonstration of one kind for many frames while
// a random player clicks and types into whatever screen is up (the board, the panel,
// the dialogs, the help window), plays the human's side now and then, takes moves
// back and starts the demonstration again. Every event and tick is followed by the
// checks of SoakChecker; the run stops at the first broken rule.
#pragma once

#include <cstdint>
#include <string>

namespace tavlero::tool {

struct SoakSettings {
  int kind = 0;
  long frames = 0;
  std::uint32_t seed = 1;
  // A fault put into the running program halfway through, so that a test can see the
  // checks catch it: "" none, "mirror" (a piece drawn off its cell), "history" (a
  // number without a stored position), "rules" (a piece taken off without a move).
  std::string fault;
};

struct SoakOutcome {
  std::string setupError;  // the program could not be started; nothing ran
  long frames = 0;         // frames run, the one that broke a rule included
  long moves = 0;
  long games = 0;
  int restarts = 0;    // times the program was closed by its input and started again
  std::string broken;  // the first broken rule; empty when none broke
};

SoakOutcome RunSoak(const SoakSettings& settings);

}  // namespace tavlero::tool
