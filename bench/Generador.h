// Large grammar texts for the benchmarks, LL(1) by construction, in the editor's form
// (Windows-1252, CR LF).
#pragma once

#include <cstdint>
#include <string>

// "large": names t0.. and N0..; "mix": half the leading terminals are punctuation names
// such as "+" or ":=", every non-terminal is productive, tails recurse to the right.
enum class Forma { Grande, Mezcla };

struct ParametrosGramatica {
  int producciones = 100000;
  int noTerminales = 35000;
  int terminales = 64;
  double anulables = 0.2;  // share of non-terminals (the axiom aside) with a lambda production
  std::uint32_t semilla = 12345;
  Forma forma = Forma::Grande;
};

// The "mix" shape for n productions: about 2.8 per non-terminal, 48 leading and 16 closing
// terminals, 30 % of the non-terminals nullable.
ParametrosGramatica ParametrosMezcla(int producciones);

// Non-terminals N0 (the axiom) to Nn-1 with 1 to 8 alternatives each: alternatives led by
// distinct terminals, chains led by a later non-terminal, lambda productions. Why it is LL(1):
// - a leading non-terminal always has a larger index and is never nullable: no left recursion,
//   and only a lambda production is nullable (condition 2);
// - the leading terminals and the FIRST sets of the chained non-terminals of one symbol are
//   pairwise disjoint (condition 1);
// - FIRST sets only hold "leading" terminals, and every occurrence of a nullable non-terminal
//   is followed at once by a "closing" terminal, which leads nothing: FOLLOW of a nullable
//   symbol never meets its FIRST (condition 3).
// Every non-terminal is reachable from the axiom. Needs noTerminales <= producciones <=
// 8 * noTerminales and at least 12 terminals.
std::string GenerarGramatica(const ParametrosGramatica& parametros);

// A1 -> A2 x, A2 -> A3 x, ..., An -> y: the deepest possible FIRST and FOLLOW recursion.
std::string GenerarCadena(int longitud);

// S -> t0, S -> t1, ..., S -> tn-1 over n distinct terminals: one non-terminal with n
// alternatives that never clash, as a list of keywords.
std::string GenerarAlternativas(int n);
