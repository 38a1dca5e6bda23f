#include "ui/document_view.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/screen.h"
#include "gfx/button.h"
#include "gfx/control_look.h"
#include "gfx/sprite.h"
#include "platform/window_system.h"
#include "store/sealed_file.h"

namespace tavlero {

namespace {
constexpr double kViewDepth = -5;
constexpr int kPixelStep = 8, kLineStep = 1;

int ScrollBarWidth(const OSprite& up) { return std::max(up.width, 1); }
}  // namespace

std::string LoadDocumentText(const std::string& fileName, const std::string& key) {
  if (fileName.empty()) return "Invalid file name";
  if (!key.empty()) {
    std::string text;
    if (!LoadSealedFile(fileName, text, key)) return "Invalid file";
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
  }
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return "Invalid file";
  std::string text, word;
  while (file >> word) text += (word == "\\n" || word == "<br>" ? std::string(" \n") : word) + " ";
  return text;
}

ODocumentView::ODocumentView(OScreen& owner, const DocumentViewPlace& place, const OSprite& upPicture,
                             const OSprite& downPicture, const OSprite& thumbPicture, const OTextStyle& style,
                             bool pixelMode)
    : step(pixelMode ? kPixelStep : kLineStep),
      owner_(owner),
      place_(place),
      pixelMode_(pixelMode),
      box_(&style, 0, 0, std::max(1, TextWidth(place, ScrollBarWidth(upPicture))), std::max(1, TextHeight(place))) {
  text_ = new OSprite();
  // The sprite's frame is a second view of the box's pixels, so every Render shows.
  text_->AddFrame(new OSurface(box_.Surface()));
  text_->x = place.x + place.margin;
  text_->y = place.y + place.margin;
  text_->z = kViewDepth;
  owner_.AddSprite(text_);

  const int barX = place.x + place.width - ScrollBarWidth(upPicture);
  auto makePart = [&](const OSprite& picture, double y) {
    auto* part = new OSprite();
    part->CopyFrom(&picture);
    part->x = barX;
    part->y = y;
    part->z = kViewDepth;
    ShowLook(*part, OButton::kNormal);
    owner_.AddSprite(part);
    return part;
  };
  up_ = makePart(upPicture, place.y);
  down_ = makePart(downPicture, place.y + place.height - downPicture.height);
  thumb_ = makePart(thumbPicture, TrackTop());
}

void ODocumentView::Load(const std::string& fileName, const std::string& key) {
  SetText(LoadDocumentText(fileName, key));
}

void ODocumentView::SetText(const std::string& text) {
  box_.Clear();
  box_.SetText(text, 0, false);
  position_ = 0;
  ScrollTo(0);
}

int ODocumentView::TrackTop() const { return static_cast<int>(up_->y) + up_->height; }
int ODocumentView::TrackBottom() const { return static_cast<int>(down_->y); }
int ODocumentView::FreeTrack() const { return std::max(0, TrackBottom() - TrackTop() - thumb_->height); }

int ODocumentView::PageSize() const {
  if (pixelMode_) return box_.Height();
  int lines = 0, height = 0;
  for (int line = position_; line < box_.LineCount(); ++line) {
    height += box_.LineHeight(line) + (lines > 0 ? box_.lineGap : 0);
    if (height > box_.Height()) break;
    ++lines;
  }
  return std::max(lines, 1);
}

int ODocumentView::Range() const {
  if (pixelMode_) return std::max(0, box_.TextHeight() - box_.Height());
  // Lines that fit when the last line is at the bottom.
  int fit = 0, height = 0;
  for (int line = box_.LineCount() - 1; line >= 0; --line) {
    height += box_.LineHeight(line) + (fit > 0 ? box_.lineGap : 0);
    if (height > box_.Height()) break;
    ++fit;
  }
  return std::max(0, box_.LineCount() - std::max(fit, 1));
}

int ODocumentView::ThumbTop() const { return static_cast<int>(thumb_->y); }

void ODocumentView::PlaceThumb() {
  const int range = std::max(Range(), 1);
  thumb_->y = TrackTop() + static_cast<long long>(FreeTrack()) * position_ / range;
}

void ODocumentView::Redraw() {
  box_.Render(position_, pixelMode_);
  text_->MarkChanged();
}

void ODocumentView::ScrollTo(int position) {
  position_ = std::clamp(position, 0, Range());
  PlaceThumb();
  Redraw();
}

bool ODocumentView::KeyDown(int key) {
  switch (key) {
    case platform::vk::kUp: scrollState_ = kScrollingUp; return true;
    case platform::vk::kDown: scrollState_ = kScrollingDown; return true;
    case platform::vk::kPageDown: ScrollTo(position_ + PageSize()); return true;
    case platform::vk::kPageUp: ScrollTo(position_ - PageSize()); return true;
    case platform::vk::kHome: ScrollTo(0); return true;
    case platform::vk::kEnd: ScrollTo(Range()); return true;
    default: return false;
  }
}

void ODocumentView::KeyUp(int) { scrollState_ = kStill; }

bool ODocumentView::Inside(const OSprite& sprite, int x, int y) {
  return x >= sprite.x && x < sprite.x + sprite.width && y >= sprite.y && y < sprite.y + sprite.height;
}

bool ODocumentView::LButtonDown(int x, int y) {
  if (Inside(*up_, x, y)) {
    scrollState_ = kScrollingUp;
    ShowLook(*up_, OButton::kPressed);
  } else if (Inside(*down_, x, y)) {
    scrollState_ = kScrollingDown;
    ShowLook(*down_, OButton::kPressed);
  } else if (Inside(*thumb_, x, y)) {
    dragging_ = true;
    grabOffset_ = y - ThumbTop();
    ShowLook(*thumb_, OButton::kPressed);
  } else if (x >= up_->x && x < up_->x + up_->width && y >= TrackTop() && y < TrackBottom()) {
    // The track outside the thumb turns a page towards the click.
    ScrollTo(y < ThumbTop() ? position_ - PageSize() : position_ + PageSize());
  } else {
    return false;
  }
  return true;
}

void ODocumentView::LButtonUp(int, int) {
  scrollState_ = kStill;
  for (OSprite* part : {up_, down_, thumb_}) ShowLook(*part, OButton::kNormal);
  if (!dragging_) return;
  dragging_ = false;
  const int free = FreeTrack();
  const int position = free > 0 ? (ThumbTop() - TrackTop()) * std::max(Range(), 1) / free : 0;
  position_ = std::clamp(position, 0, Range());
  Redraw();
}

void ODocumentView::Tick(int mouseY) {
  if (dragging_) {
    const int top = std::clamp(mouseY - grabOffset_, TrackTop(), TrackTop() + FreeTrack());
    thumb_->y = top;
    const int free = FreeTrack();
    const int position = free > 0 ? (top - TrackTop()) * std::max(Range(), 1) / free : 0;
    if (std::clamp(position, 0, Range()) != position_) {
      position_ = std::clamp(position, 0, Range());
      Redraw();
    }
    return;
  }
  if (scrollState_ == kScrollingUp) ScrollTo(position_ - step);
  if (scrollState_ == kScrollingDown) ScrollTo(position_ + step);
}

}  // namespace tavlero
