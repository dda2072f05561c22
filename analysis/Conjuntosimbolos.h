// Symbol sets: the one name order of symbols, the non-owning pointer that sorts by it, and
// the set of symbols, unique by name and iterated in that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CSimbolo;

// The one order of symbol names: Windows-1252 bytes compared as unsigned values from the
// first on, a name that is a prefix of another first. No locale, no case folding.
inline bool NombreMenor(const std::string& a, const std::string& b) {
  return a.compare(b) < 0;  // char_traits<char>::compare is memcmp: unsigned bytes
}

// A non-owning symbol pointer that orders by name. Trivial, like the pointer it wraps (a
// default-made one holds no value), so that a set can keep members in a union.
class PSimbolo {
 public:
  PSimbolo() = default;
  // It converts freely to and from the pointer, so that sets read as sets of symbols.
  // NOLINTNEXTLINE(google-explicit-constructor)
  PSimbolo(CSimbolo* simbolo) : simbolo(simbolo) {}
  // NOLINTNEXTLINE(google-explicit-constructor)
  operator CSimbolo*() const { return simbolo; }
  CSimbolo* operator->() const { return simbolo; }

 private:
  CSimbolo* simbolo;
};
bool operator<(PSimbolo a, PSimbolo b);

// The members of a set, in an array: up to two in place, more on the heap. Most sets of an
// analysis hold a terminal or two, and a grammar of a million productions has millions of
// sets: a heap block each would be as many allocations, and as many places in memory to visit.
class MiembrosConjunto {
 public:
  using value_type = PSimbolo;

  MiembrosConjunto() : enSitio{} {}
  MiembrosConjunto(const MiembrosConjunto& otro) : MiembrosConjunto() {
    assign(otro.begin(), otro.end());
  }
  MiembrosConjunto(MiembrosConjunto&& otro) noexcept : MiembrosConjunto() { Tomar(otro); }
  MiembrosConjunto& operator=(const MiembrosConjunto& otro);
  MiembrosConjunto& operator=(MiembrosConjunto&& otro) noexcept;
  ~MiembrosConjunto() { Liberar(); }

  PSimbolo* begin() { return Datos(); }
  PSimbolo* end() { return Datos() + tamano; }
  const PSimbolo* begin() const { return Datos(); }
  const PSimbolo* end() const { return Datos() + tamano; }
  std::size_t size() const { return tamano; }
  bool empty() const { return tamano == 0; }
  PSimbolo operator[](std::size_t i) const { return Datos()[i]; }
  PSimbolo back() const { return Datos()[tamano - 1]; }

  void reserve(std::size_t n);
  void push_back(PSimbolo simbolo);
  // Inserts before `sitio`, which must point into the array.
  void insert(const PSimbolo* sitio, PSimbolo simbolo);
  void assign(const PSimbolo* desde, const PSimbolo* hasta);

 private:
  static constexpr std::uint32_t kEnSitio = 2;
  bool EnSitio() const { return capacidad == kEnSitio; }
  PSimbolo* Datos() { return EnSitio() ? enSitio : monton; }
  const PSimbolo* Datos() const { return EnSitio() ? enSitio : monton; }
  void Liberar();
  void Tomar(MiembrosConjunto& otro);

  union {
    PSimbolo enSitio[kEnSitio];
    PSimbolo* monton;
  };
  std::uint32_t tamano = 0;
  std::uint32_t capacidad = kEnSitio;
};

// A set of symbols, unique by name, iterated in name order. Held as a sorted array so that
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
  bool Corta(const ConjuntoSimbolos& otro) const { return PrimeroComun(otro) != nullptr; }
  // The smallest member the two sets share, or null. A small set against a large one costs
  // a look-up per member of the small one, not a walk over the large one.
  CSimbolo* PrimeroComun(const ConjuntoSimbolos& otro) const;

  // " { a b }", or " { a b lambda }" for a nullable owner.
  std::string TextoConjunto(bool lambda) const;

  const PSimbolo* begin() const;
  const PSimbolo* end() const;

 private:
  static constexpr std::size_t kOrdenPorClave = 64;
  // Looking each member of one set up in the other beats walking both when the other is this
  // many times larger.
  static constexpr std::size_t kBuscarCadaUno = 16;
  void Ordenar() const;

  mutable MiembrosConjunto miembros;
  mutable bool desordenado = false;
};
