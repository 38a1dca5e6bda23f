// The score table's text (the string kept under "Game.Scores.Table"): any bytes add
// records without harm, and the table's own text is a fixed point: read back and
// written again, it comes out the same.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "store/score_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavlero::ScoreTable table;
  table.AddFromText(tavlero::fuzz::AsText(data, size));
  const std::string text = table.ToText();

  tavlero::ScoreTable back;
  back.AddFromText(text);
  tavlero::fuzz::Require(back.ToText() == text, "the table's text does not read back as itself");
  for (std::size_t i = 1; i < back.Records().size(); ++i) {
    tavlero::fuzz::Require(back.Records()[i - 1].score <= back.Records()[i].score, "records out of score order");
  }
  return 0;
}
