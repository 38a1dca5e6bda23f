// The pieces of every game kind, the dice and the small markers.
#include <cmath>

#include "pictures.h"

namespace gen_pictures {
namespace {

struct PieceTones {
  Colour face, rim, edge, groove, light;
};

PieceTones TonesOf(Side side) {
  if (side == Side::kDark)
    return {Hex(0x4A2E26), Hex(0x22130F), Hex(0x160B08), Hex(0x120806), Hex(0x8C6456)};
  return {Hex(0xF4E9D0), Hex(0xC9B48C), Hex(0x9C8460), Hex(0xA58D66), Hex(0xFFFFFF)};
}

}  // namespace

void DrawCrown(cairo_t* cr, double cx, double cy, double w, const Colour& colour) {
  const double h = w * 0.62;
  const double left = cx - w / 2, top = cy - h / 2;
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, left + w * 0.08, top + h);
  cairo_line_to(cr, left, top + h * 0.22);
  cairo_line_to(cr, left + w * 0.27, top + h * 0.55);
  cairo_line_to(cr, left + w * 0.5, top);
  cairo_line_to(cr, left + w * 0.73, top + h * 0.55);
  cairo_line_to(cr, left + w, top + h * 0.22);
  cairo_line_to(cr, left + w * 0.92, top + h);
  cairo_close_path(cr);
  cairo_pattern_t* gold = cairo_pattern_create_linear(0, top, 0, top + h);
  AddStop(gold, 0, Lighter(colour, 0.45));
  AddStop(gold, 0.55, colour);
  AddStop(gold, 1, Darker(colour, 0.35));
  cairo_set_source(cr, gold);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(gold);
  cairo_set_line_width(cr, std::max(0.8, w * 0.035));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, Darker(colour, 0.55));
  cairo_stroke(cr);
  // Jewels on the three points and a band at the foot.
  const double jewel = w * 0.075;
  for (double px : {0.0, 0.5, 1.0}) {
    const double jx = left + w * px, jy = top + (px == 0.5 ? 0 : h * 0.22);
    Circle(cr, jx, jy, jewel);
    SetColour(cr, Lighter(colour, 0.3));
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(colour, 0.55));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
  cairo_rectangle(cr, left + w * 0.1, top + h * 0.8, w * 0.8, h * 0.12);
  SetColour(cr, Darker(colour, 0.3));
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawMan(cairo_t* cr, double cx, double cy, double r, Side side, bool king) {
  const PieceTones tone = TonesOf(side);
  const double depth = std::max(2.0, r * 0.12);
  SoftShadowCircle(cr, cx + r * 0.06, cy + depth + r * 0.08, r, r * 0.16, 0.45);
  // The side of the piece, seen below the top face.
  Circle(cr, cx, cy + depth, r);
  SetColour(cr, tone.edge);
  cairo_fill(cr);
  // Top face.
  cairo_pattern_t* face = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r);
  AddStop(face, 0, Lighter(tone.face, 0.18));
  AddStop(face, 0.7, tone.face);
  AddStop(face, 1, tone.rim);
  Circle(cr, cx, cy, r);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  // Turned grooves.
  for (double ring : {0.8, 0.56}) {
    cairo_set_line_width(cr, std::max(0.8, r * 0.05));
    Circle(cr, cx, cy + 0.6, r * ring);
    SetColour(cr, Colour{tone.light.r, tone.light.g, tone.light.b, 0.35});
    cairo_stroke(cr);
    Circle(cr, cx, cy, r * ring);
    SetColour(cr, Colour{tone.groove.r, tone.groove.g, tone.groove.b, 0.55});
    cairo_stroke(cr);
  }
  // Outline.
  cairo_set_line_width(cr, 1);
  Circle(cr, cx, cy, r - 0.5);
  SetColour(cr, Colour{tone.edge.r, tone.edge.g, tone.edge.b, 0.8});
  cairo_stroke(cr);
  if (king) DrawCrown(cr, cx, cy + r * 0.02, r * 1.0, Hex(0xE2B53E));
  // Gloss.
  cairo_pattern_t* gloss = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.45, 0, cx - r * 0.3, cy - r * 0.45, r * 0.7);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, side == Side::kDark ? 0.35 : 0.55);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0);
  Circle(cr, cx, cy, r);
  cairo_set_source(cr, gloss);
  cairo_fill(cr);
  cairo_pattern_destroy(gloss);
}

void DrawDisc(cairo_t* cr, double cx, double cy, double r, Side side) {
  const bool dark = side == Side::kDark;
  SoftShadowCircle(cr, cx + 1, cy + 3, r, r * 0.14, 0.45);
  Circle(cr, cx, cy + 2, r);
  SetColour(cr, dark ? Hex(0x0E0E10) : Hex(0xA9A6A0));
  cairo_fill(cr);
  cairo_pattern_t* face = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, r * 0.05, cx, cy, r * 1.05);
  if (dark) {
    AddStop(face, 0, Hex(0x5A5A62));
    AddStop(face, 0.6, Hex(0x232327));
    AddStop(face, 1, Hex(0x111114));
  } else {
    AddStop(face, 0, Hex(0xFFFFFF));
    AddStop(face, 0.6, Hex(0xF1EEE8));
    AddStop(face, 1, Hex(0xCFCBC2));
  }
  Circle(cr, cx, cy, r);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  cairo_set_line_width(cr, 1);
  Circle(cr, cx, cy, r - 0.5);
  SetColour(cr, dark ? Hex(0x000000, 0.7) : Hex(0x8D8980, 0.8));
  cairo_stroke(cr);
  // A bevelled lip near the rim.
  Circle(cr, cx, cy, r * 0.86);
  cairo_set_line_width(cr, r * 0.05);
  SetColour(cr, dark ? Hex(0x000000, 0.35) : Hex(0xB9B4AA, 0.5));
  cairo_stroke(cr);
}

void DrawStone(cairo_t* cr, double cx, double cy, double r, Side side) {
  const bool dark = side == Side::kDark;
  SoftShadowCircle(cr, cx + 1.5, cy + 2, r, r * 0.16, 0.45);
  cairo_pattern_t* face = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.05, cx, cy, r);
  if (dark) {
    AddStop(face, 0, Hex(0x6E6E6E));
    AddStop(face, 0.45, Hex(0x2A2A2A));
    AddStop(face, 1, Hex(0x0A0A0A));
  } else {
    AddStop(face, 0, Hex(0xFFFFFF));
    AddStop(face, 0.55, Hex(0xEEEAE2));
    AddStop(face, 1, Hex(0xBDB6AA));
  }
  Circle(cr, cx, cy, r);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
}

void DrawBead(cairo_t* cr, double cx, double cy, double r, const Colour& colour) {
  SoftShadowCircle(cr, cx + 1, cy + 2, r, r * 0.2, 0.45);
  cairo_pattern_t* face = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, r * 0.05, cx, cy, r);
  AddStop(face, 0, Lighter(colour, 0.55));
  AddStop(face, 0.5, colour);
  AddStop(face, 1, Darker(colour, 0.45));
  Circle(cr, cx, cy, r);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  // A bright reflection and the light caught at the bottom of the glass.
  cairo_save(cr);
  cairo_translate(cr, cx - r * 0.32, cy - r * 0.42);
  cairo_scale(cr, 1.0, 0.62);
  Circle(cr, 0, 0, r * 0.36);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
  cairo_fill(cr);
  cairo_set_line_width(cr, r * 0.12);
  cairo_arc(cr, cx, cy, r * 0.72, M_PI * 0.2, M_PI * 0.8);
  SetColour(cr, Lighter(colour, 0.35));
  cairo_stroke(cr);
}

void DrawDie(cairo_t* cr, double x, double y, double size, int face, const Colour& body, const Colour& pips) {
  const double radius = size * 0.18;
  SoftShadowRect(cr, x + 1.5, y + 2, size, size, radius, 2.5, 0.5);
  cairo_pattern_t* fill = cairo_pattern_create_linear(x, y, x + size, y + size);
  AddStop(fill, 0, Lighter(body, 0.5));
  AddStop(fill, 0.5, body);
  AddStop(fill, 1, Darker(body, 0.18));
  RoundedRect(cr, x + 0.5, y + 0.5, size - 1, size - 1, radius);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  cairo_set_line_width(cr, 1);
  SetColour(cr, Darker(body, 0.45));
  cairo_stroke(cr);
  static const int layout[6][9] = {{0, 0, 0, 0, 1, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0, 1},
                                   {1, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 0, 1, 0, 0, 0, 1, 0, 1},
                                   {1, 0, 1, 0, 1, 0, 1, 0, 1}, {1, 0, 1, 1, 0, 1, 1, 0, 1}};
  const double pip = size * 0.095;
  for (int i = 0; i < 9; ++i) {
    if (!layout[face - 1][i]) continue;
    const double px = x + size * (0.25 + 0.25 * (i % 3)), py = y + size * (0.25 + 0.25 * (i / 3));
    cairo_pattern_t* dot = cairo_pattern_create_radial(px - pip * 0.3, py - pip * 0.3, 0, px, py, pip);
    AddStop(dot, 0, Lighter(pips, 0.25));
    AddStop(dot, 1, pips);
    Circle(cr, px, py, pip);
    cairo_set_source(cr, dot);
    cairo_fill(cr);
    cairo_pattern_destroy(dot);
  }
}

namespace {

// Highlight rings behind a draughts piece: 0 none, 1 selected, 2 mouse over the
// selected piece, 3 mouse over a piece that may move.
void DrawPieceHalo(cairo_t* cr, double cx, double cy, double r, int kind) {
  if (kind == 0) return;
  // Selected pieces glow gold; a piece that may move gets a cool green rim.
  const Colour colour = kind == 3 ? Hex(0x9CF0B0) : kind == 2 ? Hex(0xFFE680) : Hex(0xFFC830);
  const double reach = kind == 3 ? 5.0 : 7.5;
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, r - 2, cx, cy, r + reach);
  AddStop(glow, 0, Colour{colour.r, colour.g, colour.b, 0.95});
  AddStop(glow, 0.5, Colour{colour.r, colour.g, colour.b, 0.55});
  AddStop(glow, 1, Colour{colour.r, colour.g, colour.b, 0});
  Circle(cr, cx, cy + 1, r + reach);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  Circle(cr, cx, cy + 1, r + 2);
  cairo_set_line_width(cr, kind == 3 ? 2.0 : 3.0);
  SetColour(cr, kind == 2 ? Hex(0xFFF6C8) : kind == 3 ? Hex(0x4FC872) : Hex(0xE8A810));
  cairo_stroke(cr);
}

Picture DraughtsPiece(Side side, bool king) {
  std::vector<Look> looks;
  for (int halo = 0; halo < 4; ++halo) {
    Canvas canvas(70, 70);
    cairo_t* cr = canvas.cr();
    DrawPieceHalo(cr, 35, 33, 27, halo);
    // The selected piece is lifted a little.
    const double lift = halo == 1 || halo == 2 ? 1.5 : 0;
    DrawMan(cr, 35, 33 - lift, 27, side, king);
    looks.push_back(canvas.RawWithAlpha());
  }
  return FrameSet(std::move(looks));
}

Picture Stone(Side side) {
  Canvas canvas(40, 40);
  DrawStone(canvas.cr(), 20, 19.5, 17, side);
  return OneFrame(canvas.RawWithAlpha());
}

Picture Bead(const Colour& colour) {
  Canvas canvas(37, 41);
  DrawBead(canvas.cr(), 18.5, 20, 14.5, colour);
  return OneFrame(canvas.RawWithAlpha());
}

Picture DiceChecker(Side side) {
  Canvas canvas(40, 33);
  DrawMan(canvas.cr(), 20, 15, 15, side, false);
  return OneFrame(canvas.RawWithAlpha());
}

Picture Discs() {
  std::vector<Look> looks;
  for (Side side : {Side::kDark, Side::kLight}) {
    Canvas canvas(70, 70);
    DrawDisc(canvas.cr(), 35, 34, 28, side);
    looks.push_back(canvas.RawWithAlpha());
  }
  Picture picture = FrameSet(std::move(looks));
  ShareSheet(picture);
  return picture;
}

}  // namespace

Picture BuildChecker(int number) {
  switch (number) {
    case 1: return DraughtsPiece(Side::kDark, false);
    case 2: return DraughtsPiece(Side::kDark, true);
    case 3: return DraughtsPiece(Side::kLight, false);
    case 4: return DraughtsPiece(Side::kLight, true);
    case 5: return Stone(Side::kLight);
    case 6: return Stone(Side::kDark);
    case 7: return Bead(palette::kBlue);
    case 8: return Bead(palette::kRed);
    case 9: return DiceChecker(Side::kDark);
    case 10: return DiceChecker(Side::kLight);
    default: return Discs();
  }
}

// Dice: one frame per face, frame = face - 1.
Picture BuildDice(bool second) {
  std::vector<Look> looks;
  for (int face = 1; face <= 6; ++face) {
    Canvas canvas(38, 38);
    DrawDie(canvas.cr(), 2, 1, 33, face, second ? Hex(0xF3E2BE) : Hex(0xFBF7EE),
            second ? Hex(0x8E1C14) : Hex(0x1C1410));
    looks.push_back(canvas.RawWithAlpha());
  }
  Picture picture = FrameSet(std::move(looks));
  ShareSheet(picture);
  return picture;
}

// The disc game's hint marker and the piece-counter icon: frame 0 side -1 (light),
// frame 1 side +1 (dark). Drawn 22 x 22 with an offset of (24, 24), so that placed at a
// 70-pixel cell's corner it sits in the cell's middle.
Picture BuildSideMarkers() {
  std::vector<Look> looks;
  for (Side side : {Side::kLight, Side::kDark}) {
    Canvas canvas(22, 22);
    cairo_t* cr = canvas.cr();
    const bool dark = side == Side::kDark;
    Circle(cr, 11, 11, 9.5);
    cairo_pattern_t* face = cairo_pattern_create_radial(8, 8, 1, 11, 11, 10);
    AddStop(face, 0, dark ? Hex(0x6A6A72, 0.85) : Hex(0xFFFFFF, 0.9));
    AddStop(face, 1, dark ? Hex(0x16161A, 0.85) : Hex(0xCFC8B8, 0.9));
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    cairo_set_line_width(cr, 2);
    SetColour(cr, Hex(0xE8C766));
    cairo_stroke(cr);
    Look look = canvas.RawWithAlpha();
    look.offsetX = 24;
    look.offsetY = 24;
    looks.push_back(std::move(look));
  }
  Picture picture = FrameSet(std::move(looks));
  ShareSheet(picture);
  return picture;
}

// The dice game's destination marker: the size of a checker, placed like one.
Picture BuildDestinationMarker() {
  Canvas canvas(40, 33);
  cairo_t* cr = canvas.cr();
  cairo_pattern_t* glow = cairo_pattern_create_radial(20, 16, 6, 20, 16, 16);
  cairo_pattern_add_color_stop_rgba(glow, 0, 0.55, 0.95, 0.45, 0.15);
  cairo_pattern_add_color_stop_rgba(glow, 0.75, 0.55, 0.95, 0.45, 0.55);
  cairo_pattern_add_color_stop_rgba(glow, 1, 0.55, 0.95, 0.45, 0);
  Circle(cr, 20, 16, 16);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  Circle(cr, 20, 16, 12.5);
  cairo_set_line_width(cr, 2.5);
  cairo_set_source_rgba(cr, 0.85, 1.0, 0.7, 0.95);
  const double dashes[2] = {5.0, 3.0};
  cairo_set_dash(cr, dashes, 2, 0);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  Circle(cr, 20, 16, 3);
  cairo_set_source_rgba(cr, 0.85, 1.0, 0.7, 0.95);
  cairo_fill(cr);
  return OneFrame(canvas.RawWithAlpha());
}

}  // namespace gen_pictures
