#include "platform/cp1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace tavlero::platform {
namespace {

std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }

// The C library's own code-page table serves as an independent reference.
std::string ReferenceUtf8(int byte) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  std::size_t inLeft = 1, outLeft = sizeof out;
  const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return {};
  return std::string(out, outPtr);
}

TEST(Cp1251Test, EveryByteAgreesWithTheReferenceTableAndRoundTrips) {
  ASSERT_FALSE(ReferenceUtf8(0xC0).empty()) << "the C library lacks the CP1251 table";
  for (int b = 1; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string utf8 = Cp1251ToUtf8(Byte(b));
    const std::string reference = ReferenceUtf8(b);
    // 0x98 has no character in the code page, so the reference has none either.
    if (b != 0x98) {
      EXPECT_EQ(utf8, reference);
    }
    EXPECT_EQ(Utf8ToCp1251(utf8), Byte(b));
  }
}

TEST(Cp1251Test, RussianTextConvertsBothWays) {
  const std::string utf8 = "Ёлка № 5 — «ёж»";
  const std::string cp = "\xA8\xEB\xEA\xE0 \xB9 5 \x97 \xAB\xB8\xE6\xBB";
  EXPECT_EQ(Utf8ToCp1251(utf8), cp);
  EXPECT_EQ(Cp1251ToUtf8(cp), utf8);
  EXPECT_TRUE(LooksLikeUtf8(utf8));
  EXPECT_FALSE(LooksLikeUtf8(cp));
}

TEST(Cp1251Test, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a\xE2\x82\xBD" "b"), "a?b");          // rouble sign U+20BD
  EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80!"), "?!");           // emoji, four bytes
  EXPECT_EQ(Utf8ToCp1251("\xC3\xA9t\xC3\xA9"), "?t?");          // e acute
}

TEST(Cp1251Test, InvalidUtf8BytesPassThroughAsCodePageBytes) {
  // Text that is CP1251 already ("Привет") must not be damaged.
  const std::string cp = "\xCF\xF0\xE8\xE2\xE5\xF2";
  EXPECT_EQ(Utf8ToCp1251(cp), cp);
  // Truncated sequence at the end, stray continuation byte, overlong slash, surrogate.
  EXPECT_EQ(Utf8ToCp1251("x\xD0"), "x\xD0");
  EXPECT_EQ(Utf8ToCp1251("\x80y"), "\x80y");
  EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "\xC0\xAF");
  EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "\xED\xA0\x80");
  EXPECT_FALSE(LooksLikeUtf8("\xC0\xAF"));
  EXPECT_FALSE(LooksLikeUtf8("\xED\xA0\x80"));
  EXPECT_FALSE(LooksLikeUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_FALSE(LooksLikeUtf8("\xE2\x82"));
  // Valid UTF-8 needs a multi-byte sequence to count as such.
  EXPECT_FALSE(LooksLikeUtf8(""));
  EXPECT_FALSE(LooksLikeUtf8("plain ascii"));
  EXPECT_TRUE(LooksLikeUtf8("\xF0\x9F\x98\x80"));
}

TEST(Cp1251Test, EmbeddedZeroBytesAreKept) {
  const std::string text("a\0\xC0", 3);
  const std::string utf8 = Cp1251ToUtf8(text);
  EXPECT_EQ(utf8, std::string("a\0\xD0\x90", 4));
  EXPECT_EQ(Utf8ToCp1251(utf8), text);
}

}  // namespace
}  // namespace tavlero::platform
