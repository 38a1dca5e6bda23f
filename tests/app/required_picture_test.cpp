#include "app/required_picture.h"

#include <gtest/gtest.h>

#include "gfx/sprite.h"

namespace tavlero {
namespace {

TEST(RequiredPictureDeathTest, AMissingPictureEndsTheProgramWithCode255AndNamesTheFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  OSprite sprite;
  EXPECT_EXIT(LoadRequiredPicture(sprite, "clp/no-such-picture.clp"), ::testing::ExitedWithCode(255),
              "Error: file clp/no-such-picture.clp not found!");
}

}  // namespace
}  // namespace tavlero
