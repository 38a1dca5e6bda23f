#include "gfx/sprite.h"

#include <algorithm>

namespace tavlero {

OSprite::OSprite(const std::shared_ptr<OSheet>& sharedSheet) : sheet(sharedSheet) {}

OSprite::~OSprite() {
  for (OSprite* sub : subSprites) delete sub;
  for (OSurface* frame : frames) delete frame;
}

void OSprite::ClearContent() {
  // A parent may still show one of this sprite's frames.
  if (parent && !parent->shownFrames.empty() &&
      std::find(frames.begin(), frames.end(), parent->shownFrames[0]) != frames.end()) {
    parent->shownFrames[0] = nullptr;
  }
  for (OSprite* sub : subSprites) delete sub;
  for (OSurface* frame : frames) delete frame;
  subSprites.clear();
  frames.clear();
  frameCount = 0;
  subSpriteCount = 0;
  currentFrame = 0;
  currentSubSprite = 0;
  if (shownFrames.empty()) shownFrames.push_back(nullptr);
  shownFrames[0] = nullptr;
}

void OSprite::Reset() {
  ClearContent();
  width = height = 0;
  x = y = z = 0;
  vx = vy = vz = 0;
  transparencyLevel = -1;
  visible = true;
  stopped = false;
  moving = true;
  subPixel = false;
  shownFrames.assign(1, nullptr);
  alwaysRedraw = false;
  lifetime = -1;
  bounded = false;
  frameChanged = nullptr;
  left = right = top = bottom = -1;
  frameDuration = 100;
  timeInFrame = 0;
  path.clear();
  // The screen's record of where the sprite was drawn stays, so the old area is repainted.
  lastDrawn.changed = true;
}

void OSprite::GrowTo(const OSurface& frame) {
  width = std::max(width, frame.Width());
  height = std::max(height, frame.Height());
}

void OSprite::AddFrame(OSurface* frame) {
  if (!frame) return;
  if (!subSprites.empty()) ClearContent();
  frames.push_back(frame);
  frameCount = static_cast<int>(frames.size());
  GrowTo(*frame);
  if (shownFrames.empty()) shownFrames.push_back(nullptr);
  shownFrames[0] = frames[0];
  if (parent) {
    parent->GrowTo(*frame);
    // Only the sub-sprite on show decides what the parent shows.
    const auto& siblings = parent->subSprites;
    const int current = parent->currentSubSprite;
    if (current >= 0 && current < static_cast<int>(siblings.size()) && siblings[current] == this) {
      if (parent->shownFrames.empty()) parent->shownFrames.push_back(nullptr);
      parent->shownFrames[0] = frames[0];
      parent->frameCount = frameCount;
    }
  }
}

OSprite* OSprite::AddSubSprite() {
  if (!frames.empty()) ClearContent();
  auto* sub = new OSprite(sheet);
  sub->parent = this;
  subSprites.push_back(sub);
  subSpriteCount = static_cast<int>(subSprites.size());
  return sub;
}

void OSprite::SetStep(int command, int argument1, int argument2, int frame, int subSprite) {
  if (!frames.empty()) {
    OSurface* target = frames[std::clamp(frame, 0, static_cast<int>(frames.size()) - 1)];
    target->command = command;
    target->argument1 = argument1;
    target->argument2 = argument2;
  } else if (!subSprites.empty()) {
    if (subSprite < 0 || subSprite >= static_cast<int>(subSprites.size())) subSprite = 0;
    subSprites[subSprite]->SetStep(command, argument1, argument2, frame, -1);
  }
}

void OSprite::SetFrame(int frame, int subSprite) {
  if (shownFrames.empty()) shownFrames.push_back(nullptr);
  if (!frames.empty()) {
    frameCount = static_cast<int>(frames.size());
    timeInFrame = 0;
    currentFrame = frame >= 0 && frame < frameCount ? frame : 0;
    OSurface* shown = frames[currentFrame];
    shownFrames[0] = shown;
    OnFrameChanged();
    if (frameChanged) frameChanged(this);
    if (parent) {
      if (parent->shownFrames.empty()) parent->shownFrames.push_back(nullptr);
      parent->shownFrames[0] = shown;
      parent->OnFrameChanged();
      if (parent->frameChanged) parent->frameChanged(parent);
    }
  } else if (!subSprites.empty()) {
    const int count = static_cast<int>(subSprites.size());
    if (subSprite != -1) currentSubSprite = subSprite >= 0 && subSprite < count ? subSprite : 0;
    if (currentSubSprite < 0 || currentSubSprite >= count) currentSubSprite = 0;
    OSprite* sub = subSprites[currentSubSprite];
    frameCount = sub->frameCount;
    sub->SetFrame(frame, -1);
    currentFrame = sub->currentFrame;
    // An empty sub-sprite leaves nothing to show.
    if (sub->frames.empty() && sub->subSprites.empty()) shownFrames[0] = nullptr;
    OnFrameChanged();
    if (frameChanged) frameChanged(this);
  }
}

void OSprite::SetTransparency(int level) {
  transparencyLevel = level;
  for (OSurface* frame : frames) frame->transparencyLevel = level;
  for (OSprite* sub : subSprites) sub->SetTransparency(level);
}

void OSprite::SetColourKey(int key) {
  for (OSurface* frame : frames) frame->SetColourKey(key);
  for (OSprite* sub : subSprites) sub->SetColourKey(key);
}

void OSprite::AddWaypoint(double wx, double wy, double value, double speed, bool replace) {
  if (replace) path.clear();
  path.push_back({wx, wy, value, speed});
}

void OSprite::SetPath(const std::vector<OWaypoint>& waypoints, bool replace) {
  if (replace) path.clear();
  path.insert(path.end(), waypoints.begin(), waypoints.end());
}

int OSprite::AnimationKey() const {
  if (!frames.empty() || subSprites.empty()) return currentFrame;
  const int current = currentSubSprite >= 0 && currentSubSprite < static_cast<int>(subSprites.size())
                          ? currentSubSprite
                          : 0;
  return current * 1000 + subSprites[current]->currentFrame;
}

void OSprite::CopyFrom(const OSprite* other) {
  // A sprite never holds frames and sub-sprites at once; copying onto itself would
  // delete what it is about to read.
  if (!other || other == this || (!frames.empty() && !subSprites.empty())) return;
  ClearContent();
  sheet = other->sheet;
  width = other->width;
  height = other->height;
  for (const OSurface* frame : other->frames) {
    auto* copy = new OSurface(*frame);
    copy->command = frame->command;
    copy->argument1 = frame->argument1;
    copy->argument2 = frame->argument2;
    AddFrame(copy);
  }
  for (const OSprite* sub : other->subSprites) AddSubSprite()->CopyFrom(sub);
  if (!frames.empty()) {
    shownFrames[0] = frames[0];
  } else if (!subSprites.empty()) {
    OSprite* first = subSprites[0];
    shownFrames[0] = first->frames.empty() ? first->CurrentPicture() : first->frames[0];
  }
}

void OSprite::Kill() {
  lifetime = 0;
  OnKilled();
}

void OSprite::Advance() {
  if (!stopped && frameCount > 1) SetFrame(currentFrame + 1, -1);
}

void OSprite::ExecuteStep() {
  if (currentFrame < 0 || currentFrame >= static_cast<int>(frames.size())) currentFrame = 0;
  const OSurface& frame = *frames[currentFrame];
  // SetFrame below changes the current frame: read the step first.
  const int command = frame.command, argument1 = frame.argument1, argument2 = frame.argument2;
  switch (command) {
    case 0:
      Advance();
      break;
    case 1:
      stopped = true;
      break;
    case 2:
      if (parent) {
        parent->Kill();
      } else {
        Kill();
      }
      break;
    case 3:
      if (!stopped) {
        if (parent && argument2 != -1) {
          parent->SetFrame(argument1, argument2);
        } else {
          SetFrame(argument1, -1);
        }
      }
      break;
    case 4:
      if (parent && argument2 != 1000) {
        parent->SetFrame(argument1, argument2);
      } else {
        SetFrame(argument1, -1);
      }
      stopped = true;
      break;
    case 5:
      (parent ? parent : this)->OnEvent(argument1, argument2);
      Advance();
      break;
    default:
      break;
  }
}

void OSprite::OnFrame(int elapsedMs) {
  if (lifetime > 0) lifetime = std::max(0, lifetime - elapsedMs);
  // Checked before handing the tick to a sub-sprite, so that a bounded sprite made of
  // sub-sprites is killed too when it leaves its bounds.
  if (bounded && (x < left || y < top || right < x + width || bottom < y + height)) Kill();
  if (frames.empty()) {
    if (!subSprites.empty()) {
      if (currentSubSprite < 0 || currentSubSprite >= static_cast<int>(subSprites.size())) currentSubSprite = 0;
      subSprites[currentSubSprite]->OnFrame(elapsedMs);
    }
    return;
  }
  timeInFrame += elapsedMs;
  if (timeInFrame < frameDuration) return;
  if (parent) stopped = parent->stopped;
  ExecuteStep();
  if (parent) parent->stopped = stopped;
  timeInFrame = 0;
}

}  // namespace tavlero
