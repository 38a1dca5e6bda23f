// KindEngine0: draughts on the dark squares; men move and capture forwards only,
// kings move one square. Knows the exact value of the smallest endings from the
// endgame table.
#pragma once

#include <memory>
#include <string>

#include "engine/endgame_table.h"
#include "engine/search_engine.h"

namespace tavlero {

class KindEngine0 : public SearchEngine {
 public:
  KindEngine0();

  int GenerateSuccessors() override;
  int Evaluate(bool& terminal) override;
  void SetStartPosition() override;
  // Adds the records of an endgame file to this engine's table (shared with every
  // node it creates). False when the file cannot be opened.
  bool LoadEndgameTable(const std::string& fileName);
  // Uses a table already loaded (shared, never copied) in place of this engine's own.
  void ShareEndgameTable(std::shared_ptr<EndgameTable> table) { endgames_ = std::move(table); }
  const EndgameTable& Endgames() const;

 private:
  std::shared_ptr<EndgameTable> endgames_;
};

}  // namespace tavlero
