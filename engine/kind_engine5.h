// KindEngine5: kind 0's moves with the goal inverted: the side that loses all its
// pieces wins.
#pragma once

#include "engine/search_engine.h"

namespace tavlero {

class KindEngine5 : public SearchEngine {
 public:
  KindEngine5();

  int GenerateSuccessors() override;
  int Evaluate(bool& terminal) override;
  void SetStartPosition() override;
};

}  // namespace tavlero
