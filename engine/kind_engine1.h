// KindEngine1: the disc game on all 64 squares of an 8 x 8 board. A side without a
// placement has no successors (there is no pass move in the tree).
#pragma once

#include "engine/search_engine.h"

namespace tavlero {

class KindEngine1 : public SearchEngine {
 public:
  KindEngine1() = default;

  int GenerateSuccessors() override;
  int Evaluate(bool& terminal) override;
  void SetStartPosition() override;
};

}  // namespace tavlero
