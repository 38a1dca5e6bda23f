#include "app/screen.h"

#include <algorithm>
#include <cmath>

#include "app/window.h"
#include "platform/window_system.h"

namespace tavlero {
namespace {

// The smallest rectangle holding both; an empty one adds nothing.
ORect Span(const ORect& a, const ORect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return a.Union(b);
}

int Sign(double value) { return (value > 0) - (value < 0); }

}  // namespace

OScreen::OScreen(OWindow* owner, int x, int y, int width, int height) : owner_(owner) {
  frameInterval_ = std::max(1, owner ? owner->GetFrameInterval() : 1);
  SetRect(x, y, width, height);
}

OScreen::~OScreen() {
  DeleteSurface();
  ClearSprites(true);
}

void OScreen::SetRect(int x, int y, int width, int height) {
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  if (surface_) RecreateSurface();
}

void OScreen::RecreateSurface() {
  DeleteSurface();
  surface_ = new OSurface(std::max(width_, 0), std::max(height_, 0));
}

void OScreen::DeleteSurface() {
  delete surface_;
  surface_ = nullptr;
}

// ---------------------------------------------------------------------------------------
// Sprite and control lists

void OScreen::Detach(OSprite* sprite, bool destroy) {
  if (sprite == tickSprite_) tickSpriteRemoved_ = true;
  if (!destroy) return;
  // A deleted control must not stay in the control list.
  controls_.erase(std::remove(controls_.begin(), controls_.end(), sprite), controls_.end());
  delete sprite;
}

void OScreen::RemoveControl(OControl* control, bool destroy) {
  RemoveSprite(control, destroy);
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void OScreen::RemoveSprite(OSprite* sprite, bool destroy) {
  const auto it = std::find(sprites_.begin(), sprites_.end(), sprite);
  if (it == sprites_.end()) return;
  MarkDirty(sprite);
  sprites_.erase(it);
  Detach(sprite, destroy);
}

void OScreen::ClearSprites(bool destroy) {
  controls_.clear();
  std::vector<OSprite*> sprites;
  sprites.swap(sprites_);
  for (OSprite* sprite : sprites) Detach(sprite, destroy);
}

void OScreen::PurgeExpired(bool destroy) {
  std::vector<OSprite*> expired;
  std::vector<OSprite*> kept;
  for (OSprite* sprite : sprites_) (sprite->lifetime != 0 ? kept : expired).push_back(sprite);
  sprites_.swap(kept);
  for (OSprite* sprite : expired) {
    sprite->lifetime = -1;
    MarkDirty(sprite);
    Detach(sprite, destroy);
  }
}

void OScreen::AddControl(OControl* control) {
  if (!control || !control->HasContent()) return;
  // Added twice it would be deleted twice.
  if (std::find(sprites_.begin(), sprites_.end(), control) == sprites_.end()) Insert(control);
  if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) controls_.push_back(control);
}

void OScreen::AddSprite(OSprite* sprite) {
  if (!sprite || !sprite->HasContent()) return;
  if (std::find(sprites_.begin(), sprites_.end(), sprite) != sprites_.end()) return;
  sprite->lastDrawn.visible = false;
  Insert(sprite);
}

void OScreen::Insert(OSprite* sprite) {
  if (!keepDepthOrder) {
    sprites_.push_back(sprite);
    return;
  }
  const auto place = std::find_if(sprites_.begin(), sprites_.end(),
                                   [sprite](const OSprite* other) { return other->z < sprite->z; });
  sprites_.insert(place, sprite);
}

void OScreen::SetControlVisible(OControl* control, bool visible) {
  if (control) control->visible = visible;
}

// ---------------------------------------------------------------------------------------
// Frame tick and motion

void OScreen::OnFrame(int elapsedMs) {
  const int wholeFrames = std::clamp(elapsedMs / frameInterval_, 0, kMaxFramesPerTick);
  const double frames = wholeFrames;

  for (std::size_t i = 0; i < sprites_.size();) {
    OSprite* sprite = sprites_[i];
    tickSprite_ = sprite;
    tickSpriteRemoved_ = false;

    if (sprite->moving) {
      if (sprite->path.empty()) {
        sprite->x += frames * sprite->vx;
        sprite->y += frames * sprite->vy;
        sprite->z += frames * sprite->vz;
      } else {
        StepTowardsWaypoint(*sprite, frames);
      }
    }
    if (!tickSpriteRemoved_) sprite->OnFrame(elapsedMs);
    if (!tickSpriteRemoved_ && sprite->lifetime == 0) {
      OnSpriteRemoved(sprite);
      if (!tickSpriteRemoved_) sprite->OnKilled();
      if (!tickSpriteRemoved_) RemoveSprite(sprite, true);
    }

    if (tickSpriteRemoved_) {
      // The next sprite has moved into this place (or the list ended).
      continue;
    }
    // Notifications may have added or removed other sprites: carry on after this one.
    if (i >= sprites_.size() || sprites_[i] != sprite) {
      const auto it = std::find(sprites_.begin(), sprites_.end(), sprite);
      i = it == sprites_.end() ? i : static_cast<std::size_t>(it - sprites_.begin());
    }
    ++i;
  }
  tickSprite_ = nullptr;
  tickSpriteRemoved_ = false;

  if (skipNextRedraw) {
    skipNextRedraw = false;
    return;
  }
  switch (redrawMode) {
    case kRedrawFull:
      Draw();
      break;
    case kRedrawChanged:
      RedrawChanged();
      break;
    case kRedrawDirty:
      RedrawDirty();
      break;
    default:
      break;
  }
}

void OScreen::StepTowardsWaypoint(OSprite& sprite, double frames) {
  const OWaypoint target = sprite.path.front();
  const double tx = target.x, ty = target.y, speed = target.speed;
  double dx = 0, dy = 0;
  bool straight = true;
  if (std::fabs(tx - sprite.x) < 0.00001) {
    dx = 0.00001;
    dy = Sign(ty - sprite.y) * speed;
    straight = false;
  }
  if (std::fabs(ty - sprite.y) < 0.00001) {
    dy = 0.00001;
    dx = Sign(tx - sprite.x) * speed;
    straight = false;
  }
  if (straight) {
    const double t = std::fabs((ty - sprite.y) / (tx - sprite.x));
    const double m = std::sqrt(speed * speed / (t * t + 1));
    dx = Sign(tx - sprite.x) * m;
    dy = Sign(ty - sprite.y) * std::fabs(dx) * t;
  }
  dx *= frames;
  dy *= frames;

  if (std::fabs(sprite.x - tx) + std::fabs(sprite.y - ty) > std::fabs(dx) + std::fabs(dy)) {
    sprite.x += dx;
    sprite.y += dy;
    return;
  }
  sprite.x = tx;
  sprite.y = ty;
  sprite.path.pop_front();
  if (sprite.path.empty()) {
    sprite.OnArrived(target);
    OnSpriteArrived(&sprite, target);
    if (tickSpriteRemoved_) return;
    sprite.vx = 0;
    sprite.vy = 0;
  } else {
    sprite.OnWaypoint(target);
    OnSpriteWaypoint(&sprite, target);
  }
}

// ---------------------------------------------------------------------------------------
// Drawing

ORect OScreen::CurrentRect(const OSprite& sprite) {
  const int baseX = static_cast<int>(sprite.x), baseY = static_cast<int>(sprite.y);
  ORect area{baseX, baseY, baseX, baseY};
  bool any = false;
  for (const OSurface* picture : sprite.shownFrames) {
    if (!picture) continue;
    const int left = baseX + picture->offsetX, top = baseY + picture->offsetY;
    const ORect part{left, top, left + picture->Width(), top + picture->Height()};
    area = any ? area.Union(part) : part;
    any = true;
  }
  // Filtered drawing reaches one pixel further right and down.
  if (any && sprite.subPixel) {
    ++area.right;
    ++area.bottom;
  }
  return area;
}

ORect OScreen::LastDrawnRect(const OSprite& sprite) {
  const ODrawnState& drawn = sprite.lastDrawn;
  return {drawn.x, drawn.y, drawn.x + drawn.width, drawn.y + drawn.height};
}

void OScreen::RecordDrawn(OSprite& sprite) {
  const ORect area = CurrentRect(sprite);
  ODrawnState& drawn = sprite.lastDrawn;
  drawn.x = area.left;
  drawn.y = area.top;
  drawn.baseX = static_cast<int>(sprite.x);
  drawn.baseY = static_cast<int>(sprite.y);
  drawn.width = area.Width();
  drawn.height = area.Height();
  drawn.transparencyLevel = sprite.transparencyLevel;
  drawn.visible = sprite.visible;
  drawn.z = static_cast<int>(sprite.z);
  drawn.animationKey = sprite.AnimationKey();
  drawn.changed = false;
}

void OScreen::DrawSprite(OSprite& sprite, const ORect* clip) {
  const int baseX = static_cast<int>(sprite.x), baseY = static_cast<int>(sprite.y);
  for (const OSurface* picture : sprite.shownFrames) {
    if (!picture) continue;
    // Filtering needs a transparency plane; other pictures are drawn whole pixels.
    if (sprite.subPixel && picture->TransparencyPlane()) {
      surface_->DrawSubPixel(picture, sprite.x + picture->offsetX, sprite.y + picture->offsetY, clip);
      continue;
    }
    const int left = baseX + picture->offsetX, top = baseY + picture->offsetY;
    if (!clip) {
      surface_->Draw(picture, left, top);
      continue;
    }
    const ORect part = ORect{left, top, left + picture->Width(), top + picture->Height()}.Intersection(*clip);
    if (part.IsEmpty()) continue;
    const ORect source{part.left - left, part.top - top, part.right - left, part.bottom - top};
    surface_->Draw(picture, part.left, part.top, &source);
  }
}

void OScreen::Blit(const ORect* rect) {
  if (!present || !owner_ || !surface_ || !surface_->HasPixels()) return;
  owner_->BlitSurface(*surface_, x_ + surface_->offsetX, y_ + surface_->offsetY, rect);
}

void OScreen::Draw() {
  if (!surface_ || !surface_->HasPixels()) return;
  surface_->clearColour = backgroundColour;
  surface_->Clear();
  for (OSprite* sprite : sprites_) {
    RecordDrawn(*sprite);
    if (sprite->visible) DrawSprite(*sprite, nullptr);
  }
  // Everything is repainted: no area is left waiting.
  dirtyRects_.clear();
  Blit(nullptr);
}

void OScreen::RedrawChanged() {
  if (!surface_ || !surface_->HasPixels()) return;
  surface_->clearColour = backgroundColour;
  for (OSprite* sprite : sprites_) {
    if (!sprite->visible) continue;
    const ORect now = CurrentRect(*sprite);
    const ODrawnState& drawn = sprite->lastDrawn;
    const bool unchanged = !sprite->alwaysRedraw && !drawn.changed && drawn.visible &&
                           now.left == drawn.x && now.top == drawn.y &&
                           sprite->AnimationKey() == drawn.animationKey;
    if (unchanged) continue;

    const ORect old = LastDrawnRect(*sprite);
    const int oldBaseX = drawn.baseX, oldBaseY = drawn.baseY;
    const bool erase = drawn.visible;
    const int baseX = static_cast<int>(sprite->x), baseY = static_cast<int>(sprite->y);
    for (OSurface* picture : sprite->shownFrames) {
      if (!picture) continue;
      if (erase) {
        // The picture's silhouette in the background colour wipes it from the old place.
        const int level = picture->transparencyLevel;
        picture->transparencyLevel = OSurface::kSilhouetteLevel;
        surface_->Draw(picture, oldBaseX + picture->offsetX, oldBaseY + picture->offsetY);
        picture->transparencyLevel = level;
      }
      if (sprite->subPixel && picture->TransparencyPlane()) {
        surface_->DrawSubPixel(picture, sprite->x + picture->offsetX, sprite->y + picture->offsetY);
      } else {
        surface_->Draw(picture, baseX + picture->offsetX, baseY + picture->offsetY);
      }
    }
    RecordDrawn(*sprite);
    const ORect span = erase ? Span(old, now) : now;
    const ORect visible = span.Intersection({0, 0, surface_->Width(), surface_->Height()});
    if (!visible.IsEmpty()) Blit(&visible);
  }
}

void OScreen::RedrawDirty() {
  if (!surface_ || !surface_->HasPixels()) return;
  for (OSprite* sprite : sprites_) {
    const ORect now = CurrentRect(*sprite);
    const ODrawnState& drawn = sprite->lastDrawn;
    const bool changed = drawn.changed || sprite->alwaysRedraw || sprite->subPixel ||
                         now != LastDrawnRect(*sprite) || sprite->AnimationKey() != drawn.animationKey ||
                         sprite->visible != drawn.visible ||
                         sprite->transparencyLevel != drawn.transparencyLevel;
    if (!changed) continue;
    if (drawn.visible) AddDirtyRect(LastDrawnRect(*sprite));
    AddDirtyRect(now);
    RecordDrawn(*sprite);
  }

  const ORect bounds{0, 0, surface_->Width(), surface_->Height()};
  surface_->clearColour = backgroundColour;
  for (const ORect& dirty : dirtyRects_) {
    surface_->Clear(&dirty);
    for (OSprite* sprite : sprites_) {
      if (sprite->visible && LastDrawnRect(*sprite).Overlaps(dirty)) DrawSprite(*sprite, &dirty);
    }
  }
  for (const ORect& dirty : dirtyRects_) {
    const ORect visible = dirty.Intersection(bounds);
    if (!visible.IsEmpty()) Blit(&visible);
  }
  dirtyRects_.clear();
}

void OScreen::AddDirtyRect(ORect rect) {
  // Merging can make the grown rectangle reach others: repeat until none overlaps.
  for (bool merged = true; merged;) {
    merged = false;
    for (auto it = dirtyRects_.begin(); it != dirtyRects_.end(); ++it) {
      if (rect.Overlaps(*it)) {
        rect = rect.Union(*it);
        dirtyRects_.erase(it);
        merged = true;
        break;
      }
    }
  }
  if (!rect.IsEmpty()) dirtyRects_.push_back(rect);
}

void OScreen::MarkDirty(const OSprite* sprite) {
  if (!sprite) return;
  const ORect now = CurrentRect(*sprite);
  AddDirtyRect(sprite->lastDrawn.visible ? Span(LastDrawnRect(*sprite), now) : now);
}

void OScreen::PaintBelow() {
  if (!screenBelow_ || paintingBelow_) return;
  paintingBelow_ = true;
  screenBelow_->PaintBelow();
  screenBelow_->Draw();
  paintingBelow_ = false;
}

// ---------------------------------------------------------------------------------------
// Input

OControl* OScreen::OnMouseMove(int x, int y) {
  OControl* accepted = nullptr;
  for (OControl* control : controls_) {
    if (control->visible && control->MouseMove(x - x_, y - y_, mouseButtonDown_)) accepted = control;
  }
  return accepted;
}

OControl* OScreen::OnLButtonDown(int x, int y) {
  mouseButtonDown_ = true;
  OControl* accepted = nullptr;
  for (OControl* control : controls_) {
    if (control->visible && control->LButtonDown(x - x_, y - y_)) accepted = control;
  }
  return accepted;
}

OControl* OScreen::OnLButtonUp(int x, int y) {
  mouseButtonDown_ = false;
  OControl* accepted = nullptr;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    OControl* control = controls_[i];
    if (control->visible && control->LButtonUp(x - x_, y - y_)) {
      accepted = control;
      if (control->clicked) {
        // The click is used up here, so a later release over the control without a
        // new press on it cannot fire it again.
        control->clicked = false;
        OnControl(control);
        return control;
      }
    }
    control->clicked = false;
  }
  return accepted;
}

void OScreen::OnKeyDown(int key, int modifiers) {
  if (key == platform::vk::kTab) {
    const std::size_t count = controls_.size();
    for (std::size_t i = 0; i < count;) {
      if (!controls_[i]->hasFocus) {
        ++i;
        continue;
      }
      controls_[i]->SetFocus(false);
      const std::size_t next = (i + 1) % count;
      controls_[next]->SetFocus(true);
      if (next == 0) break;  // wrapped round: every control has been visited
      i = next + 1;
    }
    return;
  }
  const bool paste = (key == 'V' && (modifiers & platform::modifier::kCtrl)) ||
                     ((key == platform::vk::kInsert || key == platform::vk::kNumpad0) &&
                      (modifiers & platform::modifier::kShift));
  if (paste) {
    FeedClipboard();
    return;
  }
  for (OControl* control : controls_) {
    if (control->hasFocus) control->KeyDown(key, modifiers);
  }
}

void OScreen::FeedClipboard() {
  if (!owner_) return;
  char text[kClipboardLimit + 1] = {};
  owner_->ReadClipboardText(text, kClipboardLimit);
  for (const char* c = text; *c; ++c) {
    for (OControl* control : controls_) {
      if (control->hasFocus) control->Char(static_cast<signed char>(*c), 0);
    }
  }
}

void OScreen::OnChar(int character, int modifiers) {
  for (OControl* control : controls_) {
    if (control->hasFocus) control->Char(character, modifiers);
  }
}

// ---------------------------------------------------------------------------------------
// Modal stack

void OScreen::ShowModal(OScreen** ownerSlot) {
  RecreateSurface();
  if (!ownerSlot) return;
  ownerSlot_ = ownerSlot;
  // Shown again while current, the screen keeps the one below it instead of lying on itself.
  if (*ownerSlot != this) screenBelow_ = *ownerSlot;
  *ownerSlot = this;
  if (screenBelow_) screenBelow_->skipNextRedraw = true;
  std::stable_sort(sprites_.begin(), sprites_.end(),
                   [](const OSprite* a, const OSprite* b) { return a->z > b->z; });
  Draw();
  if (owner_) {
    int cx = 0, cy = 0;
    owner_->GetCursorClientPos(cx, cy);
    OnMouseMove(cx, cy);
  }
}

void OScreen::CloseModal(int result) {
  DeleteSurface();
  if (!screenBelow_ || !ownerSlot_) return;
  OScreen* below = screenBelow_;
  *ownerSlot_ = below;
  // Cleared before the notification, which may show this screen again.
  screenBelow_ = nullptr;
  ownerSlot_ = nullptr;
  skipNextRedraw = true;
  below->Draw();
  int cx = 0, cy = 0;
  if (owner_) owner_->GetCursorClientPos(cx, cy);
  below->OnMouseMove(cx, cy);
  below->OnModalClosed(this, result);
}

}  // namespace tavlero
