#include "Escritorjson.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

#include "Codificacion.h"
#include "Simbolos.h"

namespace {

// Blocks of this size reach the destination: large enough for few writes, small enough that
// the whole text is never held.
constexpr std::size_t kBloque = std::size_t{1} << 16;

// What one Windows-1252 byte becomes inside a JSON string: its escape, or its UTF-8 form.
struct Pieza {
  std::array<char, 6> bytes{};
  std::size_t largo = 0;
};

constexpr Pieza PiezaDe(unsigned char byte) {
  Pieza pieza;
  const auto poner = [&pieza](char c) { pieza.bytes[pieza.largo++] = c; };
  const char* escape = nullptr;
  switch (byte) {
    case '"':
      escape = "\\\"";
      break;
    case '\\':
      escape = "\\\\";
      break;
    case '\b':
      escape = "\\b";
      break;
    case '\f':
      escape = "\\f";
      break;
    case '\n':
      escape = "\\n";
      break;
    case '\r':
      escape = "\\r";
      break;
    case '\t':
      escape = "\\t";
      break;
    default:
      break;
  }
  if (escape) {
    for (; *escape; ++escape) poner(*escape);
    return pieza;
  }
  if (byte < 0x20) {
    constexpr char kHex[] = "0123456789abcdef";
    for (const char c : {'\\', 'u', '0', '0'}) poner(c);
    poner(kHex[byte >> 4]);
    poner(kHex[byte & 0xF]);
    return pieza;
  }
  const char32_t codigo = cp1252::Decodificar(byte);
  if (codigo < 0x80) {
    poner(static_cast<char>(codigo));
  } else if (codigo < 0x800) {
    poner(static_cast<char>(0xC0 | (codigo >> 6)));
    poner(static_cast<char>(0x80 | (codigo & 0x3F)));
  } else {
    poner(static_cast<char>(0xE0 | (codigo >> 12)));
    poner(static_cast<char>(0x80 | ((codigo >> 6) & 0x3F)));
    poner(static_cast<char>(0x80 | (codigo & 0x3F)));
  }
  return pieza;
}

constexpr std::array<Pieza, 256> kPiezas = [] {
  std::array<Pieza, 256> piezas{};
  for (std::size_t b = 0; b < piezas.size(); ++b)
    piezas[b] = PiezaDe(static_cast<unsigned char>(b));
  return piezas;
}();

// The bytes that go into a JSON string as they are; most names are made only of them.
constexpr bool Llano(unsigned char byte) {
  return byte >= 0x20 && byte < 0x80 && byte != '"' && byte != '\\';
}

}  // namespace

void AnadirCadenaJson(std::string& salida, std::string_view cp1252) {
  salida += '"';
  std::size_t i = 0;
  while (i < cp1252.size()) {
    std::size_t fin = i;
    while (fin < cp1252.size() && Llano(static_cast<unsigned char>(cp1252[fin]))) ++fin;
    salida.append(cp1252.data() + i, fin - i);
    if (fin == cp1252.size()) break;
    const Pieza& pieza = kPiezas[static_cast<unsigned char>(cp1252[fin])];
    salida.append(pieza.bytes.data(), pieza.largo);
    i = fin + 1;
  }
  salida += '"';
}

std::string CadenaJson(std::string_view cp1252) {
  std::string json;
  json.reserve(cp1252.size() + 2);
  AnadirCadenaJson(json, cp1252);
  return json;
}

EscritorJson::EscritorJson(std::string& texto, int nivel)
    : texto(texto), salto(",\n" + std::string(2 * static_cast<std::size_t>(nivel), ' ')) {}

EscritorJson::EscritorJson(DestinoTexto destino, int nivel)
    : texto(propio),
      destino(std::move(destino)),
      salto(",\n" + std::string(2 * static_cast<std::size_t>(nivel), ' ')) {
  propio.reserve(kBloque + kBloque / 4);
}

void EscritorJson::Abrir(char llave) {
  Elemento();
  texto += llave;
  vacios.push_back(true);
  salto.append(2, ' ');
}

void EscritorJson::Cerrar(char llave) {
  const bool vacio = vacios.back();
  vacios.pop_back();
  salto.resize(salto.size() - 2);
  if (!vacio) texto.append(salto, 1);
  texto += llave;
  Vaciar();
}

void EscritorJson::Clave(std::string_view clave) {
  Elemento();
  texto += '"';
  texto += clave;
  texto += "\": ";
  trasClave = true;
}

void EscritorJson::Cadena(std::string_view cp1252) {
  Elemento();
  AnadirCadenaJson(texto, cp1252);
  Vaciar();
}

void EscritorJson::Entero(long long valor) {
  std::array<char, 24> cifras{};
  const char* fin = std::to_chars(cifras.data(), cifras.data() + cifras.size(), valor).ptr;
  Valor(std::string_view(cifras.data(), static_cast<std::size_t>(fin - cifras.data())));
}

void EscritorJson::Logico(bool valor) { Valor(valor ? "true" : "false"); }

void EscritorJson::Nulo() { Valor("null"); }

void EscritorJson::Valor(std::string_view json) {
  Elemento();
  texto += json;
  Vaciar();
}

void EscritorJson::Seguir(std::string_view json) {
  texto += json;
  Vaciar();
}

void EscritorJson::Terminar() {
  if (destino && !propio.empty()) {
    destino(propio);
    propio.clear();
  }
}

void EscritorJson::Elemento() {
  if (trasClave) {
    trasClave = false;
    return;
  }
  if (vacios.empty()) return;
  // The first element goes without the comma.
  texto.append(salto, vacios.back() ? 1 : 0);
  vacios.back() = false;
}

void EscritorJson::Vaciar() {
  if (destino && propio.size() >= kBloque) {
    destino(propio);
    propio.clear();
  }
}

TextosJson::Entrada& TextosJson::Buscar(const void* clave) {
  if (2 * (usadas + 1) > entradas.size()) {
    std::vector<Entrada> viejas(std::max<std::size_t>(64, 2 * entradas.size()));
    viejas.swap(entradas);
    for (const Entrada& vieja : viejas)
      if (vieja.clave) Buscar(vieja.clave) = vieja;
  }
  // Fibonacci hashing: the address's low bits are alike (alignment), the product's high bits
  // are not.
  const std::size_t mascara = entradas.size() - 1;
  std::size_t i =
      static_cast<std::size_t>(
          (reinterpret_cast<std::uintptr_t>(clave) >> 3) * 0x9E3779B97F4A7C15ULL >> 32) &
      mascara;
  while (entradas[i].clave && entradas[i].clave != clave) i = (i + 1) & mascara;
  return entradas[i];
}

const std::string& TextosJson::Texto(const void* clave, std::string_view cp1252) {
  Entrada& entrada = Buscar(clave);
  if (!entrada.clave) {
    entrada = {clave, &jsons.emplace_back(CadenaJson(cp1252))};
    ++usadas;
  }
  return *entrada.json;
}

const std::string& TextosJson::operator()(const CSimbolo* simbolo) {
  return Texto(simbolo, simbolo->Nombre());
}

// The text is made only on the first look-up.
const std::string& TextosJson::operator()(const CProduccion* produccion) {
  const Entrada& entrada = Buscar(produccion);
  return entrada.clave ? *entrada.json : Texto(produccion, produccion->TextoProduccion());
}
