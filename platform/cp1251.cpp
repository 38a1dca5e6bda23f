#include "platform/cp1251.h"

#include <array>
#include <cstdint>

namespace tavlero::platform {
namespace {

// Unicode code points of the bytes 0x80 ... 0xBF. Byte 0x98 has no character in the
// code page; it maps to the C1 control U+0098 so that every byte survives a round trip.
constexpr std::array<char16_t, 64> kUpperBlock = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

constexpr char32_t kCyrillicCapitalA = 0x0410;  // byte 0xC0; 0xC0 ... 0xFF run to U+044F

char32_t ByteToCodePoint(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return kCyrillicCapitalA + (byte - 0xC0);
  return kUpperBlock[byte - 0x80];
}

// The byte of a code point, or -1 when the code page cannot hold it.
int CodePointToByte(char32_t code) {
  if (code < 0x80) return static_cast<int>(code);
  if (code >= kCyrillicCapitalA && code < kCyrillicCapitalA + 64)
    return 0xC0 + static_cast<int>(code - kCyrillicCapitalA);
  for (int i = 0; i < 64; ++i)
    if (kUpperBlock[i] == code) return 0x80 + i;
  return -1;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    // Every code point of the table lies in the basic plane.
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// Decodes one well-formed UTF-8 sequence at text[pos]. Returns its length (1 ... 4) and
// the code point, or 0 when the bytes there are not a valid sequence (stray continuation
// byte, truncated sequence, overlong form, surrogate, beyond U+10FFFF).
int DecodeUtf8(std::string_view text, std::size_t pos, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  int length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, code = lead & 0x07;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (int i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t code = 0;
    const int length = DecodeUtf8(text, pos, code);
    if (length == 0) {
      // Not UTF-8 here: most likely the text is CP1251 already, so keep the byte.
      out.push_back(text[pos]);
      ++pos;
      continue;
    }
    const int mapped = CodePointToByte(code);
    out.push_back(mapped < 0 ? '?' : static_cast<char>(mapped));
    pos += length;
  }
  return out;
}

bool LooksLikeUtf8(std::string_view text) {
  bool multiByte = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t code = 0;
    const int length = DecodeUtf8(text, pos, code);
    if (length == 0) return false;
    if (length > 1) multiByte = true;
    pos += length;
  }
  return multiByte;
}

}  // namespace tavlero::platform
