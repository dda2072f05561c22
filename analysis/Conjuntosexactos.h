// The least fixed points of nullable, FIRST and FOLLOW over a whole grammar: the textbook
// sets, independent of the order in which the traced analysis meets the symbols.
#pragma once

#include <cstdint>
#include <vector>

#include "Simbolos.h"

class CGramatica;

class ConjuntosExactos {
 public:
  // Symbols and productions must carry their indices (CGramatica assigns them).
  explicit ConjuntosExactos(const CGramatica& gramatica);

  bool Anulable(const CSimboloNoTerminal& simbolo) const;
  ConjuntoSimbolos First(const CSimboloNoTerminal& simbolo) const;
  ConjuntoSimbolos Follow(const CSimboloNoTerminal& simbolo) const;
  bool Anulable(const CProduccion& produccion) const;
  ConjuntoSimbolos First(const CProduccion& produccion) const;

 private:
  using Bits = std::vector<std::uint64_t>;  // one bit per terminal, in name order

  // The three least fixed points, over the grammar's `n` non-terminals.
  void CalcularAnulables(int n, const std::vector<CProduccion*>& producciones);
  void CalcularFirst(int n, const std::vector<CProduccion*>& producciones);
  void CalcularFollow(const CGramatica& gramatica, int n,
                      const std::vector<CProduccion*>& producciones);

  // The row of `palabras` words of symbol or production `i`.
  std::uint64_t* Fila(Bits& bits, int i) const;
  // A non-terminal found nullable.
  bool EsAnulable(const CSimbolo* x) const;
  ConjuntoSimbolos AConjunto(const std::uint64_t* bits) const;

  int palabras = 0;
  std::vector<CSimbolo*> terminales;
  std::vector<char> anulableNT, anulableProd;
  Bits firstNT, followNT, firstProd;  // rows of `palabras` words
};
