#include "Codificacion.h"

#include <gtest/gtest.h>

TEST(Codificacion, literalsBecomeWindows1252Bytes) {
  EXPECT_EQ("Línea "_cp1252, std::string("L\xEDnea "));
  EXPECT_EQ("Análisis"_cp1252, std::string("An\xE1lisis"));
  EXPECT_EQ("Ningún"_cp1252, std::string("Ning\xFAn"));
  EXPECT_EQ("\u00A0$"_cp1252, std::string("\xA0$"));
  EXPECT_EQ("€"_cp1252, std::string("\x80"));
  EXPECT_EQ(""_cp1252, std::string());
}

TEST(Codificacion, everyByteRoundTripsThroughUnicode) {
  std::string todos;
  for (int b = 0; b < 256; ++b) todos += static_cast<char>(b);
  const std::string utf8 = cp1252::AUtf8(todos);
  const auto vuelta = cp1252::DesdeUtf8(utf8);
  ASSERT_TRUE(vuelta.has_value());
  EXPECT_EQ(*vuelta, todos);
}

TEST(Codificacion, block80MapsToItsUnicodeCharacters) {
  EXPECT_EQ(cp1252::Decodificar(0x80), U'\u20AC');
  EXPECT_EQ(cp1252::Decodificar(0x9F), U'\u0178');
  EXPECT_EQ(cp1252::Decodificar(0x8A), U'\u0160');
  for (const unsigned char indefinido : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(cp1252::Decodificar(indefinido), char32_t{indefinido});
    EXPECT_EQ(cp1252::Codificar(indefinido), indefinido);
  }
  EXPECT_EQ(cp1252::Codificar(U'\u2122'), 0x99);
  EXPECT_EQ(cp1252::Codificar(U'\u0080'), -1);  // not a byte of the code page
  EXPECT_EQ(cp1252::Codificar(U'\u4E2D'), -1);
}

TEST(Codificacion, unstorableOrMalformedUtf8FailsAtItsOffset) {
  std::size_t fallo = 99;
  EXPECT_FALSE(cp1252::DesdeUtf8("ab\xE4\xB8\xAD", &fallo).has_value());  // U+4E2D
  EXPECT_EQ(fallo, 2u);
  EXPECT_FALSE(cp1252::DesdeUtf8("x\xC3", &fallo).has_value());  // truncated
  EXPECT_EQ(fallo, 1u);
  EXPECT_FALSE(cp1252::DesdeUtf8("\xC0\xAF", &fallo).has_value());          // overlong
  EXPECT_FALSE(cp1252::DesdeUtf8("\xED\xA0\x80", &fallo).has_value());      // surrogate
  EXPECT_FALSE(cp1252::DesdeUtf8("\xF0\x9F\x98\x80", &fallo).has_value());  // emoji
}

TEST(Codificacion, everyLineBreakFormBecomesCrLf) {
  EXPECT_EQ(cp1252::NormalizarSaltos("a\r\nb\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(cp1252::NormalizarSaltos("\n\n"), "\r\n\r\n");
  EXPECT_EQ(cp1252::NormalizarSaltos("\r\r\n"), "\r\n\r\n");
  EXPECT_EQ(cp1252::NormalizarSaltos("x\r"), "x\r\n");
  EXPECT_EQ(cp1252::NormalizarSaltos(""), "");
}
