// KindEngine3: draughts on the dark squares; men capture backwards too, kings fly
// along the diagonals.
#pragma once

#include "engine/search_engine.h"

namespace tavlero {

class KindEngine3 : public SearchEngine {
 public:
  KindEngine3();

  int GenerateSuccessors() override;
  int Evaluate(bool& terminal) override;
  void SetStartPosition() override;
};

}  // namespace tavlero
