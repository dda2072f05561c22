// Symbol sets: the one name order of symbols, the non-owning pointer that sorts by it, and
// the set of symbols, unique by name and iterated in that order.
#pragma once

#include <string>
#include <vector>

class CSimbolo;

// The one order of symbol names: Windows-1252 bytes compared as unsigned values from the
// first on, a name that is a prefix of another first. No locale, no case folding.
inline bool NombreMenor(const std::string& a, const std::string& b) {
  return a.compare(b) < 0;  // char_traits<char>::compare is memcmp: unsigned bytes
}

// A non-owning symbol pointer that orders by name.
class PSimbolo {
 public:
  // It converts freely to and from the pointer, so that sets read as sets of symbols.
  // NOLINTNEXTLINE(google-explicit-constructor)
  PSimbolo(CSimbolo* simbolo = nullptr) : simbolo(simbolo) {}
  // NOLINTNEXTLINE(google-explicit-constructor)
  operator CSimbolo*() const { return simbolo; }
  CSimbolo* operator->() const { return simbolo; }

 private:
  CSimbolo* simbolo;
};
bool operator<(PSimbolo a, PSimbolo b);

// A set of symbols, unique by name, iterated in name order. Held as a sorted vector so that
// Elemento(k) is a direct access; large sets filled in any order are sorted once, lazily.
class ConjuntoSimbolos {
 public:
  // False, and nothing changes, when a member of that name exists.
  bool Insertar(CSimbolo* simbolo);
  // Appends a symbol the caller knows is not a member; the order is restored on next read.
  void InsertarNuevo(CSimbolo* simbolo);
  CSimbolo* Buscar(const std::string& nombre) const;
  // The member at 0-based position k in name order; null when k is out of range.
  CSimbolo* Elemento(int k) const;
  bool Vacio() const { return miembros.empty(); }
  int Tamano() const { return static_cast<int>(miembros.size()); }

  static ConjuntoSimbolos Union(const ConjuntoSimbolos& a, const ConjuntoSimbolos& b);
  static ConjuntoSimbolos Interseccion(const ConjuntoSimbolos& a, const ConjuntoSimbolos& b);
  // Adds the members of `otro`; true when the set grew.
  bool Unir(const ConjuntoSimbolos& otro);
  // Whether the two sets share a member, without building their intersection.
  bool Corta(const ConjuntoSimbolos& otro) const;

  // " { a b }", or " { a b lambda }" for a nullable owner.
  std::string TextoConjunto(bool lambda) const;

  std::vector<PSimbolo>::const_iterator begin() const;
  std::vector<PSimbolo>::const_iterator end() const;

 private:
  static constexpr std::size_t kOrdenPorClave = 64;
  void Ordenar() const;

  mutable std::vector<PSimbolo> miembros;
  mutable bool desordenado = false;
};
