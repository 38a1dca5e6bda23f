// The pictures of the game: one builder per container file, the shared materials of
// the set, and the catalogue that names every file the game loads.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "canvas.h"
#include "gfx/picture_container_writer.h"

namespace gen_pictures {

using Picture = tavlero::PictureContainer;

// Animation commands written into the entries.
inline constexpr int kAdvance = 0;  // a single-frame picture
inline constexpr int kStop = 1;     // frames chosen by the program stay put

// A single frame in one sequence.
Picture OneFrame(Look look);
// One sequence of frames; every frame stops the animation, so the frame the program
// selects stays on screen.
Picture FrameSet(std::vector<Look> looks);
// One sub-sprite per state, each with the same number of frames (all stopped).
Picture StateSet(std::vector<std::vector<Look>> states);
// Places all frames side by side in one shared sheet.
void ShareSheet(Picture& picture);

struct PictureFile {
  std::string name;  // below clp/
  std::function<Picture()> build;
};
std::vector<PictureFile> Catalogue();

// ---- palette --------------------------------------------------------------------

namespace palette {
inline constexpr Colour kWalnut = Hex(0x5A3620);
inline constexpr Colour kWalnutGrain = Hex(0x2A160B);
inline constexpr Colour kDarkWalnut = Hex(0x3A2214);
inline constexpr Colour kMaple = Hex(0xE6C48E);
inline constexpr Colour kMapleGrain = Hex(0xB98B52);
inline constexpr Colour kBoardDark = Hex(0x7B4A28);
inline constexpr Colour kBoardDarkGrain = Hex(0x4A2814);
inline constexpr Colour kCream = Hex(0xF8EBC8);
inline constexpr Colour kGold = Hex(0xE8C766);
inline constexpr Colour kBurgundy = Hex(0x7A2219);
inline constexpr Colour kBurgundyDark = Hex(0x4C120D);
// The dialogs' text boxes draw on this colour with this ink.
inline constexpr Colour kDialogFace = Hex(0xD28031);
inline constexpr Colour kDialogInk = Hex(0x640B00);
inline constexpr Colour kParchment = Hex(0xF3E6C6);
inline constexpr Colour kEbony = Hex(0x2B1B16);
inline constexpr Colour kIvory = Hex(0xF2E6CC);
inline constexpr Colour kRed = Hex(0xC23A2B);
inline constexpr Colour kBlue = Hex(0x2F6CC9);
}  // namespace palette

inline const Font kLabelFont{"Liberation Sans", 15, true, false};
inline const Font kTitleFont{"Liberation Serif", 24, true, false};
inline const Font kSerifFont{"Liberation Serif", 16, true, false};

// ---- shared drawing -------------------------------------------------------------

// Sides: +1 plays the dark pieces from the top, -1 the light pieces from the bottom.
enum class Side { kDark, kLight };

// A draughts man (or king with a crown) of radius r centred at (cx, cy).
void DrawMan(cairo_t* cr, double cx, double cy, double r, Side side, bool king);
// A disc of the disc-flipping game.
void DrawDisc(cairo_t* cr, double cx, double cy, double r, Side side);
// A polished stone of the five-in-a-row game.
void DrawStone(cairo_t* cr, double cx, double cy, double r, Side side);
// A glass bead of the connection game: red for side +1, blue for side -1.
void DrawBead(cairo_t* cr, double cx, double cy, double r, const Colour& colour);
// A die showing `face` (1 ... 6) in a square of side `size` with its top-left at (x, y).
void DrawDie(cairo_t* cr, double x, double y, double size, int face, const Colour& body, const Colour& pips);
// A crown emblem of width w centred at (cx, cy).
void DrawCrown(cairo_t* cr, double cx, double cy, double w, const Colour& colour);

// A plaque of the panel and the dialogs: brass rim around a burgundy leather face.
enum class ButtonState { kNormal, kPressed, kHover };
void DrawButtonFace(cairo_t* cr, double x, double y, double w, double h, double radius, ButtonState state);
Colour ButtonInk(ButtonState state);

// The names of the nine game kinds and of the three levels, as the lists show them.
extern const char* const kKindNames[9];
extern const char* const kLevelNames[3];

// Miniature of the board of game kind `kind` inside the square (x, y, size).
void DrawKindIcon(cairo_t* cr, int kind, double x, double y, double size);

}  // namespace gen_pictures
