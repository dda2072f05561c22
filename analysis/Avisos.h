// Warnings about useless symbols, beside the error list: non-terminals the axiom never
// reaches, non-terminals that derive no string of terminals, and terminals no production uses.
// They are never errors and never change the verdict of an analysis.
#pragma once

#include <string>
#include <vector>

class CGramatica;
class CSimbolo;
class Error;
struct ResultadoAnalisis;

enum class TipoAviso { Inaccesible, Improductivo, TerminalSinUso };

struct Aviso {
  TipoAviso tipo;
  const CSimbolo* simbolo;  // its line is the line of its declaration
};

// The warnings of an analysed grammar, given with the error records of its analysis: the
// unreachable non-terminals, then the unproductive ones, then the unused terminals, each kind
// in name order. None when the text had reading errors. The symbols belong to the grammar.
std::vector<Aviso> BuscarAvisos(const CGramatica* gramatica, const std::vector<Error>& registros);
std::vector<Aviso> BuscarAvisos(const ResultadoAnalisis& resultado);

// "Aviso en la línea 3: el símbolo no terminal X no es accesible desde el axioma.", and for
// the other kinds "... no deriva ninguna cadena de terminales." and "el símbolo terminal t no
// aparece en ninguna producción.".
std::string TextoAviso(const Aviso& aviso);
