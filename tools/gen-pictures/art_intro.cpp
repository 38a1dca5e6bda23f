// The intro picture (400 x 400, the whole window while the game starts).
#include <cmath>

#include "pictures.h"

namespace gen_pictures {

Picture BuildIntro() {
  Canvas canvas(400, 400);
  cairo_t* cr = canvas.cr();
  Wood(cr, 0, 0, 400, 400, palette::kWalnut, palette::kWalnutGrain, true, 401);
  BrassFrame(cr, 4, 4, 392, 392, 14, 5);
  // Title.
  Font title{"Liberation Serif", 62, true, true};
  DrawEngravedText(cr, "Tavlero", title, 200, 62, Align::kCentre, palette::kGold, Hex(0x1A0D06), Hex(0xFFF0B0, 0.35));
  DrawText(cr, "девять настольных игр", Font{"Liberation Serif", 20, false, true}, 200, 112, Align::kCentre,
           palette::kCream);
  // A corner of a board, seen from above, with pieces of several games on it.
  const double left = 70, top = 140, cell = 52;
  SoftShadowRect(cr, left + 3, top + 5, cell * 5, cell * 3.5, 4, 6, 0.5);
  cairo_save(cr);
  cairo_rectangle(cr, left, top, cell * 5, cell * 3.5);
  cairo_clip(cr);
  Wood(cr, left, top, cell * 5, cell * 3.5, palette::kMaple, palette::kMapleGrain, true, 402);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 5; ++c)
      if ((r + c) % 2 == 1)
        Wood(cr, left + c * cell, top + r * cell, cell, cell, palette::kBoardDark, palette::kBoardDarkGrain, c % 2 == 0,
             410 + r * 5 + c);
  cairo_restore(cr);
  BrassFrame(cr, left - 5, top - 5, cell * 5 + 10, cell * 3.5 + 10, 4, 5);
  DrawMan(cr, left + cell * 1.5, top + cell * 0.5, 21, Side::kDark, false);
  DrawMan(cr, left + cell * 3.5, top + cell * 0.5, 21, Side::kDark, true);
  DrawMan(cr, left + cell * 0.5, top + cell * 1.5, 21, Side::kLight, false);
  DrawMan(cr, left + cell * 2.5, top + cell * 2.5, 21, Side::kLight, true);
  DrawBead(cr, left + cell * 4.5, top + cell * 2.5, 13, palette::kRed);
  DrawStone(cr, left + cell * 1.1, top + cell * 3.0, 14, Side::kDark);
  // Dice in front.
  cairo_save(cr);
  cairo_translate(cr, 268, 300);
  cairo_rotate(cr, -0.22);
  DrawDie(cr, 0, 0, 40, 6, Hex(0xFBF7EE), Hex(0x1C1410));
  cairo_restore(cr);
  cairo_save(cr);
  cairo_translate(cr, 318, 292);
  cairo_rotate(cr, 0.3);
  DrawDie(cr, 0, 0, 40, 5, Hex(0xF3E2BE), Hex(0x8E1C14));
  cairo_restore(cr);
  // A parchment strip at the bottom for the version line.
  RoundedRect(cr, 110, 352, 180, 30, 8);
  SetColour(cr, palette::kParchment);
  cairo_fill(cr);
  BrassFrame(cr, 110, 352, 180, 30, 8, 2.5);
  return OneFrame(canvas.OpaqueJpeg(93));
}

}  // namespace gen_pictures
