// The recipes of the game's nine effects, by slot number.
#pragma once

#include <string>

#include "synth.h"

namespace tavlero::sounds {

struct EffectRecipe {
  const char* name;  // what the effect is, for the listing
  Signal (*make)();
};

// Slots 0 ... 8 in order.
const EffectRecipe* EffectRecipes(int& count);

}  // namespace tavlero::sounds
