// Explanations of the errors of an analysis, from the grammar's true sets: for the conflicts
// (codes 29, 30, 31) a witness, two sentences that share a prefix and then go two ways at the
// conflict, with the leftmost derivations that make them; for left recursion (code 27) the
// whole cycle. Errors whose witness does not exist (its symbols derive nothing or lie out of
// reach of the axiom) or would be too long (a context or a derivation of more than 500
// terminals or 500 steps, a cycle of more than 100 productions) get no explanation.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Avisos.h"
#include "Errores.h"

class CGramatica;
class CProduccion;
class CSimbolo;
class CSimboloNoTerminal;
struct ResultadoAnalisis;

// A leftmost derivation: its sentential forms, the first where it starts (an empty form is
// the empty string), and the production that rewrites form k into form k+1.
struct Derivacion {
  std::vector<std::vector<const CSimbolo*>> formas;
  std::vector<const CProduccion*> producciones;
};

// One step of a left-recursion cycle: a production and the position of the symbol the cycle
// goes on through; the symbols before it are nullable and skipped.
struct PasoCiclo {
  const CProduccion* produccion;
  int posicion;
};

struct Explicacion {
  int error = -1;  // the index of the record among the records explained
  Error registro{CodigoError::NoEspecificado, "", 0};
  const CSimboloNoTerminal* noTerminal = nullptr;  // A
  const CSimbolo* terminal = nullptr;              // the lookahead a (29, 31), else null
  // 27: the recursive production; 29, 30: the two productions in line order; 31: the one
  // whose FIRST holds a, then the nullable one.
  std::vector<const CProduccion*> producciones;

  // 29 to 31. With S =>* w A β: the prefix w, the derivation by each production (for 31 the
  // second one derives A and what follows it, up to a string that begins with a), and the two
  // whole sentences (for 30 the same sentence twice).
  std::vector<const CSimbolo*> prefijo;
  std::array<Derivacion, 2> derivaciones;
  std::array<std::vector<const CSimbolo*>, 2> frases;

  // 27: from A's production back to A.
  std::vector<PasoCiclo> ciclo;
};

// The explanations of the records of codes 27, 29, 30 and 31 that have one, in the order of
// the records, for a grammar and the error records its analysis left; none when the text had
// reading errors. Pointers are into the grammar.
std::vector<Explicacion> Explicar(const CGramatica* gramatica, const std::vector<Error>& registros);
std::vector<Explicacion> Explicar(const ResultadoAnalisis& resultado);

// "a B c", names joined by blanks; "lambda" for the empty form.
std::string TextoForma(const std::vector<const CSimbolo*>& forma);
// "A => a B => a b".
std::string TextoDerivacion(const Derivacion& derivacion);

// The block of one explanation: the error's message, then, indented by two blanks, for a
// conflict the lines "Prefijo: ...", "Derivación por <production> (línea n): A => ...", the
// second derivation, "Frase 1: ...", "Frase 2: ..." (one "Frase: ..." for 30) and a sentence
// saying why the parser cannot choose; for left recursion "Ciclo de recursividad por la
// izquierda:" and one line per production, "<production> (línea n)", with ", saltando N, que
// es anulable" where nullable symbols are skipped.
std::vector<std::string> LineasExplicacion(const Explicacion& explicacion);

// What quindel-cli --explain prints after the errors: the blocks of the conflicts, then those
// of left recursion, each followed by an empty line, then one line per warning.
std::vector<std::string> LineasExplicaciones(const std::vector<Explicacion>& explicaciones,
                                             const std::vector<Aviso>& avisos);
