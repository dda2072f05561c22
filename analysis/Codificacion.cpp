#include "Codificacion.h"

namespace cp1252 {

namespace {

void AnadirUtf8(std::string& salida, char32_t codigo) {
  if (codigo < 0x80) {
    salida += static_cast<char>(codigo);
  } else if (codigo < 0x800) {
    salida += static_cast<char>(0xC0 | (codigo >> 6));
    salida += static_cast<char>(0x80 | (codigo & 0x3F));
  } else {
    salida += static_cast<char>(0xE0 | (codigo >> 12));
    salida += static_cast<char>(0x80 | ((codigo >> 6) & 0x3F));
    salida += static_cast<char>(0x80 | (codigo & 0x3F));
  }
}

// Reads one UTF-8 sequence at `i`; false when it is malformed or overlong.
bool LeerUtf8(std::string_view texto, std::size_t& i, char32_t& codigo) {
  const auto b0 = static_cast<unsigned char>(texto[i]);
  std::size_t largo = 0;
  char32_t minimo = 0;
  if (b0 < 0x80) {
    codigo = b0;
    ++i;
    return true;
  }
  if ((b0 & 0xE0) == 0xC0) {
    largo = 2;
    codigo = b0 & 0x1F;
    minimo = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    largo = 3;
    codigo = b0 & 0x0F;
    minimo = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    largo = 4;
    codigo = b0 & 0x07;
    minimo = 0x10000;
  } else {
    return false;
  }
  if (i + largo > texto.size()) return false;
  for (std::size_t k = 1; k < largo; ++k) {
    const auto b = static_cast<unsigned char>(texto[i + k]);
    if ((b & 0xC0) != 0x80) return false;
    codigo = (codigo << 6) | (b & 0x3F);
  }
  if (codigo < minimo || codigo > 0x10FFFF || (codigo >= 0xD800 && codigo <= 0xDFFF)) return false;
  i += largo;
  return true;
}

}  // namespace

std::string AUtf8(std::string_view bytes) {
  std::string salida;
  salida.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) AnadirUtf8(salida, Decodificar(static_cast<unsigned char>(c)));
  return salida;
}

std::optional<std::string> DesdeUtf8(std::string_view utf8, std::size_t* fallo) {
  std::string salida;
  salida.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t inicio = i;
    char32_t codigo = 0;
    const int byte = LeerUtf8(utf8, i, codigo) ? Codificar(codigo) : -1;
    if (byte < 0) {
      if (fallo) *fallo = inicio;
      return std::nullopt;
    }
    salida += static_cast<char>(byte);
  }
  return salida;
}

std::string NormalizarSaltos(std::string_view texto) {
  std::string salida;
  salida.reserve(texto.size() + texto.size() / 16);
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const char c = texto[i];
    if (c == '\r') {
      if (i + 1 < texto.size() && texto[i + 1] == '\n') ++i;
      salida += "\r\n";
    } else if (c == '\n') {
      salida += "\r\n";
    } else {
      salida += c;
    }
  }
  return salida;
}

}  // namespace cp1252
