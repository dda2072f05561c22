// What quindel-cli prints for one analysis: the text sections ("Análisis", "Errores", the
// explanations, the table grid) and the JSON document.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Escritorjson.h"

struct ResultadoAnalisis;
class CTablaSintactica;

struct SeleccionInforme {
  bool analisis = false;
  bool errores = false;
  bool explicaciones = false;
  bool tabla = false;
  bool crudo = false;  // Windows-1252 bytes as they are instead of UTF-8
  // The lines of the parse section, last of all; null: no such section.
  const std::vector<std::string>* reconocimiento = nullptr;
};

// Rows of cells as lines whose columns line up, `separador` between two columns, the last
// column not padded. Windows-1252 in, Windows-1252 out: one byte is one character on screen.
std::vector<std::string> AlinearFilas(const std::vector<std::vector<std::string>>& filas,
                                      std::string_view separador);

// The table as an aligned grid: a header row with the terminals, one row per non-terminal,
// TextoProduccion in the cells and "-" for an empty one. Windows-1252, no line ends.
std::vector<std::string> LineasTabla(const CTablaSintactica& tabla);

// The selected sections in their fixed order, one empty line between two of them, every line
// ended by LF. A section with nothing to show is left out with its separator. The text goes to
// `destino` a block at a time as it is made.
void EscribirInforme(const ResultadoAnalisis& resultado, const SeleccionInforme& seleccion,
                     const DestinoTexto& destino);
// The same text whole.
std::string TextoInforme(const ResultadoAnalisis& resultado, const SeleccionInforme& seleccion);

// The keys of the whole analysis in the JSON document (UTF-8), written into the open object:
// "file" (`fichero`, the Windows-1252 file name), "ll1", "errors", "analysis", "terminals",
// "nonterminals", "table", then "explanations" and "warnings". The grammar's true
// nullable/FIRST/FOLLOW sets, the explanations and the warnings are given only when the text
// read without errors, since otherwise the LL(1) analysis never ran.
void EscribirAnalisisJson(EscritorJson& json, const ResultadoAnalisis& resultado,
                          const std::string& fichero);
