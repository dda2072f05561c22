// The proposed grammar: whole texts for the classic cases (which come out LL(1)), what stops
// a proposal, and, over many generated grammars, the same language without left recursion.
#include "Transformacion.h"

#include <gtest/gtest.h>

#include "Analizador.h"
#include "Ayuda.h"
#include "Lenguaje.h"

using prueba::Gramatica;
using prueba::w;

namespace {

Propuesta Proponer(const std::string& texto) { return ProponerGramatica(AnalizarTexto(texto)); }

// The lines of the text with its steps, and the errors of analysing the proposed text.
struct Resultado {
  std::vector<std::string> lineas;
  std::vector<std::string> errores;
};

Resultado Transformar(const std::string& texto) {
  const Propuesta propuesta = Proponer(texto);
  Resultado r;
  const std::string todo = TextoConPasos(propuesta);
  for (std::size_t i = 0, fin; i < todo.size(); i = fin + 2) {
    fin = todo.find("\r\n", i);
    r.lineas.push_back(todo.substr(i, fin - i));
  }
  if (propuesta.texto) r.errores = LineasErrores(AnalizarTexto(*propuesta.texto).registros);
  return r;
}

const std::vector<std::string> kSinErrores = w({"Ningún error encontrado."});

}  // namespace

TEST(Transformacion, directRecursion_theExpressionGrammar) {
  const Resultado r = Transformar(
      Gramatica("+ * ( ) id", "E T F", "E",
                {"E -> E + T", "E -> T", "T -> T * F", "T -> F", "F -> ( E )", "F -> id"}));
  EXPECT_EQ(
      r.lineas,
      w({"//// Recursividad por la izquierda directa de E: eliminada con el nuevo símbolo "
         "Eprima.",
         "//// Recursividad por la izquierda directa de T: eliminada con el nuevo símbolo "
         "Tprima.",
         "//// No hay prefijos comunes que sacar por la izquierda.", "Terminales = { ( ) * + id }",
         "NoTerminales = { E Eprima T Tprima F }", "Axioma = E", "Producciones = {",
         "E -> T Eprima", "Eprima -> + T Eprima", "Eprima -> lambda", "T -> F Tprima",
         "Tprima -> * F Tprima", "Tprima -> lambda", "F -> ( E )", "F -> id", "}"}));
  EXPECT_EQ(r.errores, kSinErrores);
}

TEST(Transformacion, statementLists_bothClassicForms) {
  // With a first element, a new symbol; a list that may be empty needs none.
  const Resultado primero =
      Transformar(Gramatica("s ;", "L S", "L", {"L -> L ; S", "L -> S", "S -> s"}));
  EXPECT_EQ(primero.errores, kSinErrores);
  EXPECT_EQ(primero.lineas,
            w({"//// Recursividad por la izquierda directa de L: eliminada con el nuevo símbolo "
               "Lprima.",
               "//// No hay prefijos comunes que sacar por la izquierda.", "Terminales = { ; s }",
               "NoTerminales = { L Lprima S }", "Axioma = L", "Producciones = {", "L -> S Lprima",
               "Lprima -> ; S Lprima", "Lprima -> lambda", "S -> s", "}"}));
  const Resultado vacia =
      Transformar(Gramatica("s ;", "L S", "L", {"L -> L S", "L -> lambda", "S -> s ;"}));
  EXPECT_EQ(vacia.lineas,
            w({"//// Recursividad por la izquierda directa de L: sus producciones pasan a ser "
               "recursivas por la derecha.",
               "//// No hay prefijos comunes que sacar por la izquierda.", "Terminales = { ; s }",
               "NoTerminales = { L S }", "Axioma = L", "Producciones = {", "L -> S L",
               "L -> lambda", "S -> s ;", "}"}));
  EXPECT_EQ(vacia.errores, kSinErrores);
}

TEST(Transformacion, indirectRecursion_substitutedInDeclarationOrder) {
  const Resultado r = Transformar(Gramatica(
      "a b c d t", "S A T", "T", {"T -> S t", "S -> A a", "S -> b", "A -> S d", "A -> c"}));
  EXPECT_EQ(r.lineas,
            w({"//// Recursividad por la izquierda indirecta: sustituidas en A las producciones "
               "de S.",
               "//// Recursividad por la izquierda directa de A: eliminada con el nuevo símbolo "
               "Aprima.",
               "//// No hay prefijos comunes que sacar por la izquierda.",
               "Terminales = { a b c d t }", "NoTerminales = { S A Aprima T }", "Axioma = T",
               "Producciones = {", "S -> A a", "S -> b", "A -> b d Aprima", "A -> c Aprima",
               "Aprima -> a d Aprima", "Aprima -> lambda", "T -> S t", "}"}));
}

TEST(Transformacion, leftFactoring_longestPrefixFirstAndRepeatedProductions) {
  const Resultado r = Transformar(Gramatica(
      "a b c", "A", "A", {"A -> a b c", "A -> a b b", "A -> a c", "A -> b", "A -> a b c"}));
  EXPECT_EQ(r.lineas,
            w({"//// Quitada la producción repetida A -> a b c.",
               "//// No hay recursividad por la izquierda.",
               "//// Factor común por la izquierda en A: el prefijo a b pasa a A -> a b Afactor.",
               "//// Factor común por la izquierda en A: el prefijo a pasa a A -> a Afactor2.",
               "Terminales = { a b c }", "NoTerminales = { A Afactor Afactor2 }", "Axioma = A",
               "Producciones = {", "A -> a Afactor2", "A -> b", "Afactor -> c", "Afactor -> b",
               "Afactor2 -> b Afactor", "Afactor2 -> c", "}"}));
  EXPECT_EQ(r.errores, kSinErrores);

  const Resultado llamada = Transformar(
      Gramatica("id num = ( ) ,", "Sent Expr Args Mas", "Sent",
                {"Sent -> id = Expr", "Sent -> id ( Args )", "Expr -> id", "Expr -> num",
                 "Args -> Expr Mas", "Args -> lambda", "Mas -> , Expr Mas", "Mas -> lambda"}));
  EXPECT_EQ(llamada.errores, kSinErrores);
}

TEST(Transformacion, newNames_clashWithNothing) {
  // Eprima is taken, and so is Eprima2 as a terminal.
  const Resultado r = Transformar(Gramatica("+ id Eprima2", "E Eprima", "E",
                                            {"E -> E + Eprima", "E -> id", "Eprima -> Eprima2"}));
  EXPECT_EQ(r.lineas[0], w("//// Recursividad por la izquierda directa de E: eliminada con el "
                           "nuevo símbolo Eprima3."));
  EXPECT_EQ(r.errores, kSinErrores);
}

TEST(Transformacion, lambdaAndCycles_removedWhenTheyHideRecursion) {
  // S -> S S hides recursion behind the nullable S; the axiom keeps the empty string.
  EXPECT_EQ(Transformar(Gramatica("a", "S", "S", {"S -> S S", "S -> a", "S -> lambda"})).lineas,
            w({"//// Quitadas las producciones lambda, que impiden quitar la recursividad por la "
               "izquierda.",
               "//// El axioma S deriva la cadena vacía: conserva S -> lambda y sus demás "
               "producciones pasan al nuevo símbolo Ssinlambda.",
               "//// Quitada la producción Ssinlambda -> Ssinlambda, que no cambia el lenguaje.",
               "//// Recursividad por la izquierda directa de Ssinlambda: eliminada con el nuevo "
               "símbolo Sprima.",
               "//// No hay prefijos comunes que sacar por la izquierda.", "Terminales = { a }",
               "NoTerminales = { S Ssinlambda Sprima }", "Axioma = S", "Producciones = {",
               "S -> Ssinlambda", "S -> lambda", "Ssinlambda -> a Sprima",
               "Sprima -> Ssinlambda Sprima", "Sprima -> lambda", "}"}));
  // A cycle of unit productions; A and B are left out of reach.
  const Resultado ciclo = Transformar(
      Gramatica("a b", "S A B", "S", {"S -> A", "A -> B", "B -> S", "B -> a", "S -> S b"}));
  EXPECT_EQ(ciclo.lineas,
            w({"//// Quitado el ciclo de producciones unitarias entre S, A y B.",
               "//// Recursividad por la izquierda directa de S: eliminada con el nuevo símbolo "
               "Sprima.",
               "//// Quitados los símbolos A y B, a los que no se llega desde el axioma.",
               "//// No hay prefijos comunes que sacar por la izquierda.", "Terminales = { a b }",
               "NoTerminales = { S Sprima }", "Axioma = S", "Producciones = {", "S -> a Sprima",
               "Sprima -> b Sprima", "Sprima -> lambda", "}"}));
  EXPECT_EQ(ciclo.errores, kSinErrores);
}

TEST(Transformacion, uselessSymbols_goFirst) {
  // D derives nothing (and is left-recursive), U is out of reach.
  EXPECT_EQ(
      Transformar(Gramatica("a b", "S D U", "S", {"S -> a", "S -> a D", "D -> D b", "U -> b"}))
          .lineas,
      w({"//// Quitado el símbolo D, que no deriva ninguna cadena de terminales, con las "
         "producciones que lo usan.",
         "//// Quitado el símbolo U, al que no se llega desde el axioma.",
         "//// No hay recursividad por la izquierda.",
         "//// No hay prefijos comunes que sacar por la izquierda.", "Terminales = { a b }",
         "NoTerminales = { S }", "Axioma = S", "Producciones = {", "S -> a", "}"}));
}

TEST(Transformacion, noProposal_readingErrorsEmptyLanguageOrTooMuchGrowth) {
  const Propuesta leida = Proponer(Gramatica("a", "S", "S", {"S -> a b"}));
  EXPECT_FALSE(leida.texto);
  EXPECT_EQ(leida.motivo,
            w("El texto tiene errores de lectura: no se puede proponer otra gramática."));
  EXPECT_EQ(TextoConPasos(leida), "");
  EXPECT_EQ(Proponer(Gramatica("a", "S", "S", {"S -> S a"})).motivo,
            w("El axioma S no deriva ninguna cadena de terminales: el lenguaje es vacío."));

  // A1 -> A2 a | A2 b, ..., A16 -> A1 a | c: substitution doubles the productions at each
  // step of the cycle.
  std::string noTerminales, producciones;
  for (int i = 1; i <= 16; ++i) {
    const std::string a = "A" + std::to_string(i);
    const std::string b = i < 16 ? "A" + std::to_string(i + 1) : "A1";
    noTerminales += " " + a;
    producciones += a + " -> " + b + " a\r\n" + a + " -> " + (i < 16 ? b + " b" : "c") + "\r\n";
  }
  const std::string texto = "Terminales = { a b c }\r\nNoTerminales = {" + noTerminales +
                            " }\r\nAxioma = A1\r\nProducciones = {\r\n" + producciones + "}\r\n";
  const Propuesta grande = Proponer(texto);
  EXPECT_FALSE(grande.texto);
  EXPECT_EQ(grande.motivo, w("La transformación se detiene: la gramática crecería demasiado."));
  EXPECT_EQ(grande.pasos.back(), grande.motivo);
}

TEST(Transformacion, layout_aBraceTerminalNeverEndsASetLine) {
  // Forty terminals wrap the set; wherever "}" falls, it reads back as a terminal.
  for (int donde = 0; donde < 40; ++donde) {
    std::string terminales;
    for (int i = 0; i < 40; ++i) terminales += i == donde ? " }" : " t" + std::to_string(i);
    const std::string texto = Gramatica(terminales.substr(1) + " x", "S", "S", {"S -> } x"});
    const Propuesta propuesta = Proponer(texto);
    ASSERT_TRUE(propuesta.texto);
    const ResultadoAnalisis r = AnalizarTexto(*propuesta.texto);
    EXPECT_EQ(LineasErrores(r.registros), kSinErrores) << *propuesta.texto;
    EXPECT_EQ(r.gramatica->Terminales().Tamano(), 42);  // the end of input too
  }
}

TEST(Transformacion, generatedGrammars_sameLanguageWithoutLeftRecursion) {
  std::mt19937 azar(5150);
  int recursivas = 0, hechas = 0, grandes = 0;
  for (int caso = 0; caso < 400; ++caso) {
    const std::string texto = prueba::GramaticaAlAzar(azar, 2, 2 + caso % 3);
    SCOPED_TRACE(texto);
    const ResultadoAnalisis antes = AnalizarTexto(texto);
    const bool recursiva = std::any_of(
        antes.registros.begin(), antes.registros.end(),
        [](const Error& e) { return e.Codigo() == CodigoError::RecursividadIzquierda; });
    recursivas += recursiva ? 1 : 0;
    const Propuesta propuesta = ProponerGramatica(antes);
    if (!propuesta.texto) {
      // For an empty language, or a rare tangle of cycles and lambdas that would grow too much.
      if (propuesta.motivo == w("La transformación se detiene: la gramática crecería demasiado.")) {
        ++grandes;
        continue;
      }
      EXPECT_EQ(propuesta.motivo, w("El axioma S no deriva ninguna cadena de terminales: el "
                                    "lenguaje es vacío."));
      EXPECT_TRUE(prueba::Libro(*antes.gramatica).Frases(6).empty());
      continue;
    }
    ++hechas;
    SCOPED_TRACE(*propuesta.texto);
    const ResultadoAnalisis despues = AnalizarTexto(*propuesta.texto);
    for (const Error& e : despues.registros) {
      EXPECT_GE(e.Codigo(), kPrimerCodigoLL1) << e.Mensaje();
      EXPECT_NE(e.Codigo(), CodigoError::RecursividadIzquierda);
      EXPECT_NE(e.Codigo(), CodigoError::AfectadaPorRecursividad);
    }
    ASSERT_TRUE(despues.gramatica && despues.gramatica->Axioma());
    EXPECT_EQ(despues.gramatica->Axioma()->Nombre(), "S");
    EXPECT_EQ(prueba::Libro(*antes.gramatica).Frases(6),
              prueba::Libro(*despues.gramatica).Frases(6));
  }
  EXPECT_GT(recursivas, 100);
  EXPECT_GT(hechas, 300);
  EXPECT_LE(grandes, 4);
}

// The proposal needs the grammar as read, not its conflicts: a text read alone gives the same
// one. New names skip those taken, also past a name taken between two new ones.
TEST(Transformacion, fromTheReadingAlone_andNewNamesSkipTakenOnes) {
  const std::string texto = Gramatica("a b c d", "S Sfactor3", "S",
                                      {"S -> a a", "S -> a b", "S -> b a", "S -> b b", "S -> c a",
                                       "S -> c b", "S -> d a", "S -> d b", "Sfactor3 -> c"});
  const ResultadoAnalisis leida = LeerTexto(texto);
  EXPECT_TRUE(leida.registros.empty());
  EXPECT_TRUE(leida.analisis.empty());
  EXPECT_FALSE(leida.tabla);
  const Propuesta propuesta = ProponerGramatica(leida);
  EXPECT_EQ(TextoConPasos(propuesta), TextoConPasos(Proponer(texto)));
  ASSERT_TRUE(propuesta.texto);
  EXPECT_NE(propuesta.texto->find("NoTerminales = { S Sfactor Sfactor2 Sfactor4 Sfactor5 }"),
            std::string::npos);

  const ResultadoAnalisis ilegible = LeerTexto("x\r\n");
  EXPECT_FALSE(ilegible.registros.empty());
  EXPECT_EQ(ProponerGramatica(ilegible).motivo,
            w("El texto tiene errores de lectura: no se puede proponer otra gramática."));
}
