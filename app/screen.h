// OScreen: the common base of every screen (intro, menus, dialogs, help, board). A
// screen is a rectangle of the window with its own off-screen surface, a list of
// sprites that move and animate on their own, a list of controls that take input, and
// a list of dirty rectangles. Each frame tick moves and animates the sprites, removes
// expired ones and redraws by one of three redraw modes. Screens stack: a screen shown
// modally remembers the screen below it and hands control back when it closes.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/control.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"
#include "gfx/surface.h"

namespace tavlero {

class OWindow;

class OScreen {
 public:
  static constexpr int kRedrawFull = 1, kRedrawChanged = 2, kRedrawDirty = 3;
  // At most this many frames are applied by one tick, however long it was.
  static constexpr int kMaxFramesPerTick = 5;
  static constexpr int kClipboardLimit = 100;

  OScreen(OWindow* owner, int x, int y, int width, int height);
  OScreen(const OScreen&) = delete;
  OScreen& operator=(const OScreen&) = delete;

  // Slot 0: deletes the surface and every sprite.
  virtual ~OScreen();
  // Slot 1: RemoveSprite, then out of the controls.
  virtual void RemoveControl(OControl* control, bool destroy);
  // Slot 2: out of the sprite list, its area marked dirty; deleted when destroy is set.
  virtual void RemoveSprite(OSprite* sprite, bool destroy);
  // Slot 3: empties the controls and the sprites, deleting the sprites when destroy is set.
  virtual void ClearSprites(bool destroy);
  // Slot 4: removes the sprites whose lifetime is 0.
  virtual void PurgeExpired(bool destroy);
  // Slot 5: takes ownership; ignored for a control without frames or sub-sprites.
  virtual void AddControl(OControl* control);
  // Slot 6: takes ownership; ignored for a sprite without frames or sub-sprites.
  virtual void AddSprite(OSprite* sprite);
  // Slot 7: the frame tick.
  virtual void OnFrame(int elapsedMs);
  // Slots 8-15: input in window client coordinates.
  virtual OControl* OnMouseMove(int x, int y);
  virtual int OnRButtonDown(int /*x*/, int /*y*/) { return 0; }
  virtual int OnRButtonUp(int /*x*/, int /*y*/) { return 0; }
  virtual OControl* OnLButtonDown(int x, int y);
  virtual OControl* OnLButtonUp(int x, int y);
  virtual int ReservedInput(int /*x*/, int /*y*/) { return 0; }
  virtual void OnKeyDown(int key, int modifiers);
  virtual int OnKeyUp(int /*key*/, int /*modifiers*/) { return 0; }
  // Slot 16: a control was clicked (the screen's command hook).
  virtual void OnControl(OControl* /*control*/) {}
  // Slot 17.
  virtual void OnChar(int character, int modifiers);
  // Slots 18-21: notifications; nothing in the base.
  virtual void OnModalClosed(OScreen* /*screen*/, int /*result*/) {}
  virtual void OnSpriteRemoved(OSprite* /*sprite*/) {}
  virtual void OnSpriteWaypoint(OSprite* /*sprite*/, const OWaypoint& /*waypoint*/) {}
  virtual void OnSpriteArrived(OSprite* /*sprite*/, const OWaypoint& /*waypoint*/) {}
  // Slot 22: makes this screen current in *ownerSlot, remembering the screen below.
  virtual void ShowModal(OScreen** ownerSlot);
  // Slot 23: gives control back to the screen below, which hears OnModalClosed.
  virtual void CloseModal(int result);

  void SetRect(int x, int y, int width, int height);
  // Full redraw: clear to the background colour, draw every sprite, copy to the window.
  void Draw();
  // Paints the screens below this one, bottom-up.
  void PaintBelow();
  void SetControlVisible(OControl* control, bool visible);
  // Marks the area spanning the sprite's last drawn and current positions dirty.
  void MarkDirty(const OSprite* sprite);
  // Adds a rectangle to the dirty list, merging it with every one it overlaps.
  void AddDirtyRect(ORect rect);

  OWindow* Owner() const { return owner_; }
  OSurface* Surface() const { return surface_; }
  OScreen* ScreenBelow() const { return screenBelow_; }
  OScreen** OwnerSlot() const { return ownerSlot_; }
  const std::vector<OSprite*>& Sprites() const { return sprites_; }
  const std::vector<OControl*>& Controls() const { return controls_; }
  const std::vector<ORect>& DirtyRects() const { return dirtyRects_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int FrameInterval() const { return frameInterval_; }
  bool MouseButtonDown() const { return mouseButtonDown_; }

  int redrawMode = kRedrawFull;
  std::uint32_t backgroundColour = 0;
  bool present = true;          // copy the surface to the window after drawing
  bool skipNextRedraw = false;  // the next tick skips its redraw once
  // Sprites added while the screen is shown take their place by depth (after every
  // sprite with a larger or equal z) instead of going on top of everything.
  bool keepDepthOrder = false;

 protected:
  // Where a sprite's pictures land now: the union of its shown pictures.
  static ORect CurrentRect(const OSprite& sprite);
  static ORect LastDrawnRect(const OSprite& sprite);

 private:
  void StepTowardsWaypoint(OSprite& sprite, double frames);
  void RedrawChanged();
  void RedrawDirty();
  void RecordDrawn(OSprite& sprite);
  void DrawSprite(OSprite& sprite, const ORect* clip);
  void Blit(const ORect* rect);
  void RecreateSurface();
  void DeleteSurface();
  void Detach(OSprite* sprite, bool destroy);
  void Insert(OSprite* sprite);
  void FeedClipboard();

  OWindow* owner_ = nullptr;
  std::vector<ORect> dirtyRects_;
  std::vector<OSprite*> sprites_;    // drawing order, first drawn first
  std::vector<OControl*> controls_;  // tab order
  int width_ = 0, height_ = 0;
  int x_ = 0, y_ = 0;
  bool mouseButtonDown_ = false;
  OSurface* surface_ = nullptr;
  OScreen* screenBelow_ = nullptr;
  int frameInterval_ = 1;
  OScreen** ownerSlot_ = nullptr;
  bool paintingBelow_ = false;  // guards PaintBelow against a stack that loops
  // The sprite the frame tick is working on, and whether a notification removed it.
  OSprite* tickSprite_ = nullptr;
  bool tickSpriteRemoved_ = false;
};

}  // namespace tavlero
