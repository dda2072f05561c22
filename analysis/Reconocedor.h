// The LL(1) parse of a sentence: the table-driven predictive parser of an analysed grammar run
// on a text of terminal names, step by step, with the parse tree it builds. Time and memory grow
// linearly with the sentence: the stacks of all steps share their cells and the tree is one flat
// array, so nothing recurses on the tree's depth (building, walking, writing or freeing it).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CGramatica;
class CProduccion;
class CSimbolo;
class CTablaSintactica;

enum class AccionPaso { Expandir, Emparejar, Aceptar, Error };

class Reconocimiento {
 public:
  // A node of the parse tree. Node 0 is the axiom; the children of a node are contiguous.
  struct Nodo {
    const CSimbolo* simbolo = nullptr;
    const CProduccion* produccion = nullptr;  // set when the non-terminal was expanded
    int padre = -1;
    int primerHijo = -1;  // children: [primerHijo, primerHijo + numHijos)
    int numHijos = 0;
    int paso = -1;  // the step that expanded or matched it; -1 when never reached
  };

  // One step of the parser, as it stands before the step's action.
  struct Paso {
    AccionPaso accion;
    int cima = -1;    // top cell of the shared stack (see Pila)
    int entrada = 0;  // index in Entrada() of the current input terminal
    int nodo = -1;    // the tree node on top of the stack (-1: the end-of-input terminal)
    const CProduccion* produccion = nullptr;  // Expandir: the production used
  };

  // Why the sentence was rejected.
  struct Fallo {
    int posicion = 0;        // 1-based index in the input; the end of input is length + 1
    std::string encontrado;  // the name found there (the end-of-input name at the end)
    std::vector<const CSimbolo*> esperados;  // in table column order; empty for a name that is
                                             // not a terminal
    // Windows-1252, without the position: "se esperaba uno de { a b } y se encontró c", or
    // "el símbolo x no es un terminal de la gramática".
    std::string mensaje;
  };

  // The sentence's names as typed (Windows-1252), split at blanks (space, tab, CR, LF; a
  // no-break space belongs to a name).
  const std::vector<std::string>& Nombres() const { return nombres; }
  // The sentence's terminals followed by the end-of-input terminal; empty when a name is not a
  // terminal of the grammar.
  const std::vector<const CSimbolo*>& Entrada() const { return entrada; }
  bool Aceptada() const { return aceptada; }
  const std::optional<Fallo>& Error() const { return fallo; }
  const std::vector<Paso>& Pasos() const { return pasos; }
  const std::vector<Nodo>& Arbol() const { return arbol; }  // empty when no step was made

  // The stack before `paso`, bottom first (the end-of-input terminal, ..., the top).
  std::vector<const CSimbolo*> Pila(const Paso& paso) const;

 private:
  friend Reconocimiento Reconocer(const CGramatica&, const CTablaSintactica&, std::string_view);
  struct Celda {
    const CSimbolo* simbolo;
    int nodo;    // -1 for the end-of-input terminal
    int debajo;  // the cell below, -1 at the bottom
  };

  std::vector<std::string> nombres;
  std::vector<const CSimbolo*> entrada;
  bool aceptada = false;
  std::optional<Fallo> fallo;
  std::vector<Paso> pasos;
  std::vector<Nodo> arbol;
  std::vector<Celda> celdas;
};

// Runs the parser of `tabla` (built from `gramatica`) on `frase`, a Windows-1252 text.
Reconocimiento Reconocer(const CGramatica& gramatica, const CTablaSintactica& tabla,
                         std::string_view frase);

// The verdict line: "Cadena aceptada.", or "Cadena rechazada: " + the error's message +
// " (posición " + its position + ")."
std::string TextoVeredicto(const Reconocimiento& reconocimiento);
// The text of a step's action: the production used ("E -> T Eprima"), "emparejar a", "aceptar"
// or the error's message.
std::string TextoAccion(const Reconocimiento& reconocimiento, const Reconocimiento::Paso& paso);
