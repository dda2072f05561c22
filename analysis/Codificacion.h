// Windows-1252 text: the byte <-> Unicode codec, the compile-time literal that turns the
// UTF-8 source literals into Windows-1252 bytes, and the line-end normalisation of loaded files.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cp1252 {

// Unicode code points of the bytes 0x80-0x9F. The five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) map to the C1 control of the same value.
inline constexpr char32_t kBloque80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The code point of one byte; every byte has one.
constexpr char32_t Decodificar(unsigned char byte) {
  return (byte >= 0x80 && byte < 0xA0) ? kBloque80[byte - 0x80] : char32_t{byte};
}

// The byte of one code point, or -1 when Windows-1252 cannot store it.
constexpr int Codificar(char32_t codigo) {
  if (codigo < 0x80 || (codigo >= 0xA0 && codigo <= 0xFF)) return static_cast<int>(codigo);
  for (int i = 0; i < 32; ++i)
    if (kBloque80[i] == codigo) return 0x80 + i;
  return -1;
}

// Windows-1252 bytes to UTF-8.
std::string AUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes. Fails (nullopt) on malformed UTF-8 or on a character the
// code page cannot store; then *fallo receives the byte offset of the offending sequence.
std::optional<std::string> DesdeUtf8(std::string_view utf8, std::size_t* fallo = nullptr);

// Every line break (CR LF, a lone LF, a lone CR) as CR LF, the form the editor holds.
std::string NormalizarSaltos(std::string_view texto);

// A UTF-8 string literal converted to Windows-1252 while compiling; a character the code
// page cannot store stops the build.
template <std::size_t N>
struct Literal {
  char bytes[N]{};
  std::size_t longitud = 0;

  // Implicit: the literal operator receives the source literal through it.
  consteval Literal(const char (&utf8)[N]) {  // NOLINT(google-explicit-constructor)
    for (std::size_t i = 0; i + 1 < N;) {
      const auto b0 = static_cast<unsigned char>(utf8[i]);
      char32_t codigo = 0;
      std::size_t largo = 1;
      if (b0 < 0x80) {
        codigo = b0;
      } else if ((b0 & 0xE0) == 0xC0) {
        codigo = b0 & 0x1F;
        largo = 2;
      } else if ((b0 & 0xF0) == 0xE0) {
        codigo = b0 & 0x0F;
        largo = 3;
      } else {
        throw "literal fuera de Windows-1252";
      }
      for (std::size_t k = 1; k < largo; ++k)
        codigo = (codigo << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
      const int byte = Codificar(codigo);
      if (byte < 0) throw "literal fuera de Windows-1252";
      bytes[longitud++] = static_cast<char>(byte);
      i += largo;
    }
  }
};

}  // namespace cp1252

// "Línea "_cp1252 is the Windows-1252 byte string of the literal, built once.
template <cp1252::Literal L>
const std::string& operator""_cp1252() {
  static const std::string texto(L.bytes, L.longitud);
  return texto;
}
