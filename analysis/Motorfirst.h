// The FIRST engine: FIRST sets, nullable flags and left recursion of non-terminals and
// productions, with the checks of shared FIRST symbols and of two nullable productions, as one
// depth-first walk that writes the trace and the errors in its nesting order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "Simbolos.h"

// A non-terminal asks each of its productions for its FIRST, a production asks its right-side
// symbols in turn. Grammars may chain non-terminals hundreds of thousands deep, so the walk
// keeps its own stack of frames instead of recursing. Each frame stands for one running
// CalcularFirst; the out-parameters (recursion flag and recursive symbol) that the recursive
// form passes down by reference live in the frame of the non-terminal whose production loop
// owns them, and children point to that frame (`destino`). The frames lie in a deque, where
// pushing a frame moves none of those below it.
//
// Two productions of one non-terminal clash on a terminal both FIRST sets hold. A non-terminal
// may have a hundred thousand alternatives (a list of keywords), so its loop does not compare
// each production with every earlier one: it keeps, per terminal, the list of its productions
// whose FIRST holds it (entries in `anotaciones`, chained from the terminal's NotaFirst), and a
// production meets only the productions it clashes with. A loop runs inside another one's wait,
// so each loop puts back the notes it found when it ends.
class MotorFirst {
 public:
  // The bodies of CSimboloNoTerminal::CalcularFirst and CProduccion::CalcularFirst.
  static void CalcularNoTerminal(CSimboloNoTerminal* raiz, bool& r, CSimbolo*& s);
  static void CalcularProduccion(CProduccion* raiz, bool& r, CSimbolo*& s);

 private:
  struct Marco {
    CSimboloNoTerminal* simbolo = nullptr;  // a non-terminal's production loop, or
    CProduccion* produccion = nullptr;      // a production's walk over its right side
    std::size_t i = 0;                      // the production / right-side position being asked
    bool esperando = false;                 // the request for position i has been made
    bool r = false;                         // out-parameters of the productions of `simbolo`
    CSimbolo* s = nullptr;
    Marco* destino = nullptr;  // frame holding this computation's out-parameters (null: caller's)
    std::string texto;         // the production's text, for its closing trace line
    std::size_t anotaciones = 0;  // where the production loop's entries begin
  };

  // One production's FIRST holds the terminal; the loop's entries for a terminal form a chain
  // from the latest back.
  struct Anotacion {
    CSimboloTerminal* terminal;
    std::uint32_t produccion;  // its place in the loop's non-terminal
    int anterior;              // the loop's previous entry for the terminal, -1 for none
    NotaFirst previa;          // the terminal's note before the loop's first entry for it
  };

  MotorFirst(bool& r, CSimbolo*& s) : rRaiz(r), sRaiz(s) {}
  ~MotorFirst();
  MotorFirst(const MotorFirst&) = delete;
  MotorFirst& operator=(const MotorFirst&) = delete;

  bool& R(Marco* destino) { return destino ? destino->r : rRaiz; }
  CSimbolo*& S(Marco* destino) { return destino ? destino->s : sRaiz; }

  void Ejecutar();

  // First(recursivo, simboloRecursivo) of a non-terminal asked with out-parameters `destino`.
  void PedirFirst(CSimboloNoTerminal* a, Marco* destino);
  // What First() does after CalcularFirst returns.
  void TerminarPeticion(CSimboloNoTerminal* a, Marco* destino);
  static void TerminarCalculo(CSimboloNoTerminal* a);
  void PasoNoTerminal(Marco& marco);
  // Steps after p(i).First(r, s) returned inside A's production loop.
  void ResultadoProduccion(Marco& marco);
  // Two productions of A may not share a FIRST symbol: one error per earlier production, in
  // their order, naming the smallest symbol the two share with A's FIRST so far.
  void ComprobarFirstComun(CSimboloNoTerminal* a, std::size_t i);
  // Enters p(i)'s FIRST in the loop's lists; when it counts for A's FIRST, adds it there.
  void Anotar(CSimboloNoTerminal* a, std::size_t i, bool enFirst);
  // Puts back the notes of the entries from `desde` on, and drops them.
  void Retirar(std::size_t desde);

  void EmpezarProduccion(CProduccion* p, Marco* destino);
  static void TerminarProduccion(CProduccion* p, bool anulable, const std::string& texto);
  void PasoProduccion(Marco& marco);
  // The FIRST set a finished request left: asking First() again could be a new re-entry.
  static const ConjuntoSimbolos& FirstGuardado(CSimbolo* x);

  bool& rRaiz;
  CSimbolo*& sRaiz;
  std::deque<Marco> pila;
  std::vector<Anotacion> anotaciones;
  std::vector<std::pair<std::uint32_t, CSimbolo*>> choques;  // earlier production, shared symbol
};
