// What quindel-cli prints for the sentences it parses: the steps as a grid with the verdict,
// one line per sentence of a file, a parse as JSON and its tree as a Graphviz DOT file. The
// JSON and the DOT file are written here, walking the tree without recursion, since a tree is
// as deep as the sentence is long.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Informe.h"

class EscritorJson;
class Reconocimiento;

// The grid "Pila | Entrada | Acción" of the steps (stack bottom first, the remaining input with
// the end-of-input name, the action's text), an empty line and the verdict; the verdict alone
// when no step was made. Windows-1252. The grid grows with the square of the sentence, so its
// lines go to `linea` one at a time as they are made, the columns' widths measured beforehand.
void EscribirLineasReconocimiento(const Reconocimiento& reconocimiento, const DestinoLinea& linea);

// "3: aceptada", or "4: rechazada: " + the error's message + " (posición k)". Windows-1252.
std::string LineaFrase(int linea, const Reconocimiento& reconocimiento);

// The section that replaces the parse when the grammar has no table. Windows-1252.
const std::string& TextoSinTabla();

// A sentence of a file: its 1-based line number and its text.
struct FraseFichero {
  int linea;
  std::string texto;
};
// The lines of a file of sentences that hold a name; CR LF, a lone LF and a lone CR all end a
// line.
std::vector<FraseFichero> FrasesDeFichero(std::string_view texto);

// A parse as a JSON object (UTF-8) in dump(2)'s layout, except for the tree, which takes one
// line (compact) so that the document grows linearly with its depth. With `linea` > 0 the
// object starts with the key "line".
void EscribirReconocimiento(EscritorJson& json, const Reconocimiento& reconocimiento,
                            int linea = 0);

// The parse tree as a Graphviz DOT graph (UTF-8, LF): one node per tree node labelled with its
// symbol, children in order; the nodes the parse never reached in grey.
std::string DotArbol(const Reconocimiento& reconocimiento);
