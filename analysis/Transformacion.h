// A proposed grammar: the analysed grammar rewritten towards LL(1), as a new text in the
// program's own language, with the steps taken. Useless symbols go first; left recursion is
// removed (direct, and indirect by substitution in declaration order, after the productions
// lambda and the cycles of unit productions when they stand in the way); then common
// prefixes are factored out, the longest first. Where two productions still clash because
// one begins with a non-terminal, that non-terminal's productions are substituted and the
// prefixes factored again, a few rounds at most; when conflicts remain and the recursion was
// indirect, substituting with the symbols used from outside the recursion last is tried too.
// The language stays the same and the axiom is kept; new non-terminals are named after the
// one they come from (Eprima, Sfactor, Eprima2...). The user's text is never touched.
#pragma once

#include <optional>
#include <string>
#include <vector>

class CGramatica;
class Error;
struct ResultadoAnalisis;

struct Propuesta {
  // The grammar text (Windows-1252, CR LF); none when no proposal could be made.
  std::optional<std::string> texto;
  // Whether the analysis of that text finds no error: the grammar is LL(1).
  bool ll1 = false;
  // What was done, one Spanish sentence each, in order.
  std::vector<std::string> pasos;
  // Why there is no proposal, when there is none.
  std::string motivo;
};

// How far the rewriting goes past factoring; the defaults are the program's.
struct AjustesPropuesta {
  int rondas = 8;         // rounds of substitution for the conflicts that remain
  bool otroOrden = true;  // try the other order of substitution for indirect recursion
};

// The proposal for an analysed grammar, given with the error records of its analysis; the
// steps end with the LL(1) errors that remain, if any. The analyses of the texts tried leave
// the process-wide error list as it was. No
// proposal is made for a text with reading errors, for an empty language, when left recursion
// cannot be removed, or when the grammar would grow beyond eight times its size (plus a
// margin).
Propuesta ProponerGramatica(const CGramatica* gramatica, const std::vector<Error>& registros,
                            AjustesPropuesta ajustes = {});
Propuesta ProponerGramatica(const ResultadoAnalisis& resultado, AjustesPropuesta ajustes = {});

// The text with its steps on top as comment lines ("//// " and the step), as quindel-cli
// --transform prints it; empty when there is no proposal.
std::string TextoConPasos(const Propuesta& propuesta);
