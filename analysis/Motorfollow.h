// The FOLLOW engine: the walk over a non-terminal's occurrences that decides which FIRST
// computations run and which FOLLOW computations nest inside which, and so the order of the
// trace; each computation stores and prints the grammar's true FOLLOW set.
#pragma once

#include <cstddef>
#include <vector>

class CSimboloNoTerminal;
class CProduccion;

// The set stored is the least fixed point (ConjuntosExactos), so that a FOLLOW met while in
// progress, which adds nothing to the walk, never leaves a set short. The walk keeps its own
// stack: FOLLOW computations may nest as deep as the grammar chains its non-terminals.
class MotorFollow {
 public:
  // The body of CSimboloNoTerminal::CalcularFollow.
  static void Calcular(CSimboloNoTerminal* raiz);

 private:
  struct Marco {
    CSimboloNoTerminal* simbolo;
    std::size_t aparicion;
  };

  void Empezar(CSimboloNoTerminal* a);
  void Ejecutar();
  // Walks the symbols after `posicion` while they are nullable, computing their FIRST sets
  // on the way; true when all of them (or none) follow.
  static bool RestoAnulable(CProduccion* produccion, int posicion);
  // The first position from `j` on not yet known to be a computed nullable symbol.
  static int Siguiente(std::vector<int>& salto, int j);
  static void Terminar(CSimboloNoTerminal* a);

  static constexpr int kLargoSinSaltos = 8;

  std::vector<Marco> pila;
};
