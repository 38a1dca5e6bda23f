// Builds the endgame table of kind 0 by retrograde analysis: every position of two or
// three pieces with both sides present, solved exactly under kind 0's own rules (a
// side to move without a move has lost, a side without pieces has lost, promotion
// ends a move).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavlero {

struct EndgameRecord {
  std::int32_t key;    // MakeEndgameKey of the position, side to move first
  std::int32_t score;  // kWinScore - plies to the win, plies to the loss - kWinScore, or 0
};

// Every solved position once, sorted by key.
std::vector<EndgameRecord> BuildEndgameRecords();

// Writes the records as 8-byte little-endian (key, score) pairs. False on any failure.
bool WriteEndgameFile(const std::string& fileName, const std::vector<EndgameRecord>& records);

// Plies to the end of a stored score (0 for a draw) and its outcome: +1 the side to
// move wins, -1 it loses, 0 a draw.
int EndgameOutcome(std::int32_t score);
int EndgamePlies(std::int32_t score);

}  // namespace tavlero
