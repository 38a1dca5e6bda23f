#include "gfx/sprite.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavlero {
namespace {

OSurface* Frame(int w, int h, std::uint32_t colour = 0x808080) {
  auto* frame = new OSurface(w, h);
  frame->clearColour = colour;
  frame->Clear();
  return frame;
}

// Records the notifications a sprite receives.
class RecordingSprite : public OSprite {
 public:
  using OSprite::OSprite;
  void OnKilled() override { ++killed; }
  void OnEvent(int a, int b) override { events.push_back({a, b}); }
  void OnFrameChanged() override { ++frameChanges; }
  int killed = 0;
  int frameChanges = 0;
  std::vector<std::pair<int, int>> events;
};

TEST(SpriteContentTest, FramesAndSubSpritesExcludeEachOtherAndSizesGrow) {
  OSprite sprite;
  sprite.AddFrame(Frame(4, 2));
  sprite.AddFrame(Frame(2, 6));
  EXPECT_EQ(sprite.frameCount, 2);
  EXPECT_EQ(sprite.width, 4);
  EXPECT_EQ(sprite.height, 6);
  EXPECT_EQ(sprite.CurrentPicture(), sprite.frames[0]);

  OSprite* sub = sprite.AddSubSprite();
  EXPECT_TRUE(sprite.frames.empty());
  EXPECT_EQ(sprite.frameCount, 0);
  EXPECT_EQ(sprite.subSpriteCount, 1);
  EXPECT_EQ(sub->parent, &sprite);
  sub->AddFrame(Frame(9, 1));
  EXPECT_EQ(sprite.width, 9);  // a parent grows with its sub-sprites' frames

  sprite.AddFrame(Frame(1, 1));
  EXPECT_TRUE(sprite.subSprites.empty());
  EXPECT_EQ(sprite.subSpriteCount, 0);
  EXPECT_EQ(sprite.frameCount, 1);
}

TEST(SpriteContentTest, TheParentShowsItsCurrentSubSpriteWhileSubSpritesAreFilled) {
  // Looks are loaded one after the other: the parent must keep showing look 0, not the
  // last one loaded.
  auto sheet = OSheet::Create(30, 10);
  OSprite button(sheet);
  std::vector<OSurface*> firsts;
  for (int look = 0; look < 3; ++look) {
    OSprite* sub = button.AddSubSprite();
    EXPECT_EQ(sub->sheet, sheet);
    firsts.push_back(Frame(5, 5));
    sub->AddFrame(firsts.back());
    sub->AddFrame(Frame(5, 5));
  }
  EXPECT_EQ(button.CurrentPicture(), firsts[0]);
  EXPECT_EQ(button.frameCount, 2);

  button.SetFrame(1, 2);
  EXPECT_EQ(button.currentSubSprite, 2);
  EXPECT_EQ(button.currentFrame, 1);
  EXPECT_EQ(button.CurrentPicture(), button.subSprites[2]->frames[1]);
  EXPECT_EQ(button.AnimationKey(), 2001);

  button.SetFrame(0, 7);  // out of range: sub-sprite 0
  EXPECT_EQ(button.currentSubSprite, 0);
  EXPECT_EQ(button.CurrentPicture(), firsts[0]);
  button.SetFrame(5, -1);  // keeps the sub-sprite, frame out of range: 0
  EXPECT_EQ(button.currentSubSprite, 0);
  EXPECT_EQ(button.currentFrame, 0);
}

TEST(SpriteContentTest, SetFrameNotifiesAndWrapsOutOfRangeIndices) {
  RecordingSprite sprite;
  sprite.AddFrame(Frame(1, 1));
  sprite.AddFrame(Frame(1, 1));
  static int callbacks;
  callbacks = 0;
  sprite.frameChanged = [](OSprite*) { ++callbacks; };
  sprite.timeInFrame = 50;
  sprite.SetFrame(1, -1);
  EXPECT_EQ(sprite.currentFrame, 1);
  EXPECT_EQ(sprite.timeInFrame, 0);
  EXPECT_EQ(sprite.CurrentPicture(), sprite.frames[1]);
  sprite.SetFrame(2, -1);
  EXPECT_EQ(sprite.currentFrame, 0);
  sprite.SetFrame(-1, -1);
  EXPECT_EQ(sprite.currentFrame, 0);
  EXPECT_EQ(sprite.frameChanges, 3);
  EXPECT_EQ(callbacks, 3);

  OSprite empty;
  empty.SetFrame(3, 2);  // nothing to show: harmless
  EXPECT_EQ(empty.CurrentPicture(), nullptr);
}

TEST(SpriteContentTest, StepsTransparencyAndColourKeysReachEveryFrame) {
  OSprite sprite;
  OSprite* a = sprite.AddSubSprite();
  OSprite* b = sprite.AddSubSprite();
  a->AddFrame(Frame(2, 2, 0xFF00FF));
  b->AddFrame(Frame(2, 2, 0x00FF00));
  b->AddFrame(Frame(2, 2, 0x00FF00));

  sprite.SetStep(3, 4, 5, 9, 1);  // frame clamped to the last of sub-sprite 1
  EXPECT_EQ(b->frames[1]->command, 3);
  EXPECT_EQ(b->frames[1]->argument1, 4);
  EXPECT_EQ(b->frames[1]->argument2, 5);
  sprite.SetStep(1, 0, 0, 0, 8);  // sub-sprite out of range: 0
  EXPECT_EQ(a->frames[0]->command, 1);

  sprite.SetTransparency(77);
  EXPECT_EQ(sprite.transparencyLevel, 77);
  EXPECT_EQ(b->frames[1]->transparencyLevel, 77);
  EXPECT_EQ(a->frames[0]->transparencyLevel, 77);

  sprite.SetColourKey(-1);
  EXPECT_EQ(a->frames[0]->colourKey, 0xFF00FF);
  EXPECT_EQ(b->frames[0]->colourKey, 0x00FF00);
}

TEST(SpriteContentTest, CopyFromSharesPixelsAndCopiesStepsAndSubSprites) {
  OSprite original;
  OSprite* look = original.AddSubSprite();
  look->AddFrame(Frame(3, 4, 0x112233));
  look->frames[0]->offsetX = 2;
  look->SetStep(5, 6, 7, 0, -1);
  original.AddSubSprite()->AddFrame(Frame(8, 1));

  OSprite copy;
  copy.AddFrame(Frame(1, 1));
  copy.CopyFrom(&original);
  ASSERT_EQ(copy.subSprites.size(), 2u);
  EXPECT_TRUE(copy.frames.empty());
  EXPECT_EQ(copy.width, 8);
  EXPECT_EQ(copy.height, 4);
  const OSurface* frame = copy.subSprites[0]->frames[0];
  EXPECT_EQ(frame->Pixels(), look->frames[0]->Pixels());
  EXPECT_EQ(frame->offsetX, 2);
  EXPECT_EQ(frame->command, 5);
  EXPECT_EQ(frame->argument2, 7);
  EXPECT_EQ(copy.subSprites[0]->parent, &copy);
  EXPECT_EQ(copy.CurrentPicture(), frame);

  // Copying onto itself or from nothing changes nothing.
  copy.CopyFrom(&copy);
  copy.CopyFrom(nullptr);
  EXPECT_EQ(copy.subSprites.size(), 2u);
  EXPECT_EQ(copy.subSprites[0]->frames[0]->PixelAt(0, 0), 0x112233u);
}

TEST(SpriteAnimationTest, TwoFramesWithAdvanceAndJumpBackLoopEveryFrameDuration) {
  OSprite sprite;
  sprite.AddFrame(Frame(1, 1));
  sprite.AddFrame(Frame(1, 1));
  sprite.SetStep(0, 0, 0, 0, 0);
  sprite.SetStep(3, 0, -1, 1, 0);
  std::vector<int> seen;
  for (int tick = 0; tick < 12; ++tick) {
    sprite.OnFrame(50);
    seen.push_back(sprite.currentFrame);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0}));
  EXPECT_EQ(sprite.CurrentPicture(), sprite.frames[0]);
}

TEST(SpriteAnimationTest, StopKillAndEventCommands) {
  RecordingSprite stopper;
  stopper.AddFrame(Frame(1, 1));
  stopper.AddFrame(Frame(1, 1));
  stopper.SetStep(1, 0, 0, 0, 0);
  stopper.OnFrame(100);
  EXPECT_TRUE(stopper.stopped);
  stopper.OnFrame(100);
  EXPECT_EQ(stopper.currentFrame, 0);  // stopped: no advance

  // A kill step in a sub-sprite kills the parent.
  RecordingSprite parent;
  OSprite* sub = parent.AddSubSprite();
  sub->AddFrame(Frame(1, 1));
  sub->SetStep(2, 0, 0, 0, -1);
  parent.OnFrame(100);
  EXPECT_EQ(parent.lifetime, 0);
  EXPECT_EQ(parent.killed, 1);

  // An event step notifies the parent, then advances.
  RecordingSprite eventful;
  OSprite* look = eventful.AddSubSprite();
  look->AddFrame(Frame(1, 1));
  look->AddFrame(Frame(1, 1));
  look->SetStep(5, 11, 12, 0, -1);
  eventful.OnFrame(100);
  ASSERT_EQ(eventful.events.size(), 1u);
  EXPECT_EQ(eventful.events[0], std::make_pair(11, 12));
  EXPECT_EQ(look->currentFrame, 1);
  EXPECT_EQ(eventful.CurrentPicture(), look->frames[1]);

  // A jump-and-stop step in a sub-sprite switches the parent's look and halts it.
  OSprite switcher;
  OSprite* first = switcher.AddSubSprite();
  OSprite* second = switcher.AddSubSprite();
  first->AddFrame(Frame(1, 1));
  second->AddFrame(Frame(1, 1));
  second->AddFrame(Frame(1, 1));
  first->SetStep(4, 1, 1, 0, -1);
  switcher.OnFrame(100);
  EXPECT_EQ(switcher.currentSubSprite, 1);
  EXPECT_EQ(switcher.currentFrame, 1);
  EXPECT_TRUE(switcher.stopped);
  EXPECT_EQ(switcher.CurrentPicture(), second->frames[1]);
}

TEST(SpriteAnimationTest, LifetimeCountsDownAndClampsAtZero) {
  OSprite sprite;
  sprite.AddFrame(Frame(1, 1));
  sprite.lifetime = 250;
  for (int tick = 0; tick < 8; ++tick) sprite.OnFrame(30);
  EXPECT_EQ(sprite.lifetime, 10);
  sprite.OnFrame(30);
  EXPECT_EQ(sprite.lifetime, 0);
  sprite.OnFrame(30);
  EXPECT_EQ(sprite.lifetime, 0);

  OSprite unlimited;
  unlimited.AddFrame(Frame(1, 1));
  unlimited.OnFrame(1000);
  EXPECT_EQ(unlimited.lifetime, -1);
}

TEST(SpriteAnimationTest, ABoundedSpriteLeavingItsBoundsIsKilledInThatTick) {
  RecordingSprite sprite;
  sprite.AddFrame(Frame(10, 10));
  sprite.bounded = true;
  sprite.left = 0;
  sprite.top = 0;
  sprite.right = 100;
  sprite.bottom = 100;
  sprite.x = 90;
  sprite.OnFrame(30);
  EXPECT_EQ(sprite.killed, 0);
  EXPECT_EQ(sprite.lifetime, -1);
  sprite.x = 90.5;  // right edge at 100.5
  sprite.OnFrame(30);
  EXPECT_EQ(sprite.killed, 1);
  EXPECT_EQ(sprite.lifetime, 0);

  // Also when the sprite is made of sub-sprites.
  RecordingSprite looks;
  looks.AddSubSprite()->AddFrame(Frame(10, 10));
  looks.bounded = true;
  looks.left = looks.top = 0;
  looks.right = looks.bottom = 100;
  looks.y = -1;
  looks.OnFrame(30);
  EXPECT_EQ(looks.killed, 1);
  EXPECT_EQ(looks.lifetime, 0);
}

}  // namespace
}  // namespace tavlero
