// The FIRST engine: FIRST sets, nullable flags and left recursion of non-terminals and
// productions, with the checks of shared FIRST symbols and of two nullable productions, as one
// depth-first walk that writes the trace and the errors in its nesting order.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CSimbolo;
class CSimboloNoTerminal;
class CProduccion;
class ConjuntoSimbolos;

// A non-terminal asks each of its productions for its FIRST, a production asks its right-side
// symbols in turn. Grammars may chain non-terminals hundreds of thousands deep, so the walk
// keeps its own stack of frames instead of recursing. Each frame stands for one running
// CalcularFirst; the out-parameters (recursion flag and recursive symbol) that the recursive
// form passes down by reference live in the frame of the non-terminal whose production loop
// owns them, and children name that frame by index (`destino`).
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
    int destino = -1;   // frame holding this computation's own out-parameters (-1: caller's)
    std::string texto;  // the production's text, for its closing trace line
  };

  MotorFirst(bool& r, CSimbolo*& s) : rRaiz(r), sRaiz(s) {}

  bool& R(int destino) { return destino < 0 ? rRaiz : pila[destino].r; }
  CSimbolo*& S(int destino) { return destino < 0 ? sRaiz : pila[destino].s; }

  void Ejecutar();

  // First(recursivo, simboloRecursivo) of a non-terminal asked with out-parameters `destino`.
  void PedirFirst(CSimboloNoTerminal* a, int destino);
  // What First() does after CalcularFirst returns.
  void TerminarPeticion(CSimboloNoTerminal* a, int destino);
  static void TerminarCalculo(CSimboloNoTerminal* a);
  void PasoNoTerminal(int indice);
  // Steps after p(i).First(r, s) returned inside A's production loop.
  void ResultadoProduccion(Marco& marco);
  // Two productions of A may not share a FIRST symbol: one error per earlier production.
  static void ComprobarFirstComun(CSimboloNoTerminal* a, std::size_t i);

  void EmpezarProduccion(CProduccion* p, int destino);
  static void TerminarProduccion(CProduccion* p, bool anulable, const std::string& texto);
  void PasoProduccion(int indice);
  // The FIRST set a finished request left: asking First() again could be a new re-entry.
  static const ConjuntoSimbolos& FirstGuardado(CSimbolo* x);

  bool& rRaiz;
  CSimbolo*& sRaiz;
  std::vector<Marco> pila;
};
