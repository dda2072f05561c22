// The grammar model: symbols and productions, with the entry points of the FIRST and FOLLOW
// computations (Motorfirst, Motorfollow), the check of FIRST against FOLLOW, the table's
// selection rule and the text forms.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "Conjuntosimbolos.h"

class CSimboloNoTerminal;
class CProduccion;
class CGramatica;

// A place where a non-terminal stands: the production and the 0-based position in its right side.
using Aparicion = std::pair<CProduccion*, int>;

class CSimbolo {
 public:
  CSimbolo(std::string nombre, int linea) : nombre(std::move(nombre)), linea(linea) {}
  virtual ~CSimbolo() = default;
  CSimbolo(const CSimbolo&) = delete;
  CSimbolo& operator=(const CSimbolo&) = delete;

  const std::string& Nombre() const { return nombre; }
  int Linea() const { return linea; }

  virtual bool EsTerminal() const = 0;
  // The FIRST set, read in place. `recursivo` and `simboloRecursivo` carry the report of left
  // recursion met while it was computed.
  virtual const ConjuntoSimbolos& First(bool& recursivo, CSimbolo*& simboloRecursivo) = 0;
  virtual bool Anulable() const = 0;

  // Position in its grammar set (name order); the index of the grammar-wide fixed points.
  int Indice() const { return indice; }
  void PonerIndice(int valor) { indice = valor; }

 private:
  std::string nombre;
  int linea;
  int indice = -1;
};

// What the FIRST engine notes on a terminal while a non-terminal's production loop runs
// (Motorfirst): the loop that wrote the note, whose alone it is, the last of the loop's entries
// for the terminal, and whether the non-terminal's FIRST has it so far.
struct NotaFirst {
  const CSimboloNoTerminal* bucle = nullptr;
  int ultima = -1;
  bool enFirst = false;
};

class CSimboloTerminal : public CSimbolo {
 public:
  CSimboloTerminal(std::string nombre, int linea);

  bool EsTerminal() const override { return true; }
  const ConjuntoSimbolos& First(bool& recursivo, CSimbolo*& simboloRecursivo) override;
  bool Anulable() const override { return false; }

 private:
  friend class MotorFirst;

  ConjuntoSimbolos propio;  // {this}
  NotaFirst notaFirst;
};

class CSimboloNoTerminal : public CSimbolo {
 public:
  // A non-terminal belongs to one grammar: its analysis queues, exact sets and occurrences live
  // there. `ranura` is its number in the grammar's index of names.
  CSimboloNoTerminal(std::string nombre, int linea, CGramatica* gramatica, int ranura);
  ~CSimboloNoTerminal() override;

  bool EsTerminal() const override { return false; }
  const ConjuntoSimbolos& First(bool& recursivo, CSimbolo*& simboloRecursivo) override;
  bool Anulable() const override { return anulable; }

  void AnadirProduccion(std::unique_ptr<CProduccion> produccion);
  void AnadirAparicion(CProduccion* produccion, int posicion);
  void MarcarAxioma(bool axioma, CSimbolo* fin);

  // FOLLOW, computed first when needed; empty while it is being computed.
  const ConjuntoSimbolos& Follow();
  // The LL(1) selection rule: the production the table holds for the terminal named `t`.
  CProduccion* ProduccionPara(const std::string& t);
  // The check of FIRST against FOLLOW for a nullable non-terminal (error 31).
  void ComprobarFirstFollow();

  bool EsAxioma() const { return esAxioma; }
  bool FollowCalculado() const { return followCalculado; }
  CProduccion* ProduccionAnulable() const { return produccionAnulable; }
  const std::vector<std::unique_ptr<CProduccion>>& Producciones() const { return producciones; }
  // Where it stands in right sides, in the order they were read.
  std::span<const Aparicion> Apariciones() const;
  int Ranura() const { return ranura; }
  const ConjuntoSimbolos& ConjuntoFirst() const { return first; }
  const ConjuntoSimbolos& ConjuntoFollow() const { return follow; }

 private:
  friend class MotorFirst;
  friend class MotorFollow;

  // The walks behind First() and Follow(), defined with their engines (Motorfirst,
  // Motorfollow); they keep their own stacks, not the call stack.
  void CalcularFirst(bool& recursivo, CSimbolo*& simboloRecursivo);
  void CalcularFollow();

  CGramatica* gramatica;
  int ranura;
  bool esAxioma = false;
  bool anulable = false;
  CProduccion* produccionAnulable = nullptr;
  std::vector<std::unique_ptr<CProduccion>> producciones;
  ConjuntoSimbolos first;
  ConjuntoSimbolos follow;
  bool firstCalculado = false;
  bool firstEnCurso = false;
  bool followCalculado = false;
  bool followEnCurso = false;
  bool esRecursivo = false;
};

class CProduccion {
 public:
  CProduccion() = default;
  CProduccion(const CProduccion&) = delete;
  CProduccion& operator=(const CProduccion&) = delete;

  void PonerLinea(int valor) { linea = valor; }
  int Linea() const { return linea; }
  void PonerAntecedente(CSimboloNoTerminal* simbolo) { antecedente = simbolo; }
  CSimboloNoTerminal* Antecedente() const { return antecedente; }
  bool Anulable() const { return anulable; }

  // Appends a right-side entry (null for lambda) and registers a non-terminal's occurrence.
  void AnadirSimbolo(CSimbolo* simbolo);
  // Appends a right-side entry and nothing else; returns its position. The grammar reads right
  // sides this way and registers the occurrence itself.
  int Anexar(CSimbolo* simbolo);
  // The i-th right-side entry, or null past the end.
  CSimbolo* SimboloEn(int i) const;
  const std::vector<CSimbolo*>& Consecuente() const { return consecuente; }
  bool EsLambda() const { return !consecuente.empty() && consecuente[0] == nullptr; }

  // FIRST of the right side, computed once; the recursion report is left alone afterwards.
  const ConjuntoSimbolos& First(bool& recursivo, CSimbolo*& simboloRecursivo);
  const ConjuntoSimbolos& ConjuntoFirst() const { return first; }

  // "S -> a S b", "A -> lambda".
  std::string TextoProduccion() const;
  // "S &rarr; a S b", names escaped.
  std::string TextoProduccionHTML() const;

  int Indice() const { return indice; }
  void PonerIndice(int valor) { indice = valor; }

 private:
  friend class MotorFirst;
  friend class MotorFollow;

  void CalcularFirst(bool& recursivo, CSimbolo*& simboloRecursivo);

  int linea = 0;
  bool anulable = false;
  CSimboloNoTerminal* antecedente = nullptr;
  std::vector<CSimbolo*> consecuente;
  ConjuntoSimbolos first;
  bool firstCalculado = false;
  int indice = -1;
  std::vector<int> saltoAnulable;  // FOLLOW walks: jumps over computed nullable runs
};

// Replaces " & < > by their HTML entities; every other byte is kept.
std::string EscaparHTML(const std::string& texto);

// The name of the end-of-input terminal: a no-break space (A0) and "$ (final de cadena)".
const std::string& NombreFinCadena();
