// OSprite: a displayable object made of surfaces. It holds either a list of frames
// (one animation) or a list of sub-sprites (several animations, one of them current),
// never both; a position, a free velocity, a path of waypoints, a lifetime and optional
// bounds. Screens (app/screen.h) move, animate and draw sprites; the picture container
// loader fills them.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "gfx/sheet.h"
#include "gfx/surface.h"

namespace tavlero {

// A point a moving sprite travels to, with the speed of the leg in pixels per frame.
struct OWaypoint {
  double x = 0, y = 0;
  double value = 0;  // carried along unchanged for the owner's use
  double speed = 0;
};

// What the screen last drew of a sprite; it decides what must be redrawn.
struct ODrawnState {
  int x = 0, y = 0;           // top-left of the drawn area
  int baseX = 0, baseY = 0;   // integer part of the sprite's position when drawn
  int width = 0, height = 0;  // size of the drawn area
  int transparencyLevel = 0;
  bool visible = false;
  int z = 0;                  // integer part of z
  int animationKey = 0;       // frame, or sub-sprite x 1000 + its frame
  bool changed = false;       // set by MarkChanged: redraw on the next tick
};

class OSprite {
 public:
  using FrameChangedCallback = void (*)(OSprite* sprite);

  explicit OSprite(const std::shared_ptr<OSheet>& sheet = nullptr);
  OSprite(const OSprite&) = delete;
  OSprite& operator=(const OSprite&) = delete;

  // Slot 0: deletes the sub-sprites and frames.
  virtual ~OSprite();
  // Slot 1: replaces the content with a picture container's pictures; false when
  // nothing could be loaded.
  virtual bool Load(const std::string& path);
  // Slot 2: deep copy; frames share the other's pixels.
  virtual void CopyFrom(const OSprite* other);
  // Slots 3-8: notifications; the base does nothing except animate in OnFrame.
  virtual void OnWaypoint(const OWaypoint& /*waypoint*/) {}
  virtual void OnArrived(const OWaypoint& /*waypoint*/) {}
  virtual void OnEvent(int /*argument1*/, int /*argument2*/) {}
  virtual void OnKilled() {}
  virtual void OnFrame(int elapsedMs);
  virtual void OnFrameChanged() {}

  // Takes ownership of the frame. Clears the sub-sprites when there are any.
  void AddFrame(OSurface* frame);
  // A new, empty sub-sprite sharing this sprite's sheet (clears the frames if any).
  OSprite* AddSubSprite();
  // Deletes the frames and sub-sprites (the other layers of the shown-frame list stay).
  void ClearContent();
  // ClearContent, then every field back to its default (the parent and sheet are kept).
  void Reset();

  // The animation step of frame k (clamped to the last), or of frame k of sub-sprite s.
  void SetStep(int command, int argument1, int argument2, int frame, int subSprite);
  // Shows a frame (index out of range: 0); for a sprite with sub-sprites, subSprite != -1
  // also selects the sub-sprite (out of range: 0).
  void SetFrame(int frame, int subSprite);
  // Every frame's transparency level, through all sub-sprites.
  void SetTransparency(int level);
  void SetColourKey(int key);
  void AddWaypoint(double x, double y, double value, double speed, bool replace);
  void SetPath(const std::vector<OWaypoint>& waypoints, bool replace);

  bool HasContent() const { return !frames.empty() || !subSprites.empty(); }
  // The current picture (entry 0 of the shown-frame list), or null.
  OSurface* CurrentPicture() const { return shownFrames.empty() ? nullptr : shownFrames[0]; }
  // Current frame, or for a sprite with sub-sprites sub-sprite x 1000 + its frame.
  int AnimationKey() const;
  // Asks the screen to redraw the sprite on its next tick.
  void MarkChanged() { lastDrawn.changed = true; }

  int width = 0, height = 0;  // the largest frame size seen
  double x = 0, y = 0, z = 0;  // larger z is drawn further back
  double vx = 0, vy = 0, vz = 0;  // free velocity in pixels per frame
  int transparencyLevel = -1;  // last level given with SetTransparency; -1 never set
  int currentFrame = 0;
  int frameCount = 0;
  int currentSubSprite = 0;
  int subSpriteCount = 0;
  bool visible = true;
  bool stopped = false;    // animation halted
  bool moving = true;      // the screen applies velocity and path
  bool subPixel = false;   // drawn at its exact position with filtering
  std::vector<OSurface*> frames;  // owned
  // The pictures drawn for the sprite, in order (not owned): entry 0 is the current
  // frame; controls add further layers.
  std::vector<OSurface*> shownFrames{nullptr};
  OSprite* parent = nullptr;
  std::vector<OSprite*> subSprites;  // owned
  bool alwaysRedraw = false;
  int lifetime = -1;  // ms; -1 unlimited; at 0 the screen removes the sprite
  bool bounded = false;  // killed when it leaves the bounds below
  FrameChangedCallback frameChanged = nullptr;
  int left = -1, right = -1, top = -1, bottom = -1;
  int frameDuration = 100;  // ms each frame is shown
  ODrawnState lastDrawn;
  int timeInFrame = 0;  // ms
  std::deque<OWaypoint> path;
  std::shared_ptr<OSheet> sheet;  // shared sheet for loaded frames

 private:
  void Advance();
  void ExecuteStep();
  void Kill();
  void GrowTo(const OSurface& frame);
};

}  // namespace tavlero
