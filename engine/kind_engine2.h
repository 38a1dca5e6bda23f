// KindEngine2: five-in-a-row on a 14 x 14 board. The engine places stones only on
// empty points next to a stone already on the board (a human may place anywhere).
#pragma once

#include "engine/search_engine.h"

namespace tavlero {

class KindEngine2 : public SearchEngine {
 public:
  KindEngine2() = default;

  int GenerateSuccessors() override;
  int Evaluate(bool& terminal) override;
  void SetStartPosition() override;
};

}  // namespace tavlero
