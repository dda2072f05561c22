// A grammar as plain numbers, the form on which the explanations of an analysis and the
// proposed grammar are computed, with the facts both need: nullable, productive and reachable
// symbols, and left recursion with its cycles. Every walk keeps its own stack or queue.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "Grafos.h"

class CGramatica;
class CProduccion;
class CSimbolo;
class Error;

// Symbols 0 .. NumTerminales()-1 are the terminals, the later ones the non-terminals;
// productions are numbered in the order they are added and keep their antecedent's order.
class GramaticaPlana {
 public:
  // Every terminal must be added before the first non-terminal. Answers the symbol's number.
  int AnadirSimbolo(std::string nombre, bool terminal);
  void PonerAxioma(int simbolo) { axioma = simbolo; }
  // Appends a production of non-terminal `a`; an empty right side is lambda.
  int AnadirProduccion(int a, std::span<const int> derecha);

  int NumSimbolos() const { return static_cast<int>(nombres.size()); }
  int NumTerminales() const { return terminales; }
  int NumProducciones() const { return static_cast<int>(antecedente.size()); }
  bool EsTerminal(int s) const { return s < terminales; }
  const std::string& Nombre(int s) const { return nombres[s]; }
  int Axioma() const { return axioma; }
  int Antecedente(int p) const { return antecedente[p]; }
  std::span<const int> Derecha(int p) const;
  // The productions of non-terminal `a`, in the order added.
  const std::vector<int>& Producciones(int a) const { return porSimbolo[a]; }
  // Where symbol `s` stands in right sides: (production, position) pairs by production.
  struct Aparicion {
    int produccion;
    int posicion;
  };
  std::span<const Aparicion> Apariciones(int s) const;

  // "A -> a B", "A -> lambda".
  std::string TextoProduccion(int p) const;

 private:
  void IndexarApariciones() const;

  int terminales = 0;
  int axioma = -1;
  std::vector<std::string> nombres;
  std::vector<std::vector<int>> porSimbolo;
  std::vector<int> antecedente;
  std::vector<int> inicio{0};  // the right side of p is simbolos[inicio[p], inicio[p+1])
  std::vector<int> simbolos;
  mutable std::vector<int> inicioApariciones;  // built on first use, dropped on every change
  mutable std::vector<Aparicion> apariciones;
};

// An analysed grammar as numbers: terminals and non-terminals each in name order (their
// Indice()), productions in declaration order, and the way back to the grammar's objects.
struct GramaticaDe {
  explicit GramaticaDe(const CGramatica& gramatica);

  // The number of a symbol of the grammar.
  int Numero(const CSimbolo* simbolo) const;

  GramaticaPlana plana;
  std::vector<const CSimbolo*> simbolos;
  std::vector<const CProduccion*> producciones;
  // The grammar's true nullable flags, per symbol.
  std::vector<char> anulables;
  // The non-terminals in declaration order.
  std::vector<int> declarados;

 private:
  int terminales = 0;
};

// Names as a Spanish list: "N", "N y M", "N, M y P".
std::string Enumerar(const std::vector<std::string>& nombres);

// Whether an analysis that left this grammar and these error records read its text without
// errors, so that the grammar was analysed.
bool GramaticaAnalizada(const CGramatica* gramatica, const std::vector<Error>& registros);

// Per symbol: whether it derives the empty string (terminals never do).
std::vector<char> Anulables(const GramaticaPlana& g);
// Per symbol: whether it derives some string of terminals (terminals do).
std::vector<char> Productivos(const GramaticaPlana& g);
// Per symbol: whether it appears in some sentential form derived from the axiom.
std::vector<char> Accesibles(const GramaticaPlana& g);

// Left recursion. Position i of production p is a left corner when every symbol before it is
// nullable; non-terminal A is left-recursive when a chain of left corners leads from A back to A.
class RecursividadIzquierda {
 public:
  // One step of a cycle: the production, and the position of the left corner taken (the
  // nullable symbols before it are skipped).
  struct Paso {
    int produccion;
    int posicion;
  };
  // Cycles of more productions than this are not looked for.
  static constexpr int kMaxCiclo = 100;

  RecursividadIzquierda(const GramaticaPlana& g, const std::vector<char>& anulables);

  bool Alguna() const { return alguna; }
  bool Recursivo(int a) const { return recursivo[a] != 0; }
  // Non-terminals on the same cycles share their component.
  int Componente(int a) const { return componente[a]; }
  // The shortest cycle that leaves non-terminal `a` by its production `p` and comes back to
  // `a`; empty when there is none within kMaxCiclo steps.
  std::vector<Paso> Ciclo(int a, int p) const;
  // The shortest cycle through `a` by any of its productions.
  std::vector<Paso> Ciclo(int a) const;

 private:
  const GramaticaPlana& g;
  const std::vector<char>& anulables;
  std::vector<int> componente;
  std::vector<char> recursivo;
  bool alguna = false;
  // Scratch of the searches: a vertex is seen in the search whose mark it holds.
  mutable std::vector<int> marca;
  mutable std::vector<Paso> llegada;
  mutable int busqueda = 0;
};
