// KindEngine4: the connection game on an 11 x 11 rhombus of hexagonal cells. Every
// empty cell is a move; the evaluation measures how far each side is from joining
// its two edges.
#pragma once

#include "engine/search_engine.h"

namespace tavlero {

class KindEngine4 : public SearchEngine {
 public:
  KindEngine4() = default;

  int GenerateSuccessors() override;
  int Evaluate(bool& terminal) override;
  void SetStartPosition() override;
};

}  // namespace tavlero
