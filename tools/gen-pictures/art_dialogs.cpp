// The dialogs: backgrounds, title plaques and the controls they are built from.
// The dialogs' text boxes draw dark red-brown ink on the tan face colour, so every
// background keeps that face flat and exact where text goes.
#include <cmath>
#include <functional>

#include "pictures.h"

namespace gen_pictures {
namespace {

constexpr int kTitleBand = 50;  // height of the band the title plaque sits on

// Keeps only the first line of a display name ("Русские\nшашки" -> "Русские шашки").
std::string OneLine(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c == '\n') c = ' ';
  return line;
}

}  // namespace

// A dialog background of w x h: a walnut frame, a title band, and the flat tan face.
Picture BuildDialogBackground(int w, int h, unsigned seed) {
  Canvas canvas(w, h);
  cairo_t* cr = canvas.cr();
  Wood(cr, 0, 0, w, h, palette::kWalnut, palette::kWalnutGrain, true, seed);
  const double border = 12;
  // The face.
  cairo_rectangle(cr, border, kTitleBand, w - 2 * border, h - kTitleBand - border);
  SetColour(cr, palette::kDialogFace);
  cairo_fill(cr);
  // Brass inlay around the face, and a fine ink line inside it.
  cairo_set_line_width(cr, 2);
  cairo_rectangle(cr, border - 1, kTitleBand - 1, w - 2 * border + 2, h - kTitleBand - border + 2);
  cairo_pattern_t* brass = BrassPattern(kTitleBand, h - border);
  cairo_set_source(cr, brass);
  cairo_stroke(cr);
  cairo_pattern_destroy(brass);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, border + 5.5, kTitleBand + 5.5, w - 2 * border - 11, h - kTitleBand - border - 11);
  SetColour(cr, Hex(0x640B00, 0.45));
  cairo_stroke(cr);
  // Corner flourishes inside the ink line.
  for (int corner = 0; corner < 4; ++corner) {
    const double x = corner % 2 ? w - border - 6 : border + 6;
    const double y = corner / 2 ? h - border - 6 : kTitleBand + 6;
    const double sx = corner % 2 ? -1 : 1, sy = corner / 2 ? -1 : 1;
    cairo_move_to(cr, x, y + sy * 16);
    cairo_curve_to(cr, x + sx * 2, y + sy * 6, x + sx * 6, y + sy * 2, x + sx * 16, y);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, Hex(0x640B00, 0.5));
    cairo_stroke(cr);
    Circle(cr, x + sx * 5, y + sy * 5, 1.8);
    cairo_fill(cr);
  }
  // Brass studs in the frame's corners.
  for (int corner = 0; corner < 4; ++corner) {
    const double x = corner % 2 ? w - 6 : 6, y = corner / 2 ? h - 6 : 6;
    Circle(cr, x, y, 3);
    brass = BrassPattern(y - 3, y + 3);
    cairo_set_source(cr, brass);
    cairo_fill(cr);
    cairo_pattern_destroy(brass);
  }
  // Raw pixels: the face must stay exactly the text boxes' colour.
  return OneFrame(canvas.OpaqueRaw());
}

// A title plaque (placed centred at the top of its dialog, y = 0).
Picture BuildTitle(const std::string& text) {
  Canvas canvas(280, 46);
  cairo_t* cr = canvas.cr();
  SoftShadowRect(cr, 4, 5, 272, 36, 10, 3, 0.55);
  RoundedRect(cr, 4, 4, 272, 36, 10);
  FillVertical(cr, 4, 40, Hex(0x9B2E22), Hex(0x55130E));
  BrassFrame(cr, 4, 4, 272, 36, 10, 3.5);
  Font font = kTitleFont;
  font.size = FitTextSize(cr, text, font, 240);
  DrawEngravedText(cr, text, font, 140, 22, Align::kCentre, palette::kGold, Hex(0x2A0805), Hex(0xFFFFFF, 0.22));
  return OneFrame(canvas.JpegWithAlpha(93));
}

// but 10: a check box with six looks: 0 unchecked, 1 checked, 2 unchecked pressed,
// 3 checked pressed, 4 unchecked hover, 5 checked hover.
Picture BuildCheckBox() {
  std::vector<std::vector<Look>> states;
  for (int state = 0; state < 6; ++state) {
    const bool checked = state % 2 == 1, pressed = state / 2 == 1, hover = state / 2 == 2;
    Canvas canvas(26, 26);
    cairo_t* cr = canvas.cr();
    if (hover) {
      RoundedRect(cr, 0, 0, 26, 26, 7);
      SetColour(cr, Hex(0xFFE27A, 0.6));
      cairo_fill(cr);
    }
    RoundedRect(cr, 2, 2, 22, 22, 5);
    cairo_pattern_t* brass = BrassPattern(2, 24);
    cairo_set_source(cr, brass);
    cairo_fill(cr);
    cairo_pattern_destroy(brass);
    RoundedRect(cr, 5, 5, 16, 16, 3);
    SetColour(cr, pressed ? Hex(0xD9C9A4) : Hex(0xFBF3DF));
    cairo_fill(cr);
    if (checked) {
      cairo_move_to(cr, 7.5, 13.5);
      cairo_line_to(cr, 11.5, 18);
      cairo_line_to(cr, 19.5, 7.5);
      cairo_set_line_width(cr, 3);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      SetColour(cr, palette::kBurgundy);
      cairo_stroke(cr);
    }
    states.push_back({canvas.RawWithAlpha()});
  }
  Picture picture = StateSet(std::move(states));
  ShareSheet(picture);
  return picture;
}

// but 11: a round option button: 0 off, 1 on.
Picture BuildRadio() {
  std::vector<std::vector<Look>> states;
  for (int on = 0; on < 2; ++on) {
    Canvas canvas(24, 24);
    cairo_t* cr = canvas.cr();
    Circle(cr, 12, 12, 10.5);
    cairo_pattern_t* brass = BrassPattern(1, 23);
    cairo_set_source(cr, brass);
    cairo_fill(cr);
    cairo_pattern_destroy(brass);
    Circle(cr, 12, 12, 7.5);
    SetColour(cr, Hex(0xFBF3DF));
    cairo_fill(cr);
    if (on) {
      Circle(cr, 12, 12, 4.5);
      SetColour(cr, palette::kBurgundy);
      cairo_fill(cr);
    }
    states.push_back({canvas.RawWithAlpha()});
  }
  return StateSet(std::move(states));
}

// but 12: the five-step volume slider. Frame p lights steps 0 ... p (frame 5, like 4,
// lights all five). Step k is the 30-pixel column from x = 30 k.
Picture BuildVolumeSlider() {
  std::vector<Look> looks;
  for (int position = 0; position <= 5; ++position) {
    Canvas canvas(150, 28);
    cairo_t* cr = canvas.cr();
    for (int step = 0; step < 5; ++step) {
      const double h = 8 + step * 4.5, x = step * 30 + 4, y = 26 - h;
      RoundedRect(cr, x, y, 22, h, 3);
      const bool lit = step <= position;
      cairo_pattern_t* fill = cairo_pattern_create_linear(0, y, 0, y + h);
      if (lit) {
        AddStop(fill, 0, Hex(0xF6E39A));
        AddStop(fill, 1, Hex(0xB48A36));
      } else {
        AddStop(fill, 0, Hex(0x8C4E1E));
        AddStop(fill, 1, Hex(0x6E3A14));
      }
      cairo_set_source(cr, fill);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(fill);
      cairo_set_line_width(cr, 1);
      SetColour(cr, Hex(0x3A1606, 0.8));
      cairo_stroke(cr);
    }
    looks.push_back(canvas.RawWithAlpha());
  }
  Picture picture = FrameSet(std::move(looks));
  ShareSheet(picture);
  return picture;
}

// List entries: sub-sprite 0 normal, 1 selected, 2 hover; frame k is entry k's label.
// Opaque on the dialog's face colour, 220 x 30.
Picture BuildList(const std::vector<std::string>& labels) {
  std::vector<std::vector<Look>> states(3);
  for (int state = 0; state < 3; ++state) {
    for (const auto& label : labels) {
      Canvas canvas(220, 30);
      cairo_t* cr = canvas.cr();
      SetColour(cr, palette::kDialogFace);
      cairo_paint(cr);
      Colour ink = palette::kDialogInk;
      if (state == 1) {
        RoundedRect(cr, 1.5, 1.5, 217, 27, 6);
        FillVertical(cr, 1, 29, Hex(0x8E2D22), Hex(0x58150F), true);
        cairo_set_line_width(cr, 1.5);
        SetColour(cr, Hex(0xD4AE52));
        cairo_stroke(cr);
        ink = palette::kCream;
      } else if (state == 2) {
        RoundedRect(cr, 1.5, 1.5, 217, 27, 6);
        SetColour(cr, Hex(0xE6A263));
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1);
        SetColour(cr, Hex(0x640B00, 0.5));
        cairo_stroke(cr);
      }
      // A bullet: a filled diamond when selected.
      cairo_move_to(cr, 16, 9);
      cairo_line_to(cr, 22, 15);
      cairo_line_to(cr, 16, 21);
      cairo_line_to(cr, 10, 15);
      cairo_close_path(cr);
      SetColour(cr, state == 1 ? palette::kGold : Colour{ink.r, ink.g, ink.b, 0.6});
      state == 1 ? cairo_fill(cr) : (cairo_set_line_width(cr, 1.3), cairo_stroke(cr));
      Font font{"Liberation Sans", 16, true, false};
      font.size = FitTextSize(cr, label, font, 180);
      DrawText(cr, label, font, 32, 15, Align::kLeft, ink);
      states[state].push_back(canvas.OpaqueRaw());
    }
  }
  return StateSet(std::move(states));
}

Picture BuildKindList() {
  std::vector<std::string> labels;
  for (const char* name : kKindNames) labels.push_back(OneLine(name));
  return BuildList(labels);
}

Picture BuildLevelList() { return BuildList({kLevelNames[0], kLevelNames[1], kLevelNames[2]}); }

// but 19: a text field, 240 x 30: 0 normal, 1 pressed (editing), 2 hover.
Picture BuildTextField() {
  std::vector<std::vector<Look>> states;
  for (int state = 0; state < 3; ++state) {
    Canvas canvas(240, 30);
    cairo_t* cr = canvas.cr();
    SetColour(cr, palette::kDialogFace);
    cairo_paint(cr);
    RoundedRect(cr, 1, 1, 238, 28, 5);
    SetColour(cr, state == 0 ? Hex(0x9A5A22) : state == 1 ? Hex(0xE8C766) : Hex(0xC48A3C));
    cairo_fill(cr);
    RoundedRect(cr, 3.5, 3.5, 233, 23, 3);
    SetColour(cr, Hex(0xFBF3DF));
    cairo_fill(cr);
    // Inset shade along the top.
    cairo_move_to(cr, 5, 4.5);
    cairo_line_to(cr, 235, 4.5);
    cairo_set_line_width(cr, 1);
    SetColour(cr, Hex(0x000000, 0.18));
    cairo_stroke(cr);
    states.push_back({canvas.OpaqueRaw()});
  }
  return StateSet(std::move(states));
}

// End-of-game picture, 200 x 120: frame 0 a winner's cup, frame 1 the cup with
// fireworks for the human's win.
Picture BuildEndPicture() {
  std::vector<Look> looks;
  for (int frame = 0; frame < 2; ++frame) {
    Canvas canvas(200, 120);
    cairo_t* cr = canvas.cr();
    if (frame == 1) {
      const double rays = 16;
      for (int i = 0; i < rays; ++i) {
        const double a0 = i * 2 * M_PI / rays, a1 = a0 + M_PI / rays;
        cairo_move_to(cr, 100, 55);
        cairo_line_to(cr, 100 + 110 * std::cos(a0), 55 + 110 * std::sin(a0));
        cairo_line_to(cr, 100 + 110 * std::cos(a1), 55 + 110 * std::sin(a1));
        cairo_close_path(cr);
      }
      cairo_pattern_t* glow = cairo_pattern_create_radial(100, 55, 10, 100, 55, 95);
      cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.9, 0.5, 0.7);
      cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.9, 0.5, 0);
      cairo_set_source(cr, glow);
      cairo_fill(cr);
      cairo_pattern_destroy(glow);
      Noise noise(77);
      for (int i = 0; i < 14; ++i) {
        const double cx = noise.Range(12, 188), cy = noise.Range(8, 70), r = noise.Range(3, 6);
        for (int k = 0; k < 8; ++k) {
          const double a = k * M_PI / 4;
          cairo_move_to(cr, cx + r * 0.3 * std::cos(a), cy + r * 0.3 * std::sin(a));
          cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        }
        const Colour colours[3] = {Hex(0xFFE27A), Hex(0xFFFFFF), Hex(0xE25A3A)};
        SetColour(cr, colours[i % 3]);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
      }
    }
    // Laurel branches, from below the cup up both sides.
    for (double side : {-1.0, 1.0}) {
      for (int leaf = 0; leaf < 8; ++leaf) {
        const double t = leaf / 7.0;
        const double angle = M_PI * (0.55 + 0.55 * t);
        double lx = 100 + 52 * std::cos(angle);
        const double ly = 58 + 44 * std::sin(angle);
        if (side > 0) lx = 200 - lx;
        cairo_save(cr);
        cairo_translate(cr, lx, ly);
        cairo_rotate(cr, side < 0 ? angle + M_PI / 2 : -(angle + M_PI / 2));
        cairo_scale(cr, 1, 0.42);
        Circle(cr, 0, 0, 9);
        cairo_restore(cr);
        SetColour(cr, Mix(Hex(0x4E7A2A), Hex(0x9DBB4A), t));
        cairo_fill(cr);
      }
    }
    // The cup.
    cairo_pattern_t* gold = cairo_pattern_create_linear(70, 0, 130, 0);
    AddStop(gold, 0, Hex(0xA57A22));
    AddStop(gold, 0.35, Hex(0xFFE99A));
    AddStop(gold, 0.6, Hex(0xE0B34A));
    AddStop(gold, 1, Hex(0x8A6118));
    cairo_move_to(cr, 74, 22);
    cairo_line_to(cr, 126, 22);
    cairo_curve_to(cr, 126, 55, 112, 68, 104, 70);
    cairo_line_to(cr, 104, 86);
    cairo_line_to(cr, 116, 96);
    cairo_line_to(cr, 84, 96);
    cairo_line_to(cr, 96, 86);
    cairo_line_to(cr, 96, 70);
    cairo_curve_to(cr, 88, 68, 74, 55, 74, 22);
    cairo_close_path(cr);
    cairo_set_source(cr, gold);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, Hex(0x5E3E0C));
    cairo_stroke(cr);
    for (double side : {-1.0, 1.0}) {
      cairo_new_path(cr);
      cairo_arc(cr, 100 + side * 30, 36, 10, side > 0 ? -M_PI / 2 : M_PI / 2, side > 0 ? M_PI / 2 : 3 * M_PI / 2);
      cairo_set_source(cr, gold);
      cairo_set_line_width(cr, 4);
      cairo_stroke(cr);
    }
    cairo_pattern_destroy(gold);
    cairo_rectangle(cr, 78, 96, 44, 10);
    SetColour(cr, palette::kDarkWalnut);
    cairo_fill(cr);
    DrawCrown(cr, 100, 40, 22, Hex(0xB8861E));
    looks.push_back(canvas.RawWithAlpha());
  }
  return FrameSet(std::move(looks));
}

// but 25: the disc game's pass notice.
Picture BuildPassNotice() {
  Canvas canvas(260, 56);
  cairo_t* cr = canvas.cr();
  SoftShadowRect(cr, 3, 4, 254, 48, 10, 3, 0.55);
  RoundedRect(cr, 3, 3, 254, 48, 10);
  FillVertical(cr, 3, 51, Hex(0x9B2E22), Hex(0x55130E));
  BrassFrame(cr, 3, 3, 254, 48, 10, 3.5);
  DrawText(cr, "Вам некуда ходить", Font{"Liberation Serif", 19, true, false}, 130, 20, Align::kCentre, palette::kGold);
  DrawText(cr, "ход переходит к сопернику", Font{"Liberation Sans", 12, false, true}, 130, 38, Align::kCentre,
           palette::kCream);
  return OneFrame(canvas.RawWithAlpha());
}

}  // namespace gen_pictures
