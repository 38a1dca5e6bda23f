// KindEngine6: kind 3's moves with the goal inverted: the side that loses all its
// pieces wins.
#pragma once

#include "engine/search_engine.h"

namespace tavlero {

class KindEngine6 : public SearchEngine {
 public:
  KindEngine6();

  int GenerateSuccessors() override;
  int Evaluate(bool& terminal) override;
  void SetStartPosition() override;
};

}  // namespace tavlero
