// The four board backdrops (600 x 600, the left part of the window). Their cells sit
// exactly where the game places its pieces.
#include <cmath>
#include <string>

#include "pictures.h"

namespace gen_pictures {
namespace {

// A wooden table edge all around the board.
void TableFrame(cairo_t* cr, unsigned seed) {
  Wood(cr, 0, 0, 600, 600, palette::kDarkWalnut, palette::kWalnutGrain, true, seed);
}

// A bevelled inner edge around a playing field.
void FieldBevel(cairo_t* cr, double x, double y, double w, double h) {
  cairo_set_line_width(cr, 3);
  cairo_rectangle(cr, x - 1.5, y - 1.5, w + 3, h + 3);
  SetColour(cr, Hex(0x1A0D06, 0.8));
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, x - 3.5, y - 3.5, w + 7, h + 7);
  SetColour(cr, Hex(0xE8C766, 0.75));
  cairo_stroke(cr);
}

}  // namespace

// 8 x 8 board: 70-pixel cells from (19, 19); the bottom-left square is dark.
Picture BuildDraughtsBoard() {
  Canvas canvas(600, 600);
  cairo_t* cr = canvas.cr();
  TableFrame(cr, 201);
  Wood(cr, 19, 19, 560, 560, palette::kMaple, palette::kMapleGrain, true, 202);
  for (int row = 0; row < 8; ++row) {
    for (int column = 0; column < 8; ++column) {
      if ((column + row) % 2 != 0) continue;
      const double x = 19 + 70 * column, y = 19 + 70 * (7 - row);
      Wood(cr, x, y, 70, 70, palette::kBoardDark, palette::kBoardDarkGrain, (column / 2 + row) % 2 == 0,
           300 + row * 8 + column);
      // A faint inner shade gives each dark square a crisp inlaid edge.
      cairo_rectangle(cr, x + 0.5, y + 0.5, 69, 69);
      cairo_set_line_width(cr, 1);
      SetColour(cr, Hex(0x2A1408, 0.45));
      cairo_stroke(cr);
    }
  }
  FieldBevel(cr, 19, 19, 560, 560);
  const Font font{"Liberation Serif", 12, true, false};
  const Colour ink = Hex(0xE8C766);
  for (int i = 0; i < 8; ++i) {
    const std::string letter(1, static_cast<char>('a' + i));
    DrawText(cr, letter, font, 19 + 70 * i + 35, 590, Align::kCentre, ink);
    DrawText(cr, std::to_string(8 - i), font, 9.5, 19 + 70 * i + 35, Align::kCentre, ink);
  }
  return OneFrame(canvas.OpaqueJpeg(93));
}

// 14 x 14 points: 40-pixel cells from (22, 22), the lines through the cells' middles.
Picture BuildStoneBoard() {
  Canvas canvas(600, 600);
  cairo_t* cr = canvas.cr();
  TableFrame(cr, 211);
  Wood(cr, 14, 14, 572, 572, Hex(0xDDB36C), Hex(0xA97A3C), true, 212);
  FieldBevel(cr, 14, 14, 572, 572);
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, Hex(0x2E1C0C, 0.85));
  for (int i = 0; i < 14; ++i) {
    const double at = 42 + 40 * i;
    cairo_move_to(cr, at, 42);
    cairo_line_to(cr, at, 562);
    cairo_move_to(cr, 42, at);
    cairo_line_to(cr, 562, at);
  }
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2.2);
  cairo_rectangle(cr, 42, 42, 520, 520);
  cairo_stroke(cr);
  // Star points; the middle one is where an opening stone goes (column 7, row 7).
  for (int column : {3, 7, 10})
    for (int row : {3, 7, 10}) {
      if ((column == 7) != (row == 7)) continue;
      Circle(cr, 42 + 40 * column, 42 + 40 * (13 - row), 4);
      cairo_fill(cr);
    }
  return OneFrame(canvas.OpaqueJpeg(93));
}

// The connection game's rhombus: cell (c, r) at x = rowShift[r] + 37 c, y = rowTop[r],
// each a 37 x 41 hexagon. Side +1 (red) joins the top and bottom rows, side -1 (blue)
// the left and right columns.
Picture BuildHexBoard() {
  static const int kRowShift[11] = {192, 173, 154, 135, 116, 96, 76, 56, 36, 17, -2};
  static const int kRowTop[11] = {123, 154, 184, 214, 245, 275, 306, 336, 366, 397, 427};
  Canvas canvas(600, 600);
  cairo_t* cr = canvas.cr();
  TableFrame(cr, 221);
  // Hexagon corners of the cell at (x, y): 0 top, then clockwise.
  auto corner = [](int column, int row, int k, double& px, double& py) {
    const double x = kRowShift[row] + 37.0 * column, y = kRowTop[row];
    static const double kx[6] = {18.5, 37, 37, 18.5, 0, 0};
    static const double ky[6] = {0, 10.2, 30.5, 40.7, 30.5, 10.2};
    px = x + kx[k];
    py = y + ky[k];
  };
  auto edge = [&](int column, int row, int from) {
    double x0, y0, x1, y1;
    corner(column, row, from, x0, y0);
    corner(column, row, (from + 1) % 6, x1, y1);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
  };
  // Coloured bands along the outer edges, half covered by the cells.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 11);
  for (int c = 0; c < 11; ++c) {
    edge(c, 0, 5);
    edge(c, 0, 0);
    edge(c, 10, 2);
    edge(c, 10, 3);
  }
  SetColour(cr, palette::kRed);
  cairo_stroke(cr);
  for (int r = 0; r < 11; ++r) {
    edge(0, r, 4);
    if (r > 0) edge(0, r, 5);
    edge(10, r, 1);
    if (r < 10) edge(10, r, 2);
  }
  SetColour(cr, palette::kBlue);
  cairo_stroke(cr);
  // The cells.
  for (int r = 0; r < 11; ++r) {
    for (int c = 0; c < 11; ++c) {
      double px, py;
      cairo_new_path(cr);
      for (int k = 0; k < 6; ++k) {
        corner(c, r, k, px, py);
        k == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
      }
      cairo_close_path(cr);
      const double x = kRowShift[r] + 37.0 * c, y = kRowTop[r];
      cairo_pattern_t* face = cairo_pattern_create_linear(x, y, x + 37, y + 41);
      AddStop(face, 0, Hex(0xF1DDB2));
      AddStop(face, 1, Hex(0xD9BC86));
      cairo_set_source(cr, face);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(face);
      cairo_set_line_width(cr, 1.4);
      SetColour(cr, Hex(0x5B3A1E));
      cairo_stroke(cr);
    }
  }
  // Who joins what, in the free corners.
  const Font font{"Liberation Sans", 13, true, false};
  cairo_set_line_width(cr, 1);
  DrawKindIcon(cr, 4, 24, 24, 72);
  DrawText(cr, "Красные: сверху вниз", font, 590, 40, Align::kRight, Lighter(palette::kRed, 0.35));
  DrawText(cr, "Синие: слева направо", font, 590, 62, Align::kRight, Lighter(palette::kBlue, 0.45));
  return OneFrame(canvas.OpaqueJpeg(93));
}

// The 24-point board of the dice game. Column positions (a checker's x) 27 ... 230 and
// 320 ... 523; top points hold checkers from y = 15 down, bottom points from y = 536 up.
Picture BuildDiceBoard() {
  static const int kColumn[12] = {27, 68, 109, 150, 190, 230, 320, 360, 402, 443, 483, 523};
  Canvas canvas(600, 600);
  cairo_t* cr = canvas.cr();
  TableFrame(cr, 231);
  const double top = 9, bottom = 574;
  for (auto [left, right] : {std::pair{21.0, 275.0}, std::pair{314.0, 568.0}}) {
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_pattern_t* felt = cairo_pattern_create_radial((left + right) / 2, 290, 20, (left + right) / 2, 290, 330);
    AddStop(felt, 0, Hex(0x2F6B47));
    AddStop(felt, 1, Hex(0x1C4630));
    cairo_set_source(cr, felt);
    cairo_fill(cr);
    cairo_pattern_destroy(felt);
    FieldBevel(cr, left, top, right - left, bottom - top);
  }
  // Points: column k's checkers are 40 wide from kColumn[k].
  for (int k = 0; k < 12; ++k) {
    const double x = kColumn[k];
    for (int half = 0; half < 2; ++half) {
      const bool upper = half == 0;
      const double base = upper ? top : bottom;
      const double tip = upper ? 262 : 321;
      const bool red = (k + half) % 2 == 0;
      cairo_move_to(cr, x + 1, base);
      cairo_line_to(cr, x + 39, base);
      cairo_line_to(cr, x + 20, tip);
      cairo_close_path(cr);
      const Colour colour = red ? Hex(0xA8322A) : Hex(0xEAD9B0);
      FillVertical(cr, base, tip, colour, Darker(colour, 0.18), true);
      cairo_set_line_width(cr, 1);
      SetColour(cr, Hex(0x120A05, 0.55));
      cairo_stroke(cr);
    }
  }
  // Brass hinges on the bar.
  for (double y : {120.0, 460.0}) {
    cairo_rectangle(cr, 286, y - 22, 16, 44);
    cairo_pattern_t* brass = BrassPattern(y - 22, y + 22);
    cairo_set_source(cr, brass);
    cairo_fill(cr);
    cairo_pattern_destroy(brass);
  }
  return OneFrame(canvas.OpaqueJpeg(93));
}

}  // namespace gen_pictures
