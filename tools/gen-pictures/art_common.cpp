// Materials shared by the panel and the dialogs: the buttons' faces, the game-kind
// miniatures, and the names the lists and displays show.
#include <cmath>

#include "pictures.h"

namespace gen_pictures {

const char* const kKindNames[9] = {"Чекерс",          "Реверси",  "Гомоку",         "Русские\nшашки", "Гекс",
                                   "Чекерс\nподдавки", "Поддавки", "Турецкие\nшашки", "Нарды"};
const char* const kLevelNames[3] = {"Лёгкий", "Средний", "Сложный"};

void DrawButtonFace(cairo_t* cr, double x, double y, double w, double h, double radius, ButtonState state) {
  if (state != ButtonState::kPressed) SoftShadowRect(cr, x + 1, y + 2, w - 2, h - 2, radius, 1.5, 0.4);
  RoundedRect(cr, x, y, w, h, radius);
  cairo_pattern_t* brass = BrassPattern(y, y + h);
  cairo_set_source(cr, brass);
  cairo_fill(cr);
  cairo_pattern_destroy(brass);
  const double inset = std::max(2.0, std::min(w, h) * 0.07);
  Colour top = Hex(0x8E2D22), bottom = Hex(0x58150F);
  if (state == ButtonState::kHover) {
    top = Hex(0xB23F2E);
    bottom = Hex(0x71201A);
  } else if (state == ButtonState::kPressed) {
    top = Hex(0x43100B);
    bottom = Hex(0x69201A);
  }
  RoundedRect(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, std::max(1.0, radius - inset));
  FillVertical(cr, y + inset, y + h - inset, top, bottom);
  cairo_set_line_width(cr, 1);
  if (state != ButtonState::kPressed) {
    cairo_move_to(cr, x + inset + radius * 0.6, y + inset + 1.5);
    cairo_line_to(cr, x + w - inset - radius * 0.6, y + inset + 1.5);
    cairo_set_source_rgba(cr, 1, 1, 1, state == ButtonState::kHover ? 0.35 : 0.22);
    cairo_stroke(cr);
  } else {
    RoundedRect(cr, x + inset + 0.5, y + inset + 0.5, w - 2 * inset - 1, h - 2 * inset - 1, std::max(1.0, radius - inset));
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_stroke(cr);
  }
}

Colour ButtonInk(ButtonState state) {
  switch (state) {
    case ButtonState::kHover: return Hex(0xFFE7A0);
    case ButtonState::kPressed: return Hex(0xE3CFA6);
    default: return palette::kCream;
  }
}

namespace {

void MiniChequers(cairo_t* cr, double x, double y, double size, int cells, bool allLight) {
  const double cell = size / cells;
  for (int r = 0; r < cells; ++r)
    for (int c = 0; c < cells; ++c) {
      cairo_rectangle(cr, x + c * cell, y + r * cell, cell, cell);
      const bool dark = !allLight && (r + c) % 2 == 1;
      SetColour(cr, dark ? palette::kBoardDark : palette::kMaple);
      cairo_fill(cr);
    }
  if (allLight) {
    cairo_set_line_width(cr, 0.8);
    SetColour(cr, Hex(0x7B4A28, 0.8));
    for (int i = 1; i < cells; ++i) {
      cairo_move_to(cr, x + i * cell, y);
      cairo_line_to(cr, x + i * cell, y + size);
      cairo_move_to(cr, x, y + i * cell);
      cairo_line_to(cr, x + size, y + i * cell);
    }
    cairo_stroke(cr);
  }
}

// Inverted goal: a small red badge with a downward arrow.
void InvertedBadge(cairo_t* cr, double cx, double cy, double r) {
  Circle(cr, cx, cy, r);
  SetColour(cr, Hex(0xC0392B));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  SetColour(cr, Hex(0xFFF3D0));
  cairo_stroke(cr);
  cairo_set_line_width(cr, r * 0.28);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, cx, cy - r * 0.55);
  cairo_line_to(cr, cx, cy + r * 0.5);
  cairo_move_to(cr, cx - r * 0.45, cy + r * 0.05);
  cairo_line_to(cr, cx, cy + r * 0.5);
  cairo_line_to(cr, cx + r * 0.45, cy + r * 0.05);
  cairo_stroke(cr);
}

}  // namespace

void DrawKindIcon(cairo_t* cr, int kind, double x, double y, double size) {
  cairo_save(cr);
  SoftShadowRect(cr, x + 1, y + 1.5, size, size, 3, 2, 0.5);
  RoundedRect(cr, x, y, size, size, 3);
  cairo_clip(cr);
  const double cell = size / 4;
  switch (kind) {
    case 0:
    case 3:
    case 5:
    case 6:
      MiniChequers(cr, x, y, size, 4, false);
      DrawMan(cr, x + cell * 1.5, y + cell * 0.5, cell * 0.4, Side::kDark, kind == 3 || kind == 6);
      DrawMan(cr, x + cell * 0.5, y + cell * 1.5, cell * 0.4, Side::kDark, false);
      DrawMan(cr, x + cell * 2.5, y + cell * 2.5, cell * 0.4, Side::kLight, false);
      DrawMan(cr, x + cell * 1.5, y + cell * 3.5, cell * 0.4, Side::kLight, kind == 3 || kind == 6);
      break;
    case 7:
      MiniChequers(cr, x, y, size, 4, true);
      for (int c = 0; c < 4; ++c) {
        DrawMan(cr, x + cell * (c + 0.5), y + cell * 0.5, cell * 0.4, Side::kDark, false);
        DrawMan(cr, x + cell * (c + 0.5), y + cell * 3.5, cell * 0.4, Side::kLight, c == 1);
      }
      break;
    case 1:
      MiniChequers(cr, x, y, size, 4, true);
      cairo_rectangle(cr, x, y, size, size);
      SetColour(cr, Hex(0x2F6B47, 0.85));
      cairo_fill(cr);
      for (int i = 0; i < 4; ++i) {
        const int c = 1 + i % 2, r = 1 + i / 2;
        DrawDisc(cr, x + cell * (c + 0.5), y + cell * (r + 0.5), cell * 0.4,
                 (c + r) % 2 == 0 ? Side::kLight : Side::kDark);
      }
      DrawDisc(cr, x + cell * 3.5, y + cell * 1.5, cell * 0.4, Side::kDark);
      break;
    case 2: {
      cairo_rectangle(cr, x, y, size, size);
      SetColour(cr, Hex(0xDDB36C));
      cairo_fill(cr);
      cairo_set_line_width(cr, 0.8);
      SetColour(cr, Hex(0x2E1C0C));
      const double pitch = size / 6;
      for (int i = 1; i < 6; ++i) {
        cairo_move_to(cr, x + i * pitch, y);
        cairo_line_to(cr, x + i * pitch, y + size);
        cairo_move_to(cr, x, y + i * pitch);
        cairo_line_to(cr, x + size, y + i * pitch);
      }
      cairo_stroke(cr);
      for (int i = 1; i < 6; ++i) DrawStone(cr, x + i * pitch, y + (6 - i) * pitch, pitch * 0.45, Side::kDark);
      DrawStone(cr, x + 2 * pitch, y + 2 * pitch, pitch * 0.45, Side::kLight);
      DrawStone(cr, x + 4 * pitch, y + 4 * pitch, pitch * 0.45, Side::kLight);
      break;
    }
    case 4: {
      cairo_rectangle(cr, x, y, size, size);
      SetColour(cr, palette::kDarkWalnut);
      cairo_fill(cr);
      const double w = size / 4.2, h = w * 1.1;
      for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
          const double hx = x + size * 0.42 - r * w / 2 + c * w - w * 0.4, hy = y + 4 + r * h * 0.75;
          cairo_new_path(cr);
          cairo_move_to(cr, hx + w / 2, hy);
          cairo_line_to(cr, hx + w, hy + h / 4);
          cairo_line_to(cr, hx + w, hy + h * 3 / 4);
          cairo_line_to(cr, hx + w / 2, hy + h);
          cairo_line_to(cr, hx, hy + h * 3 / 4);
          cairo_line_to(cr, hx, hy + h / 4);
          cairo_close_path(cr);
          SetColour(cr, Hex(0xEBD3A6));
          cairo_fill_preserve(cr);
          cairo_set_line_width(cr, 0.8);
          SetColour(cr, Hex(0x5B3A1E));
          cairo_stroke(cr);
          if ((r == 1 && c == 1) || (r == 2 && c == 1)) DrawBead(cr, hx + w / 2, hy + h / 2, w * 0.36, palette::kRed);
          if ((r == 1 && c == 2) || (r == 3 && c == 3)) DrawBead(cr, hx + w / 2, hy + h / 2, w * 0.36, palette::kBlue);
        }
      break;
    }
    default: {
      cairo_rectangle(cr, x, y, size, size);
      SetColour(cr, Hex(0x245638));
      cairo_fill(cr);
      for (int k = 0; k < 4; ++k) {
        const double px = x + k * cell;
        cairo_move_to(cr, px + 1, y);
        cairo_line_to(cr, px + cell - 1, y);
        cairo_line_to(cr, px + cell / 2, y + size * 0.42);
        cairo_close_path(cr);
        SetColour(cr, k % 2 ? Hex(0xEAD9B0) : Hex(0xA8322A));
        cairo_fill(cr);
      }
      DrawDie(cr, x + size * 0.14, y + size * 0.5, size * 0.32, 5, Hex(0xFBF7EE), Hex(0x1C1410));
      DrawDie(cr, x + size * 0.54, y + size * 0.56, size * 0.32, 3, Hex(0xFBF7EE), Hex(0x1C1410));
      break;
    }
  }
  cairo_restore(cr);
  RoundedRect(cr, x + 0.5, y + 0.5, size - 1, size - 1, 3);
  cairo_set_line_width(cr, 1);
  SetColour(cr, Hex(0x2A1408));
  cairo_stroke(cr);
  if (kind == 5 || kind == 6) InvertedBadge(cr, x + size - size * 0.16, y + size * 0.16, size * 0.14);
}

// ---- container shapes -----------------------------------------------------------

Picture OneFrame(Look look) {
  Picture picture;
  const int index = picture.AddFrame(std::move(look.frame));
  picture.AddSequence().push_back({look.offsetX, look.offsetY, index, look.colourKey, kAdvance, 0, 0});
  return picture;
}

Picture FrameSet(std::vector<Look> looks) {
  Picture picture;
  auto& sequence = picture.AddSequence();
  for (auto& look : looks) {
    const int index = picture.AddFrame(std::move(look.frame));
    sequence.push_back({look.offsetX, look.offsetY, index, look.colourKey, kStop, 0, 0});
  }
  return picture;
}

// A container with one sequence fills the sprite itself; sub-sprites need two or more.
Picture StateSet(std::vector<std::vector<Look>> states) {
  Picture picture;
  for (auto& looks : states) {
    std::vector<tavlero::PictureSequenceEntry> entries;
    for (auto& look : looks) {
      const int index = picture.AddFrame(std::move(look.frame));
      entries.push_back({look.offsetX, look.offsetY, index, look.colourKey, kStop, 0, 0});
    }
    picture.sequences.push_back(std::move(entries));
  }
  return picture;
}

void ShareSheet(Picture& picture) {
  int width = 0, height = 0;
  for (const auto& frame : picture.frames) {
    width += frame.width;
    height = std::max(height, frame.height);
  }
  picture.sheetWidth = width;
  picture.sheetHeight = height;
}

}  // namespace gen_pictures
