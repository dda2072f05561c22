// The predictive parser: whole step lists and trees for hand-checked sentences, every kind of
// rejection, the blanks between names, and a tree 100,000 deep.
#include <gtest/gtest.h>

#include "Ayuda.h"
#include "Reconocedor.h"

using prueba::Analizar;
using prueba::Gramatica;
using prueba::w;

namespace {

const std::string kExpresiones =
    Gramatica("+ * ( ) id", "E Eprima T Tprima F", "E",
              {"E -> T Eprima", "Eprima -> + T Eprima", "Eprima -> lambda", "T -> F Tprima",
               "Tprima -> * F Tprima", "Tprima -> lambda", "F -> ( E )", "F -> id"});

// S -> A B C where every symbol may vanish.
const std::string kAnulables = Gramatica(
    "a b c", "S A B C", "S",
    {"S -> A B C", "A -> a A", "A -> lambda", "B -> b", "B -> lambda", "C -> c C", "C -> lambda"});

const std::string kParentesis = Gramatica("a b", "S", "S", {"S -> a S b", "S -> lambda"});

// The end-of-input terminal reads "$" here, to keep the expectations short.
std::string Nombre(const CSimbolo* simbolo) {
  return simbolo->Nombre() == NombreFinCadena() ? "$" : simbolo->Nombre();
}

std::string Unir(const std::vector<const CSimbolo*>& simbolos, std::size_t desde = 0) {
  std::string texto;
  for (std::size_t i = desde; i < simbolos.size(); ++i)
    texto += (i > desde ? " " : "") + Nombre(simbolos[i]);
  return texto;
}

// Each step as "stack | input | action", as the grid of the desktop window shows it.
std::vector<std::string> Pasos(const Reconocimiento& r) {
  std::vector<std::string> lineas;
  for (const auto& paso : r.Pasos()) {
    std::string accion = TextoAccion(r, paso);
    if (const auto fin = accion.find(NombreFinCadena()); fin != std::string::npos)
      accion.replace(fin, NombreFinCadena().size(), "$");
    lineas.push_back(Unir(r.Pila(paso)) + " | " +
                     Unir(r.Entrada(), static_cast<std::size_t>(paso.entrada)) + " | " + accion);
  }
  return lineas;
}

// The tree, one node a line indented by its depth: the production and the step that expanded
// a non-terminal, the step that matched a terminal, the bare name of a node never reached.
// Also checks that parents, children and steps agree.
std::vector<std::string> Arbol(const Reconocimiento& r) {
  const auto& nodos = r.Arbol();
  std::vector<std::string> lineas;
  std::vector<std::pair<int, int>> pendientes;  // (node, depth), walked without recursion
  if (!nodos.empty()) pendientes.emplace_back(0, 0);
  while (!pendientes.empty()) {
    const auto [n, profundidad] = pendientes.back();
    pendientes.pop_back();
    const auto& nodo = nodos[static_cast<std::size_t>(n)];
    std::string linea(static_cast<std::size_t>(2 * profundidad), ' ');
    linea += nodo.produccion ? nodo.produccion->TextoProduccion() : Nombre(nodo.simbolo);
    if (nodo.paso >= 0) linea += " @" + std::to_string(nodo.paso);
    lineas.push_back(linea);
    EXPECT_EQ(nodo.primerHijo < 0, nodo.numHijos == 0) << linea;
    for (int h = nodo.primerHijo + nodo.numHijos - 1; h >= nodo.primerHijo && h >= 0; --h) {
      EXPECT_EQ(nodos[static_cast<std::size_t>(h)].padre, n) << linea;
      pendientes.emplace_back(h, profundidad + 1);
    }
    if (nodo.paso >= 0) {
      const auto& paso = r.Pasos()[static_cast<std::size_t>(nodo.paso)];
      EXPECT_EQ(paso.nodo, n) << linea;
      EXPECT_EQ(paso.produccion, nodo.produccion) << linea;
    }
  }
  return lineas;
}

struct Prueba {
  prueba::Analisis analisis;
  Reconocimiento Con(const std::string& frase) const {
    return Reconocer(*analisis.gramatica, *analisis.tabla, frase);
  }
};

Prueba Tabla(const std::string& gramatica) {
  Prueba p{Analizar(gramatica)};
  EXPECT_TRUE(p.analisis.tabla);
  return p;
}

}  // namespace

TEST(Reconocedor, expressionSentence_stepsTreeAndVerdict) {
  const Prueba p = Tabla(kExpresiones);
  const Reconocimiento r = p.Con("id + id * id");
  EXPECT_TRUE(r.Aceptada());
  EXPECT_FALSE(r.Error());
  EXPECT_EQ(r.Nombres(), (std::vector<std::string>{"id", "+", "id", "*", "id"}));
  EXPECT_EQ(Pasos(r), (std::vector<std::string>{
                          "$ E | id + id * id $ | E -> T Eprima",
                          "$ Eprima T | id + id * id $ | T -> F Tprima",
                          "$ Eprima Tprima F | id + id * id $ | F -> id",
                          "$ Eprima Tprima id | id + id * id $ | emparejar id",
                          "$ Eprima Tprima | + id * id $ | Tprima -> lambda",
                          "$ Eprima | + id * id $ | Eprima -> + T Eprima",
                          "$ Eprima T + | + id * id $ | emparejar +",
                          "$ Eprima T | id * id $ | T -> F Tprima",
                          "$ Eprima Tprima F | id * id $ | F -> id",
                          "$ Eprima Tprima id | id * id $ | emparejar id",
                          "$ Eprima Tprima | * id $ | Tprima -> * F Tprima",
                          "$ Eprima Tprima F * | * id $ | emparejar *",
                          "$ Eprima Tprima F | id $ | F -> id",
                          "$ Eprima Tprima id | id $ | emparejar id",
                          "$ Eprima Tprima | $ | Tprima -> lambda",
                          "$ Eprima | $ | Eprima -> lambda",
                          "$ | $ | aceptar",
                      }));
  EXPECT_EQ(Arbol(r), (std::vector<std::string>{
                          "E -> T Eprima @0",
                          "  T -> F Tprima @1",
                          "    F -> id @2",
                          "      id @3",
                          "    Tprima -> lambda @4",
                          "  Eprima -> + T Eprima @5",
                          "    + @6",
                          "    T -> F Tprima @7",
                          "      F -> id @8",
                          "        id @9",
                          "      Tprima -> * F Tprima @10",
                          "        * @11",
                          "        F -> id @12",
                          "          id @13",
                          "        Tprima -> lambda @14",
                          "    Eprima -> lambda @15",
                      }));
  EXPECT_EQ(TextoVeredicto(r), "Cadena aceptada.");
}

// The empty sentence: only the end-of-input terminal is read, and every symbol vanishes.
TEST(Reconocedor, emptySentence) {
  const Prueba p = Tabla(kAnulables);
  const Reconocimiento vacia = p.Con(" \t ");
  EXPECT_TRUE(vacia.Aceptada());
  EXPECT_TRUE(vacia.Nombres().empty());
  EXPECT_EQ(Pasos(vacia),
            (std::vector<std::string>{"$ S | $ | S -> A B C", "$ C B A | $ | A -> lambda",
                                      "$ C B | $ | B -> lambda", "$ C | $ | C -> lambda",
                                      "$ | $ | aceptar"}));
}

// Each way a parse stops: the error step is the last, its action is the message, and the
// nodes the parse never reached have neither production nor step.
TEST(Reconocedor, rejections_expectedTerminalsPositionAndMessage) {
  struct Caso {
    const std::string* gramatica;
    const char* frase;
    int posicion;
    std::string encontrado;
    std::vector<std::string> esperados;
    const char* mensaje;  // UTF-8, the end-of-input name as "$"
  };
  const std::vector<Caso> casos = {
      // A non-terminal without a cell for the terminal: its row's terminals, in column order.
      {&kExpresiones,
       "id + * id",
       3,
       "*",
       {"(", "id"},
       "se esperaba uno de { ( id } y se encontró *"},
      {&kExpresiones,
       "( id id",
       3,
       "id",
       {")", "*", "+", "$"},
       "se esperaba uno de { ) * + $ } y se encontró id"},
      // The input ends at once: found at length + 1.
      {&kExpresiones, "", 1, "$", {"(", "id"}, "se esperaba uno de { ( id } y se encontró $"},
      // A terminal on top, here the end of input, that is not the input's: that terminal alone.
      {&kParentesis, "a b b", 3, "b", {"$"}, "se esperaba uno de { $ } y se encontró b"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.frase);
    const Prueba p = Tabla(*caso.gramatica);
    const Reconocimiento r = p.Con(caso.frase);
    ASSERT_FALSE(r.Aceptada());
    ASSERT_TRUE(r.Error());
    const auto& fallo = *r.Error();
    EXPECT_EQ(fallo.posicion, caso.posicion);
    EXPECT_EQ(fallo.encontrado == NombreFinCadena() ? "$" : fallo.encontrado, caso.encontrado);
    std::vector<std::string> esperados;
    for (const CSimbolo* e : fallo.esperados) esperados.push_back(Nombre(e));
    EXPECT_EQ(esperados, caso.esperados);
    std::string mensaje = w(caso.mensaje);
    if (const auto d = mensaje.find('$'); d != std::string::npos)
      mensaje.replace(d, 1, NombreFinCadena());
    EXPECT_EQ(fallo.mensaje, mensaje);
    EXPECT_EQ(TextoVeredicto(r), w("Cadena rechazada: ") + mensaje + w(" (posición ") +
                                     std::to_string(caso.posicion) + ").");
    ASSERT_FALSE(r.Pasos().empty());
    EXPECT_EQ(r.Pasos().back().accion, AccionPaso::Error);
    EXPECT_EQ(TextoAccion(r, r.Pasos().back()), mensaje);
    EXPECT_EQ(r.Pasos().back().entrada + 1, caso.posicion);
  }

  // What the tree holds after an error.
  const Prueba p = Tabla(kExpresiones);
  const Reconocimiento r = p.Con("( id");
  EXPECT_EQ(Arbol(r), (std::vector<std::string>{
                          "E -> T Eprima @0",
                          "  T -> F Tprima @1",
                          "    F -> ( E ) @2",
                          "      ( @3",
                          "      E -> T Eprima @4",
                          "        T -> F Tprima @5",
                          "          F -> id @6",
                          "            id @7",
                          "          Tprima -> lambda @8",
                          "        Eprima -> lambda @9",
                          "      )",
                          "    Tprima",
                          "  Eprima",
                      }));
  EXPECT_EQ(Pasos(r).back(), w("$ Eprima Tprima ) | $ | se esperaba uno de { ) } y se encontró $"));
}

// A name that is no terminal stops the parse before its first step; so do a non-terminal's
// name and a name holding a no-break space, which is no blank.
TEST(Reconocedor, unknownName_noStepsNoTree) {
  const Prueba p = Tabla(kExpresiones);
  const struct {
    std::string frase;
    int posicion;
    std::string nombre;
  } casos[] = {{"id + x * id", 3, "x"}, {"id * E", 3, "E"}, {"id\xA0+ id", 1, "id\xA0+"}};
  for (const auto& caso : casos) {
    const Reconocimiento r = p.Con(caso.frase);
    EXPECT_FALSE(r.Aceptada());
    ASSERT_TRUE(r.Error());
    EXPECT_EQ(r.Error()->posicion, caso.posicion);
    EXPECT_EQ(r.Error()->encontrado, caso.nombre);
    EXPECT_TRUE(r.Error()->esperados.empty());
    EXPECT_EQ(r.Error()->mensaje,
              w("el símbolo ") + caso.nombre + w(" no es un terminal de la gramática"));
    EXPECT_EQ(TextoVeredicto(r), w("Cadena rechazada: el símbolo ") + caso.nombre +
                                     w(" no es un terminal de la gramática (posición ") +
                                     std::to_string(caso.posicion) + ").");
    EXPECT_TRUE(r.Pasos().empty());
    EXPECT_TRUE(r.Arbol().empty());
    EXPECT_TRUE(r.Entrada().empty());
  }
}

TEST(Reconocedor, namesAreSeparatedBySpacesTabsAndLineBreaks) {
  const Prueba p = Tabla(kExpresiones);
  const Reconocimiento r = p.Con("\tid\r\n+(id)\n\r*  id ");
  EXPECT_EQ(r.Nombres(), (std::vector<std::string>{"id", "+(id)", "*", "id"}));
  EXPECT_EQ(r.Error()->posicion, 2);
  EXPECT_TRUE(p.Con("\tid\r\n+\t( id )\n\r*  id ").Aceptada());
}

// A right-recursive list 100,000 deep: one pass, and the tree's depth costs no recursion.
TEST(Reconocedor, deepTreeOfALongSentence) {
  const Prueba p = Tabla(Gramatica("a", "L", "L", {"L -> a L", "L -> lambda"}));
  constexpr int n = 100000;
  std::string frase;
  for (int i = 0; i < n; ++i) frase += "a ";
  const Reconocimiento r = p.Con(frase);
  EXPECT_TRUE(r.Aceptada());
  EXPECT_EQ(r.Pasos().size(), 2u * n + 2);
  EXPECT_EQ(r.Arbol().size(), 2u * n + 1);
  int profundidad = 0;
  for (int nodo = static_cast<int>(r.Arbol().size()) - 1; nodo > 0; nodo = r.Arbol()[nodo].padre)
    ++profundidad;
  EXPECT_EQ(profundidad, n);
  EXPECT_EQ(r.Pila(r.Pasos()[2 * n]).size(), 2u);
}
