#include <string>

#include "sound/effects_player.h"

namespace tavlero {

int LoadGameEffects(EffectsPlayer& player) {
  int loaded = 0;
  for (int id = 0; id < effect::kCount; ++id) {
    if (player.LoadEffect(id, "wav/i" + std::to_string(id) + ".wav")) ++loaded;
  }
  return loaded;
}

}  // namespace tavlero
