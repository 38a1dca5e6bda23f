// KindEngine7: orthogonal draughts on all 64 squares, 16 men a side, flying kings.
#pragma once

#include "engine/search_engine.h"

namespace tavlero {

class KindEngine7 : public SearchEngine {
 public:
  KindEngine7();

  int GenerateSuccessors() override;
  int Evaluate(bool& terminal) override;
  void SetStartPosition() override;
};

}  // namespace tavlero
