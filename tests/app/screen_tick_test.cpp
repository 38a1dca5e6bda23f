#include <gtest/gtest.h>

#include <cmath>

#include "screen_test_support.h"

namespace tavlero::screen_test {
namespace {

class ScreenTickTest : public ::testing::Test {
 protected:
  ScreenTickTest() : screen(&fixture.window, 0, 0, 200, 200) {}
  WindowFixture fixture;
  RecordingScreen screen;
};

TEST_F(ScreenTickTest, FramesComeFromElapsedTimeAndAreCappedAtFive) {
  ASSERT_TRUE(fixture.created);
  EXPECT_EQ(screen.FrameInterval(), 30);
  OSprite* sprite = Block(2, 2, 0xFF0000);
  sprite->vx = 1;
  sprite->vy = 2;
  sprite->vz = -1;
  screen.AddSprite(sprite);

  screen.OnFrame(29);  // no whole frame
  EXPECT_EQ(sprite->x, 0);
  screen.OnFrame(45);  // one frame
  EXPECT_EQ(sprite->x, 1);
  EXPECT_EQ(sprite->y, 2);
  EXPECT_EQ(sprite->z, -1);
  screen.OnFrame(200);  // six frames' time, five applied
  EXPECT_EQ(sprite->x, 6);
  screen.OnFrame(-100);  // a clock going backwards moves nothing
  EXPECT_EQ(sprite->x, 6);

  sprite->moving = false;
  screen.OnFrame(60);
  EXPECT_EQ(sprite->x, 6);

  // A screen whose owner has no sensible interval still divides by at least 1.
  OScreen orphan(nullptr, 0, 0, 10, 10);
  EXPECT_EQ(orphan.FrameInterval(), 1);
}

TEST_F(ScreenTickTest, ASpriteHalfAPixelFromItsLastWaypointSnapsArrivesAndStops) {
  auto* sprite = new RecordingSprite();
  sprite->AddFrame(Picture(2, 2, 0));
  sprite->x = 10;
  sprite->y = 20;
  sprite->vx = 3;
  sprite->vy = 4;
  sprite->AddWaypoint(10.5, 20, 42, 2, true);
  screen.AddSprite(sprite);

  screen.OnFrame(30);
  EXPECT_EQ(sprite->x, 10.5);
  EXPECT_EQ(sprite->y, 20);
  EXPECT_TRUE(sprite->path.empty());
  ASSERT_EQ(sprite->arrived.size(), 1u);
  EXPECT_EQ(sprite->arrived[0].value, 42);
  ASSERT_EQ(screen.arrivals.size(), 1u);
  EXPECT_EQ(screen.arrivals[0], sprite);
  EXPECT_EQ(sprite->vx, 0);
  EXPECT_EQ(sprite->vy, 0);
}

TEST_F(ScreenTickTest, StraightDownMotionReachesItsTargetAtFullSpeed) {
  auto* sprite = new RecordingSprite();
  sprite->AddFrame(Picture(2, 2, 0));
  sprite->x = 5;
  sprite->y = 0;
  sprite->AddWaypoint(5, 100, 0, 4, true);
  screen.AddSprite(sprite);

  screen.OnFrame(30);
  EXPECT_DOUBLE_EQ(sprite->y, 4);
  EXPECT_NEAR(sprite->x, 5.00001, 1e-9);  // the tiny sideways step
  int ticks = 1;
  while (!sprite->path.empty() && ticks < 100) {
    screen.OnFrame(30);
    ++ticks;
  }
  // 25 steps of 4 reach y = 100; the sideways drift of 0.00001 per step keeps the 25th
  // short of a snap, so one more tick snaps it onto the target.
  EXPECT_EQ(ticks, 26);
  EXPECT_EQ(sprite->x, 5);
  EXPECT_EQ(sprite->y, 100);
  EXPECT_EQ(sprite->arrived.size(), 1u);
}

TEST_F(ScreenTickTest, DiagonalStepsHaveTheSpeedAsLengthAndIntermediateWaypointsNotify) {
  auto* sprite = new RecordingSprite();
  sprite->AddFrame(Picture(2, 2, 0));
  sprite->SetPath({{30, 40, 1, 5}, {30, 0, 2, 100}}, true);
  screen.AddSprite(sprite);

  screen.OnFrame(30);
  EXPECT_NEAR(sprite->x, 3, 1e-9);
  EXPECT_NEAR(sprite->y, 4, 1e-9);
  screen.OnFrame(60);  // two frames in one tick
  EXPECT_NEAR(sprite->x, 9, 1e-9);
  EXPECT_NEAR(sprite->y, 12, 1e-9);
  for (int i = 0; i < 7; ++i) screen.OnFrame(30);
  EXPECT_EQ(sprite->x, 30);
  EXPECT_EQ(sprite->y, 40);
  ASSERT_EQ(sprite->passed.size(), 1u);
  EXPECT_EQ(sprite->passed[0].value, 1);
  EXPECT_EQ(screen.waypoints.size(), 1u);
  EXPECT_TRUE(sprite->arrived.empty());
  screen.OnFrame(30);
  EXPECT_EQ(sprite->y, 0);
  EXPECT_EQ(sprite->arrived.size(), 1u);
}

TEST_F(ScreenTickTest, ExpiredSpritesAreNotifiedAndRemovedAfterTheNinthTick) {
  auto* doomed = new RecordingSprite();
  doomed->AddFrame(Picture(4, 4, 0));
  doomed->lifetime = 250;
  OSprite* stays = Block(4, 4, 0);
  screen.AddSprite(doomed);
  screen.AddSprite(stays);

  for (int tick = 0; tick < 8; ++tick) screen.OnFrame(30);
  ASSERT_EQ(screen.Sprites().size(), 2u);
  EXPECT_EQ(doomed->killed, 0);
  screen.OnFrame(30);
  ASSERT_EQ(screen.removed.size(), 1u);
  EXPECT_EQ(screen.removed[0], doomed);
  ASSERT_EQ(screen.Sprites().size(), 1u);
  EXPECT_EQ(screen.Sprites()[0], stays);
}

TEST_F(ScreenTickTest, ASpriteRemovedByItsArrivalNotificationIsNotTouchedAgain) {
  screen.removeOnArrival = true;
  auto* first = new RecordingSprite();
  first->AddFrame(Picture(2, 2, 0));
  first->AddWaypoint(1, 0, 0, 5, true);
  OSprite* second = Block(2, 2, 0);
  second->vx = 1;
  screen.AddSprite(first);
  screen.AddSprite(second);
  screen.OnFrame(30);  // the sanitizer build catches a use after free here
  ASSERT_EQ(screen.Sprites().size(), 1u);
  EXPECT_EQ(screen.Sprites()[0], second);
  EXPECT_EQ(second->x, 1);  // the next sprite still got its tick
}

TEST_F(ScreenTickTest, SpriteListsIgnoreEmptyAndRepeatedSpritesAndForgetDeletedControls) {
  auto* empty = new OSprite();
  screen.AddSprite(empty);
  EXPECT_TRUE(screen.Sprites().empty());
  delete empty;

  OSprite* sprite = Block(2, 2, 0);
  sprite->lastDrawn.visible = true;
  screen.AddSprite(sprite);
  screen.AddSprite(sprite);
  EXPECT_EQ(screen.Sprites().size(), 1u);
  EXPECT_FALSE(sprite->lastDrawn.visible);

  auto* control = new TestControl("c");
  screen.AddControl(control);
  screen.AddControl(control);
  EXPECT_EQ(screen.Sprites().size(), 2u);
  EXPECT_EQ(screen.Controls().size(), 1u);

  // Expired controls purged with deletion leave the control list too.
  control->lifetime = 0;
  screen.PurgeExpired(true);
  EXPECT_TRUE(screen.Controls().empty());
  EXPECT_EQ(screen.Sprites().size(), 1u);
  screen.OnMouseMove(5, 5);  // would reach a deleted control otherwise

  OSprite outsider;
  screen.RemoveSprite(&outsider, true);  // not in the list: nothing happens
  screen.RemoveSprite(sprite, false);    // handed back to the caller
  EXPECT_TRUE(screen.Sprites().empty());
  delete sprite;
}

}  // namespace
}  // namespace tavlero::screen_test
