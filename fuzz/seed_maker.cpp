// fuzz_seed_maker DATA_DIR OUT_DIR: makes the fuzzers' seed corpora from the game's own
// data and from games the computer plays against itself, one folder per target under
// OUT_DIR. Inputs are cut to what the fuzzers take (see run-fuzzers.sh's lengths).
//
//   settings_text, options_file, score_table   plain texts the game writes
//   saved_game           saved games' texts after a byte naming their kind
//   sealed_envelope      those texts and pieces of the help document, sealed, after a
//                        byte naming their key
//   help_document        pieces of the help document (cfg/help.dat, unsealed) after a
//                        byte naming their form
//   markup_text          the same pieces after a byte that picks the box's width
//   picture_container    the smaller containers of clp/
//   jpeg_frame           the JPEG streams inside the containers' frames
//   endgame_table        records of cfg/endgames.dat, the first ones and a spread
//   wave_file            the beginnings of wav/i*.wav
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/dice_engine.h"
#include "engine/fast_search.h"
#include "engine/kind_engines.h"
#include "fuzz_support.h"
#include "game/dice_rules.h"
#include "game/game_end.h"
#include "game/game_history.h"
#include "game/opening.h"
#include "gfx/jpeg_codec.h"
#include "gfx/picture_container_format.h"
#include "gfx/picture_container_writer.h"
#include "platform/random.h"
#include "store/block_cipher.h"
#include "store/file_bytes.h"
#include "store/game_options.h"
#include "store/sealed_file.h"
#include "ui/help_window.h"

namespace {

using namespace tavlero;
namespace fs = std::filesystem;

constexpr std::size_t kHelpPiece = 3000;     // below the help fuzzer's 4096 bytes
constexpr std::size_t kMarkupPiece = 1500;   // below the markup fuzzer's 2048 bytes
constexpr std::size_t kFileLimit = 16384;    // containers and JPEG streams
constexpr std::size_t kWaveHead = 4096;
constexpr std::size_t kEndgameRecords = 400;
constexpr int kMovesPerGame = 8;

class SeedWriter {
 public:
  explicit SeedWriter(fs::path out) : out_(std::move(out)) {}

  void Write(const std::string& target, const std::string& name, std::string_view bytes) {
    const fs::path folder = out_ / target;
    fs::create_directories(folder);
    if (!WriteFileBytes((folder / name).string(), bytes)) {
      std::fprintf(stderr, "fuzz_seed_maker: cannot write %s\n", (folder / name).c_str());
      failed = true;
    }
    ++written;
  }

  bool failed = false;
  int written = 0;

 private:
  fs::path out_;
};

// The sealed-envelope fuzzer's first byte picks the key: 0 options, 1 saved games,
// 2 help document, 3 picture chunks.
std::string Keyed(int key, const std::string& sealed) { return std::string(1, static_cast<char>(key)) + sealed; }

std::string ReadOrEmpty(const fs::path& path) {
  std::string bytes;
  ReadFileBytes(path.string(), bytes);
  return bytes;
}

// A board game the computer plays against itself for a few moves, as its saved game.
std::string BoardGameText(int kind) {
  GameHistory history;
  history.Clear();
  std::unique_ptr<SearchEngine> engine = StartKindEngine(kind);
  SeedRand(static_cast<std::uint32_t>(100 + kind));
  int number = 0;
  if (ApplyBoardOpening(kind, *engine, true, false)) history.Store(++number, *engine);
  for (int move = 0; move < kMovesPerGame; ++move) {
    if (CheckGameEnd(kind, *engine, true).over) break;
    FastThink(*engine, 2);
    engine->ClearSuccessors();
    history.Store(++number, *engine);
  }
  history.Tree().SetInt("PosNum", number);
  return history.Tree().ToText();
}

std::string DiceGameText() {
  GameHistory history;
  history.Clear();
  DiceEngine position;
  position.SetStartPosition();
  SeedRand(108);
  int number = 0;
  for (int turn = 0; turn < kMovesPerGame; ++turn) {
    StartDiceTurn(position, ThrowDice());
    position.Think();
    history.Store(++number, position);
  }
  // The last position waits within a turn: dice thrown, nothing moved yet.
  StartDiceTurn(position, ThrowDice());
  history.Store(++number, position);
  history.Tree().SetInt("PosNum", number);
  return history.Tree().ToText();
}

// The options file's text for a few option sets, read back through the sealed file the
// game writes.
std::vector<std::string> OptionsTexts(const fs::path& scratch) {
  std::vector<std::string> texts;
  for (int variant = 0; variant < 3; ++variant) {
    GameOptions options;
    options.autosave = variant > 0;
    options.gameKind = variant * 4;
    options.level = variant;
    options.twoPlayers = variant == 2;
    options.playerName = variant == 1 ? "\xC8\xE3\xF0\xEE\xEA" : "";
    for (int record = 0; record < variant * 6; ++record) {
      options.scores.Add({variant == 1 ? "\xC0\xED\xEE\xED\xE8\xEC" : "Player", "kind " + std::to_string(record % 3),
                          "level " + std::to_string(record % 2), record * 37 - 50});
    }
    const std::string path = (scratch / "board.dat").string();
    std::string text;
    if (SaveGameOptions(path, options) && LoadSealedFile(path, text, kOptionsKey)) texts.push_back(text);
  }
  return texts;
}

// The help document cut into pieces of at most `size` bytes that end after a line break
// tag where there is one.
std::vector<std::string> HelpPieces(const std::string& text, std::size_t size) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start < text.size() && pieces.size() < 8) {
    std::size_t end = std::min(text.size(), start + size);
    const std::size_t tag = text.rfind("<br>", end);
    if (end < text.size() && tag != std::string::npos && tag > start) end = tag + 4;
    pieces.push_back(text.substr(start, end - start));
    start = end;
  }
  return pieces;
}

// The JPEG streams of a container's frames, deciphered; stops at anything unexpected.
void CollectJpegStreams(const std::string& file, std::vector<std::string>& streams) {
  auto intAt = [&](std::size_t at, std::int32_t& value) {
    if (at + 4 > file.size()) return false;
    value = static_cast<std::int32_t>(static_cast<std::uint8_t>(file[at]) | static_cast<std::uint8_t>(file[at + 1]) << 8 |
                                      static_cast<std::uint8_t>(file[at + 2]) << 16 |
                                      static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at + 3])) << 24);
    return true;
  };
  std::int32_t frames = 0;
  if (file.size() < clp::kHeaderSize || !intAt(12, frames)) return;
  std::size_t at = clp::kHeaderSize;
  for (std::int32_t i = 0; i < frames && i < clp::kMaxFrames; ++i) {
    std::int32_t width = 0, height = 0, type = 0;
    if (!intAt(at, width) || !intAt(at + 4, height) || !intAt(at + 8, type) || width <= 0 || height <= 0) return;
    at += clp::kFrameHeaderSize;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (clp::IsJpegType(type)) {
      std::int32_t plain = 0, stored = 0;
      if (!intAt(at, plain) || !intAt(at + 4, stored) || stored < 0) return;
      at += clp::kChunkHeaderSize;
      if (at + static_cast<std::size_t>(stored) > file.size()) return;
      std::vector<char> stream(static_cast<std::size_t>(stored) + 10);
      const std::ptrdiff_t length = DecipherBuffer(file.data() + at, stored, stream.data(),
                                                   static_cast<std::ptrdiff_t>(stream.size()), clp::kChunkKey);
      if (length > 0 && length == plain && static_cast<std::size_t>(length) <= kFileLimit) {
        streams.emplace_back(stream.data(), static_cast<std::size_t>(length));
      }
      at += static_cast<std::size_t>(stored);
    } else {
      at += pixels * 3;
    }
    if (clp::HasAlphaPlane(type)) at += pixels;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz_seed_maker DATA_DIR OUT_DIR\n");
    return 2;
  }
  const fs::path data = argv[1];
  SeedWriter seeds(argv[2]);
  const fs::path scratch = fuzz::ScratchFolder();

  // Options, their score tables and the settings texts.
  const std::vector<std::string> options = OptionsTexts(scratch);
  for (std::size_t i = 0; i < options.size(); ++i) {
    const std::string name = "options" + std::to_string(i);
    seeds.Write("options_file", name, options[i]);
    seeds.Write("settings_text", name, options[i]);
    seeds.Write("sealed_envelope", name, Keyed(0, SealBytes(options[i], kOptionsKey)));
    OSettingsTree tree;
    tree.LoadText(options[i]);
    const std::string table = tree.GetString("Game.Scores.Table");
    if (!table.empty()) seeds.Write("score_table", "table" + std::to_string(i), table);
  }
  seeds.Write("settings_text", "grid-and-comments",
              "// hand-written\nBoard = {\n\tGrid = { [ab] , [cd] // rows\n\t}\n\tName=\"a \\\"b\\\"\\t\\\\\"\n"
              "\tList=[1,-2,3]\n\tBare=0x1F\n}\n");

  // Saved games of every kind.
  for (int kind = 0; kind <= 8; ++kind) {
    const std::string text = kind < kBoardKindCount ? BoardGameText(kind) : DiceGameText();
    const std::string name = "game" + std::to_string(kind);
    // The saved-game fuzzer's first byte picks the kind whose engine loads the game.
    seeds.Write("saved_game", name, std::string(1, static_cast<char>(kind)) + text);
    seeds.Write("settings_text", name, text);
    seeds.Write("sealed_envelope", name, Keyed(1, SealBytes(text, kSavedGameKey)));
  }

  // The help document.
  std::string help;
  if (!LoadSealedFile((data / kHelpFileName).string(), help, kHelpKey)) {
    std::fprintf(stderr, "fuzz_seed_maker: cannot unseal %s\n", (data / kHelpFileName).c_str());
    seeds.failed = true;
  }
  const std::vector<std::string> pieces = HelpPieces(help, kHelpPiece);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const std::string name = "help" + std::to_string(i);
    // The help fuzzer's first byte picks the form: 0 sealed document, 1 plain file.
    seeds.Write("help_document", name, std::string(1, static_cast<char>(i % 2)) + pieces[i]);
    if (i < 2) seeds.Write("sealed_envelope", name, Keyed(2, SealBytes(pieces[i], kHelpKey)));
  }
  const std::vector<std::string> shortPieces = HelpPieces(help, kMarkupPiece);
  for (std::size_t i = 0; i < shortPieces.size(); ++i) {
    // The markup fuzzer's first byte picks the box: widths of about 300, 420 and 520.
    const char width = static_cast<char>(150 + 60 * static_cast<int>(i % 3));
    seeds.Write("markup_text", "help" + std::to_string(i), std::string(1, width) + shortPieces[i]);
  }

  // Pictures: a tiny container made here with two sequences, one of which shows a frame
  // twice; the smaller containers whole; and the JPEG streams of all of them.
  std::vector<std::uint8_t> tinyJpeg;
  std::vector<std::uint8_t> gradient(8 * 8 * 3);
  for (std::size_t i = 0; i < gradient.size(); ++i) gradient[i] = static_cast<std::uint8_t>(i * 5);
  if (EncodeJpegFromBgr(gradient.data(), 8, 8, 50, tinyJpeg)) {
    seeds.Write("jpeg_frame", "tiny-8x8", std::string_view(reinterpret_cast<const char*>(tinyJpeg.data()), tinyJpeg.size()));
  }
  PictureContainer tiny;
  const int raw = tiny.AddFrame(PictureFrame::Raw(3, 2, std::vector<std::uint8_t>(18, 0x40), {0, 128, 255, 0, 10, 20}));
  const int jpeg = tiny.AddFrame(PictureFrame::Jpeg(8, 8, gradient));
  tiny.AddSequence() = {{.frame = raw, .colourKey = 0xFFFFFF}, {.offsetX = 2, .frame = raw, .command = 3, .argument1 = 0}};
  tiny.AddSequence() = {{.offsetY = -1, .frame = jpeg, .colourKey = clp::kKeyFromTopLeft, .command = 1}};
  std::vector<std::uint8_t> tinyBytes;
  std::string error;
  if (EncodePictureContainer(tiny, tinyBytes, error)) {
    seeds.Write("picture_container", "tiny-sequences",
                std::string_view(reinterpret_cast<const char*>(tinyBytes.data()), tinyBytes.size()));
  }

  std::vector<std::string> streams;
  std::vector<fs::path> containers;
  for (const fs::directory_entry& entry : fs::directory_iterator(data / "clp")) containers.push_back(entry.path());
  std::sort(containers.begin(), containers.end());
  for (const fs::path& path : containers) {
    const std::string file = ReadOrEmpty(path);
    if (file.size() <= kFileLimit) seeds.Write("picture_container", path.filename().string(), file);
    CollectJpegStreams(file, streams);
  }
  for (std::size_t i = 0; i < streams.size() && i < 24; ++i) {
    seeds.Write("jpeg_frame", "frame" + std::to_string(i), streams[i]);
  }
  if (!streams.empty()) {
    // A frame's chunk as the container stores it (the smallest frame's).
    const std::string& stream = *std::min_element(
        streams.begin(), streams.end(), [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    std::string chunk(static_cast<std::size_t>(SealedCipherLength(static_cast<std::ptrdiff_t>(stream.size()))), '\0');
    EncipherBuffer(stream.data(), static_cast<std::ptrdiff_t>(stream.size()), chunk.data(),
                   static_cast<std::ptrdiff_t>(chunk.size()), clp::kChunkKey);
    seeds.Write("sealed_envelope", "chunk", Keyed(3, chunk));
  }

  // The endgame table: its first records and records spread over the whole file.
  const std::string endgames = ReadOrEmpty(data / "cfg" / "endgames.dat");
  const std::size_t records = endgames.size() / 8;
  if (records > 0) {
    seeds.Write("endgame_table", "first", endgames.substr(0, std::min(records, kEndgameRecords) * 8));
    std::string spread;
    const std::size_t step = std::max<std::size_t>(1, records / kEndgameRecords);
    for (std::size_t r = 0; r < records && spread.size() < kEndgameRecords * 8; r += step) {
      spread += endgames.substr(r * 8, 8);
    }
    seeds.Write("endgame_table", "spread", spread);
  }

  // The effect sounds' beginnings; a data chunk longer than the file gives what is there.
  for (int id = 0; id <= 8; ++id) {
    const std::string wave = ReadOrEmpty(data / "wav" / ("i" + std::to_string(id) + ".wav"));
    if (!wave.empty()) seeds.Write("wave_file", "i" + std::to_string(id), wave.substr(0, kWaveHead));
  }

  std::printf("%d seeds written to %s\n", seeds.written, argv[2]);
  return seeds.failed ? 1 : 0;
}
