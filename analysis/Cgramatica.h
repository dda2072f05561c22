// The grammar: owns its symbols and productions, runs the LL(1) analysis and builds the
// parse table.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Simbolos.h"

class CTablaSintactica;
class ConjuntosExactos;

// Symbols by name, numbered in the order they were added: an open-addressing table with no
// nodes, since the parser looks a name up for every symbol it reads. An entry holds what the
// parser needs of a symbol (its number, whether it is a terminal, and the name itself when it
// is short), so that reading a right side does not visit the symbols: on large grammars they
// lie far apart in memory, and each visit would wait for it.
class IndiceNombres {
 public:
  struct Encontrado {
    CSimbolo* simbolo = nullptr;  // null when the name is not in the index
    int numero = -1;
    bool terminal = false;
  };
  Encontrado Buscar(std::string_view nombre) const;
  // The symbol's name must not be in the index yet; returns its number.
  int Anadir(CSimbolo* simbolo, bool terminal);
  int Tamano() const { return static_cast<int>(simbolos.size()); }

 private:
  static constexpr std::size_t kNombreCorto = 7;
  // Sixteen bytes, four to a cache line.
  struct Entrada {
    std::uint32_t marca = 0;        // the high half of the name's hash
    std::uint32_t numero : 31 = 0;  // 1 + the symbol's number, 0 when the entry is free
    std::uint32_t terminal : 1 = 0;
    unsigned char largo = 0;  // of the name, or more than kNombreCorto
    char corto[kNombreCorto] = {};
  };
  bool Nombra(const Entrada& entrada, std::string_view nombre) const;
  void Crecer();

  std::vector<Entrada> entradas;
  std::vector<CSimbolo*> simbolos;  // by number
};

class CGramatica {
 public:
  CGramatica();
  ~CGramatica();
  CGramatica(const CGramatica&) = delete;
  CGramatica& operator=(const CGramatica&) = delete;

  // False when the name already names a terminal or a non-terminal.
  bool AnadirTerminal(const std::string& nombre, int linea);
  bool AnadirNoTerminal(const std::string& nombre, int linea);
  CSimbolo* BuscarSimbolo(const std::string& nombre) const;
  CSimboloNoTerminal* BuscarNoTerminal(const std::string& nombre) const;
  // False when the name is not a non-terminal; otherwise it becomes the axiom and the
  // end-of-input terminal joins the terminals and the axiom's FOLLOW.
  bool DefinirAxioma(const std::string& nombre);
  // Keeps alive a production the parser could not attach: its occurrences stay registered.
  void DescartarProduccion(std::unique_ptr<CProduccion> produccion);

  CSimboloNoTerminal* Axioma() const { return axioma; }
  const ConjuntoSimbolos& Terminales() const { return terminales; }
  const ConjuntoSimbolos& NoTerminales() const { return noTerminales; }
  // The non-terminals in the order they were declared, which is also, mostly, the order in
  // which they and their productions lie in memory: passes that may choose their order use it.
  const std::vector<CSimboloNoTerminal*>& NoTerminalesDeclarados() const { return declarados; }

  // FIRST and left recursion for every non-terminal in name order, FOLLOW and the LL(1)
  // conditions; writes the trace and appends errors 26 to 31 to listaErrores.
  void AnalizarLL1();
  std::unique_ptr<CTablaSintactica> ConstruirTabla();

  // The least-fixed-point nullable, FIRST and FOLLOW sets, computed on first use and kept.
  const ConjuntosExactos& Exactos() const;
  // A nullable non-terminal whose FIRST/FOLLOW check is still to run.
  void EncolarAnulable(CSimboloNoTerminal* simbolo) { pendientes.push_back(simbolo); }

  // Appends the symbol of that name to the right side; false when no symbol has it. The way
  // the parser reads right sides: the symbol itself is not visited.
  bool AnadirAlConsecuente(CProduccion& produccion, std::string_view nombre);
  // The occurrences of its non-terminals, noted as the right sides are read and grouped by
  // symbol on first use.
  void AnotarAparicion(const CSimboloNoTerminal& simbolo, CProduccion* produccion, int posicion);
  std::span<const Aparicion> Apariciones(const CSimboloNoTerminal& simbolo) const;

 private:
  // Numbers the symbols and productions once. The numbering follows from the grammar and
  // changes nothing it answers, so const callers may ask for it as for the exact sets.
  void AsignarIndices() const;
  void ComprobarPendientes();
  void AgruparApariciones() const;

  std::vector<std::unique_ptr<CSimbolo>> simbolos;
  IndiceNombres porNombre;
  ConjuntoSimbolos terminales;
  ConjuntoSimbolos noTerminales;
  std::vector<CSimboloNoTerminal*> declarados;
  CSimboloNoTerminal* axioma = nullptr;
  std::vector<std::unique_ptr<CProduccion>> descartadas;
  std::deque<CSimboloNoTerminal*> pendientes;
  // One store for every occurrence, not a list per symbol: a grammar of a million productions
  // would otherwise make hundreds of thousands of small lists, spread over the heap, while it
  // is read. `anotadas` holds them in reading order with their symbol's number in the index
  // until they are grouped into `agrupadas`, symbol k owning [inicios[k], inicios[k+1]).
  struct AparicionAnotada {
    int ranura;
    Aparicion aparicion;
  };
  mutable std::vector<AparicionAnotada> anotadas;
  mutable std::vector<Aparicion> agrupadas;
  mutable std::vector<std::size_t> inicios;
  mutable std::unique_ptr<ConjuntosExactos> exactos;
  mutable bool indicesAsignados = false;
};
