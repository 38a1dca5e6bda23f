// The score table: records of a score and three text fields, ordered by score
// (ascending; equal scores keep the order they were added in), with a count per group
// (the pair of the second and third field). Its text form keeps at most ten records
// per group, the highest scores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavlero {

struct ScoreRecord {
  std::string first, second, third;
  std::int32_t score = 0;
};

class ScoreTable {
 public:
  void Add(const ScoreRecord& record);
  void Clear();
  const std::vector<ScoreRecord>& Records() const { return records_; }
  // One line a record, "first\tsecond\tthird\tscore\n", highest score first (equal
  // scores in the order they were added), at most ten per group.
  std::string ToText() const;
  // Adds the records of a text; lines without exactly three tabs add nothing.
  void AddFromText(std::string_view text);

 private:
  std::vector<ScoreRecord> records_;
};

}  // namespace tavlero
