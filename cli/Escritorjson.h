// The JSON writer of quindel-cli: the text goes out as it is made, in the exact bytes of
// nlohmann's dump(2), so that a report of a large grammar is never held whole as a tree of
// values nor as one string.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Receives text in order, a block at a time.
using DestinoTexto = std::function<void(std::string_view)>;

// Appends a Windows-1252 text as a quoted JSON string in UTF-8, escaped as dump() escapes it:
// \" \\ \b \f \n \r \t, any other byte below 0x20 as \u00xx, the rest as it is.
void AnadirCadenaJson(std::string& salida, std::string_view cp1252);
std::string CadenaJson(std::string_view cp1252);

// Writes JSON text in the layout of nlohmann's dump(2): each member or element on a line of its
// own, indented by two blanks per depth, ": " after a key, and "[]" or "{}" for an empty one.
// Keys are written as they are given: plain ASCII that needs no escaping.
class EscritorJson {
 public:
  // Appends to `texto`; `nivel` is the depth of the first value, for a value that goes inside
  // another document.
  explicit EscritorJson(std::string& texto, int nivel = 0);
  // Hands the text to `destino` in blocks as it is written; Terminar hands the rest.
  explicit EscritorJson(DestinoTexto destino, int nivel = 0);

  EscritorJson(const EscritorJson&) = delete;
  EscritorJson& operator=(const EscritorJson&) = delete;

  void Abrir(char llave);  // '{' or '['
  void Cerrar(char llave);
  void Clave(std::string_view clave);

  void Cadena(std::string_view cp1252);
  void Entero(long long valor);
  void Logico(bool valor);
  void Nulo();
  // A value already written as JSON text (a cached CadenaJson, say).
  void Valor(std::string_view json);
  // More text of the value Valor began, as it is: for a value written in dump()'s compact
  // layout piece by piece.
  void Seguir(std::string_view json);

  // Hands what is left to the destination; nothing for a writer into a string.
  void Terminar();

 private:
  void Elemento();
  void Vaciar();

  std::string propio;  // the block being filled for `destino`
  std::string& texto;
  DestinoTexto destino;
  // What goes between two elements at the current depth: ",", the line break and the indent.
  std::string salto;
  std::vector<bool> vacios;  // per open object or list: nothing in it yet
  bool trasClave = false;
};

class CProduccion;
class CSimbolo;

// The JSON strings of symbols' names and of productions' texts, each escaped once: the sets, the
// table and the parse steps repeat them millions of times in a large grammar's report, so the
// look-up is an open-addressing table on the object's address.
class TextosJson {
 public:
  const std::string& operator()(const CSimbolo* simbolo);
  const std::string& operator()(const CProduccion* produccion);

 private:
  struct Entrada {
    const void* clave = nullptr;
    const std::string* json = nullptr;
  };
  // The entry of `clave`, new (null key) when it has none yet.
  Entrada& Buscar(const void* clave);
  const std::string& Texto(const void* clave, std::string_view cp1252);

  std::vector<Entrada> entradas;  // a power of two long, at most half full
  std::size_t usadas = 0;
  std::deque<std::string> jsons;  // where the entries point: never moved
};
