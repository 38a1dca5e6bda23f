// The board screen's side panel (jp 9 at x = 600), its displays, plates, buttons and
// the banners shown over the board.
#include <cmath>
#include <functional>
#include <sstream>

#include "pictures.h"

namespace gen_pictures {
namespace {

using IconPainter = std::function<void(cairo_t*, double cx, double cy, double size, const Colour& ink)>;

// Splits "a\nb" into its lines.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) lines.push_back(line);
  return lines;
}

void DrawLines(cairo_t* cr, const std::string& text, const Font& font, double x, double cy, Align align,
               const Colour& colour, double pitch) {
  const auto lines = Lines(text);
  const double first = cy - pitch * (lines.size() - 1) / 2.0;
  for (std::size_t i = 0; i < lines.size(); ++i) DrawText(cr, lines[i], font, x, first + pitch * i, align, colour);
}

// Three looks of a button: normal, pressed, hover, each a sub-sprite.
Picture Button(int w, int h, double radius, const std::function<void(cairo_t*, ButtonState, const Colour&)>& content) {
  std::vector<std::vector<Look>> states;
  for (ButtonState state : {ButtonState::kNormal, ButtonState::kPressed, ButtonState::kHover}) {
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    DrawButtonFace(cr, 0.5, 0.5, w - 1.5, h - 1.5, radius, state);
    cairo_save(cr);
    if (state == ButtonState::kPressed) cairo_translate(cr, 1, 1);
    content(cr, state, ButtonInk(state));
    cairo_restore(cr);
    states.push_back({canvas.RawWithAlpha()});
  }
  Picture picture = StateSet(std::move(states));
  ShareSheet(picture);
  return picture;
}

// A panel button: an icon on the left, the label in the rest.
Picture PanelButton(const std::string& label, const IconPainter& icon) {
  return Button(190, 46, 9, [&](cairo_t* cr, ButtonState, const Colour& ink) {
    icon(cr, 28, 23, 22, ink);
    Font font = kLabelFont;
    font.size = FitTextSize(cr, label, font, 130);
    DrawText(cr, label, font, 115, 23, Align::kCentre, ink);
  });
}

void Stroke(cairo_t* cr, const Colour& ink, double width) {
  SetColour(cr, ink);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void StarIcon(cairo_t* cr, double cx, double cy, double s, const Colour& ink) {
  for (int i = 0; i < 10; ++i) {
    const double angle = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? s * 0.22 : s * 0.52;
    const double px = cx + r * std::cos(angle), py = cy + r * std::sin(angle);
    i == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
  }
  cairo_close_path(cr);
  SetColour(cr, ink);
  cairo_fill(cr);
}

void PlayIcon(cairo_t* cr, double cx, double cy, double s, const Colour& ink) {
  Circle(cr, cx, cy, s * 0.5);
  Stroke(cr, ink, 2);
  cairo_move_to(cr, cx - s * 0.15, cy - s * 0.25);
  cairo_line_to(cr, cx + s * 0.28, cy);
  cairo_line_to(cr, cx - s * 0.15, cy + s * 0.25);
  cairo_close_path(cr);
  SetColour(cr, ink);
  cairo_fill(cr);
}

void GearIcon(cairo_t* cr, double cx, double cy, double s, const Colour& ink) {
  const int teeth = 8;
  for (int i = 0; i < teeth * 4; ++i) {
    const double angle = i * 2 * M_PI / (teeth * 4);
    const double r = (i % 4 < 2) ? s * 0.52 : s * 0.38;
    const double px = cx + r * std::cos(angle), py = cy + r * std::sin(angle);
    i == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
  }
  cairo_close_path(cr);
  Circle(cr, cx, cy, s * 0.17);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  SetColour(cr, ink);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void BoardIcon(cairo_t* cr, double cx, double cy, double s, const Colour& ink) {
  const double cell = s / 3, left = cx - s / 2, top = cy - s / 2;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      if ((r + c) % 2 == 0) cairo_rectangle(cr, left + c * cell, top + r * cell, cell, cell);
  SetColour(cr, ink);
  cairo_fill(cr);
  cairo_rectangle(cr, left, top, s, s);
  Stroke(cr, ink, 1.2);
}

void UndoIcon(cairo_t* cr, double cx, double cy, double s, const Colour& ink) {
  cairo_arc(cr, cx + s * 0.05, cy + s * 0.05, s * 0.38, -M_PI * 0.95, M_PI * 0.6);
  Stroke(cr, ink, 2.6);
  const double tipX = cx - s * 0.45, tipY = cy;
  cairo_move_to(cr, tipX - s * 0.18, tipY - s * 0.02);
  cairo_line_to(cr, tipX + s * 0.12, tipY - s * 0.28);
  cairo_line_to(cr, tipX + s * 0.2, tipY + s * 0.08);
  cairo_close_path(cr);
  SetColour(cr, ink);
  cairo_fill(cr);
}

// A small square button of the top row.
Picture TopButton(const std::function<void(cairo_t*, const Colour&)>& glyph) {
  return Button(30, 26, 5, [&](cairo_t* cr, ButtonState, const Colour& ink) { glyph(cr, ink); });
}

}  // namespace

// ---- the panel --------------------------------------------------------------------

Picture BuildSidePanel() {
  Canvas canvas(200, 600);
  cairo_t* cr = canvas.cr();
  Wood(cr, 0, 0, 200, 600, palette::kWalnut, palette::kWalnutGrain, false, 101);
  // The strip of the top row of buttons.
  cairo_rectangle(cr, 0, 0, 200, 27);
  SetColour(cr, Hex(0x1E100A, 0.55));
  cairo_fill(cr);
  cairo_pattern_t* brass = BrassPattern(27, 30);
  cairo_rectangle(cr, 0, 27, 200, 2);
  cairo_set_source(cr, brass);
  cairo_fill(cr);
  cairo_pattern_destroy(brass);
  // The seam between board and panel.
  cairo_rectangle(cr, 0, 0, 3, 600);
  brass = BrassPattern(0, 600);
  cairo_set_source(cr, brass);
  cairo_fill(cr);
  cairo_pattern_destroy(brass);
  cairo_rectangle(cr, 3, 0, 1, 600);
  SetColour(cr, Hex(0x1A0D06, 0.8));
  cairo_fill(cr);
  // An ornament in the gap above the undo button, and under the plates the name.
  const double gapY = 351;
  cairo_move_to(cr, 20, gapY);
  cairo_line_to(cr, 180, gapY);
  cairo_set_line_width(cr, 1.5);
  SetColour(cr, Hex(0xD4AE52, 0.85));
  cairo_stroke(cr);
  cairo_move_to(cr, 100, gapY - 7);
  cairo_line_to(cr, 107, gapY);
  cairo_line_to(cr, 100, gapY + 7);
  cairo_line_to(cr, 93, gapY);
  cairo_close_path(cr);
  brass = BrassPattern(gapY - 7, gapY + 7);
  cairo_set_source(cr, brass);
  cairo_fill(cr);
  cairo_pattern_destroy(brass);
  Font logo{"Liberation Serif", 22, true, true};
  DrawEngravedText(cr, "Tavlero", logo, 100, 582, Align::kCentre, palette::kGold, Hex(0x1A0D06), Hex(0xFFF0B0, 0.4));
  return OneFrame(canvas.OpaqueJpeg(92));
}

// bg 1: a name plate (two of them, at (605, 440) and (605, 503)). The name label sits
// at (7, 12), the piece-counter icon's marker at (54, 39), the counter at (80, 37).
Picture BuildNamePlate() {
  Canvas canvas(190, 62);
  cairo_t* cr = canvas.cr();
  SoftShadowRect(cr, 1, 2, 188, 59, 8, 1.5, 0.45);
  RoundedRect(cr, 0.5, 0.5, 189, 60, 8);
  SetColour(cr, palette::kParchment);
  cairo_fill(cr);
  BrassFrame(cr, 0.5, 0.5, 189, 60, 8, 3);
  cairo_move_to(cr, 14, 34.5);
  cairo_line_to(cr, 176, 34.5);
  cairo_set_line_width(cr, 1);
  SetColour(cr, Hex(0xB08F5A, 0.7));
  cairo_stroke(cr);
  return OneFrame(canvas.RawWithAlpha());
}

// bg 4: the level display, one frame per level.
Picture BuildLevelDisplay() {
  std::vector<Look> looks;
  for (int level = 0; level < 3; ++level) {
    Canvas canvas(188, 24);
    cairo_t* cr = canvas.cr();
    RoundedRect(cr, 0.5, 0.5, 187, 23, 6);
    FillVertical(cr, 0, 24, Hex(0x3A2214), Hex(0x24140B));
    BrassFrame(cr, 0.5, 0.5, 187, 23, 6, 2);
    Font font{"Liberation Sans", 13, true, false};
    const std::string label = std::string("Уровень: ") + kLevelNames[level];
    font.size = FitTextSize(cr, label, font, 124);
    DrawText(cr, label, font, 9, 12, Align::kLeft, palette::kCream);
    for (int star = 0; star < 3; ++star) {
      const double cx = 146 + star * 15, cy = 12;
      for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 2.6 : 6.2;
        const double px = cx + r * std::cos(angle), py = cy + r * std::sin(angle);
        i == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
      }
      cairo_close_path(cr);
      SetColour(cr, star <= level ? palette::kGold : Hex(0x6B5640));
      cairo_fill(cr);
    }
    looks.push_back(canvas.RawWithAlpha());
  }
  Picture picture = FrameSet(std::move(looks));
  ShareSheet(picture);
  return picture;
}

// bg 5: the game-kind display, one frame per kind.
Picture BuildKindDisplay() {
  std::vector<Look> looks;
  for (int kind = 0; kind < 9; ++kind) {
    Canvas canvas(190, 66);
    cairo_t* cr = canvas.cr();
    SoftShadowRect(cr, 1, 2, 188, 63, 9, 1.5, 0.45);
    RoundedRect(cr, 0.5, 0.5, 189, 64, 9);
    SetColour(cr, palette::kParchment);
    cairo_fill(cr);
    BrassFrame(cr, 0.5, 0.5, 189, 64, 9, 3.5);
    DrawKindIcon(cr, kind, 10, 9, 47);
    Font font{"Liberation Serif", 18, true, false};
    for (const auto& line : Lines(kKindNames[kind])) font.size = std::min(font.size, FitTextSize(cr, line, font, 116));
    DrawLines(cr, kKindNames[kind], font, 122, 33, Align::kCentre, palette::kDialogInk, font.size + 2);
    looks.push_back(canvas.RawWithAlpha());
  }
  return FrameSet(std::move(looks));
}

// A ribbon banner with a brass rim.
void Ribbon(cairo_t* cr, double w, double h) {
  SoftShadowRect(cr, 3, 4, w - 6, h - 6, 12, 3, 0.55);
  RoundedRect(cr, 2, 2, w - 4, h - 4, 12);
  FillVertical(cr, 0, h, Hex(0x9B2E22), Hex(0x55130E));
  BrassFrame(cr, 2, 2, w - 4, h - 4, 12, 4);
}

// bg 3 at (30, 500) and bg 2 at (370, 500): the demonstration banners, blinking.
Picture BuildDemoTitle() {
  Canvas canvas(300, 56);
  Ribbon(canvas.cr(), 300, 56);
  Font font{"Liberation Serif", 26, true, false};
  DrawEngravedText(canvas.cr(), "ДЕМОНСТРАЦИЯ", font, 150, 28, Align::kCentre, palette::kGold, Hex(0x2A0805),
                   Hex(0xFFFFFF, 0.25));
  return OneFrame(canvas.JpegWithAlpha(92));
}

Picture BuildDemoHint() {
  Canvas canvas(210, 56);
  Ribbon(canvas.cr(), 210, 56);
  const Font font{"Liberation Sans", 14, true, false};
  DrawLines(canvas.cr(), "Нажмите клавишу,\nчтобы играть", font, 105, 28, Align::kCentre, palette::kCream, 18);
  return OneFrame(canvas.RawWithAlpha());
}

// bg 9: the end banner. Frame 0: the game is over (the first player or the computer
// won, or nobody); frame 1: the human won.
Picture BuildEndBanner() {
  std::vector<Look> looks;
  const char* const titles[2] = {"Игра окончена", "Вы победили!"};
  for (int frame = 0; frame < 2; ++frame) {
    Canvas canvas(380, 100);
    cairo_t* cr = canvas.cr();
    Ribbon(cr, 380, 100);
    for (double side : {-1.0, 1.0}) {
      const double cx = 190 + side * 160, cy = 44;
      for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 5 : 12;
        const double px = cx + r * std::cos(angle), py = cy + r * std::sin(angle);
        i == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
      }
      cairo_close_path(cr);
      SetColour(cr, frame == 1 ? palette::kGold : Hex(0xC9A24A, 0.7));
      cairo_fill(cr);
    }
    Font font{"Liberation Serif", 34, true, false};
    DrawEngravedText(cr, titles[frame], font, 190, 42, Align::kCentre, frame == 1 ? Hex(0xFFE27A) : palette::kGold,
                     Hex(0x2A0805), Hex(0xFFFFFF, 0.25));
    const Font small{"Liberation Sans", 13, false, true};
    DrawText(cr, "щёлкните, чтобы продолжить", small, 190, 78, Align::kCentre, palette::kCream);
    looks.push_back(canvas.JpegWithAlpha(92));
  }
  return FrameSet(std::move(looks));
}

// ---- buttons ------------------------------------------------------------------------

Picture BuildPanelButton(int index) {
  switch (index) {
    case 0: return PanelButton("Новая игра", StarIcon);
    case 1: return PanelButton("Отменить ход", UndoIcon);
    case 6: return PanelButton("Демонстрация", PlayIcon);
    case 14: return PanelButton("Выбор игры", BoardIcon);
    default: return PanelButton("Настройки", GearIcon);
  }
}

// Top row: 3 help, 17 full screen, 23 minimise, 4 exit.
Picture BuildTopButton(int index) {
  switch (index) {
    case 3:
      return TopButton([](cairo_t* cr, const Colour& ink) {
        DrawText(cr, "?", Font{"Liberation Serif", 19, true, false}, 15, 13, Align::kCentre, ink);
      });
    case 17:
      return TopButton([](cairo_t* cr, const Colour& ink) {
        const double l = 8, t = 6.5, r = 22, b = 19.5, a = 4;
        cairo_move_to(cr, l, t + a);
        cairo_line_to(cr, l, t);
        cairo_line_to(cr, l + a, t);
        cairo_move_to(cr, r - a, t);
        cairo_line_to(cr, r, t);
        cairo_line_to(cr, r, t + a);
        cairo_move_to(cr, r, b - a);
        cairo_line_to(cr, r, b);
        cairo_line_to(cr, r - a, b);
        cairo_move_to(cr, l + a, b);
        cairo_line_to(cr, l, b);
        cairo_line_to(cr, l, b - a);
        Stroke(cr, ink, 2);
      });
    case 23:
      return TopButton([](cairo_t* cr, const Colour& ink) {
        cairo_move_to(cr, 9, 18);
        cairo_line_to(cr, 21, 18);
        Stroke(cr, ink, 2.6);
      });
    default:
      return TopButton([](cairo_t* cr, const Colour& ink) {
        cairo_move_to(cr, 10, 8);
        cairo_line_to(cr, 20, 18);
        cairo_move_to(cr, 20, 8);
        cairo_line_to(cr, 10, 18);
        Stroke(cr, ink, 2.4);
      });
  }
}

// but 16: the drag grip of the panel's top strip. The top row of buttons starts at
// x = 633 + its width; it may be shown at (633, 0).
Picture BuildGrip() {
  Canvas canvas(40, 26);
  cairo_t* cr = canvas.cr();
  for (int i = 0; i < 4; ++i) {
    const double y = 7.5 + i * 4;
    cairo_move_to(cr, 6, y);
    cairo_line_to(cr, 34, y);
    cairo_set_line_width(cr, 1);
    SetColour(cr, Hex(0x0E0704, 0.9));
    cairo_stroke(cr);
    cairo_move_to(cr, 6, y + 1);
    cairo_line_to(cr, 34, y + 1);
    SetColour(cr, Hex(0xD4AE52, 0.6));
    cairo_stroke(cr);
  }
  return OneFrame(canvas.RawWithAlpha());
}

// Scroll bar: 8 up, 9 down (24 x 24), 15 the thumb (24 x 48).
Picture BuildScrollArrow(bool up) {
  return Button(24, 24, 5, [up](cairo_t* cr, ButtonState, const Colour& ink) {
    const double tip = up ? 7 : 17, base = up ? 16 : 8;
    cairo_move_to(cr, 6.5, base);
    cairo_line_to(cr, 12, tip);
    cairo_line_to(cr, 17.5, base);
    cairo_close_path(cr);
    SetColour(cr, ink);
    cairo_fill(cr);
  });
}

Picture BuildScrollThumb() {
  return Button(24, 48, 6, [](cairo_t* cr, ButtonState, const Colour& ink) {
    for (int i = 0; i < 3; ++i) {
      cairo_move_to(cr, 7, 19.5 + i * 4);
      cairo_line_to(cr, 17, 19.5 + i * 4);
    }
    Stroke(cr, ink, 1.4);
  });
}

Picture BuildDialogButton(const std::string& label) {
  return Button(120, 40, 8, [&](cairo_t* cr, ButtonState, const Colour& ink) {
    Font font = kLabelFont;
    font.size = FitTextSize(cr, label, Font{"Liberation Sans", 17, true, false}, 100);
    DrawText(cr, label, font, 60, 20, Align::kCentre, ink);
  });
}

// jp 11: the game selection dialog's players button.
Picture BuildPlayersButton() {
  return Button(160, 40, 8, [](cairo_t* cr, ButtonState, const Colour& ink) {
    auto head = [&](double cx, double cy, double s) {
      Circle(cr, cx, cy - s * 0.28, s * 0.2);
      SetColour(cr, ink);
      cairo_fill(cr);
      cairo_arc(cr, cx, cy + s * 0.32, s * 0.32, M_PI, 2 * M_PI);
      cairo_close_path(cr);
      cairo_fill(cr);
    };
    head(22, 20, 20);
    head(34, 22, 18);
    DrawText(cr, "Игроки…", Font{"Liberation Sans", 17, true, false}, 95, 20, Align::kCentre, ink);
  });
}

}  // namespace gen_pictures
