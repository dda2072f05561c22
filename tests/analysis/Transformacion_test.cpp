// The proposed grammar: whole texts for the classic cases and the bundled examples (which
// come out LL(1) where they can), the conflicts left and how far substitution goes, what stops
// a proposal, and, over many generated grammars, the same language without left recursion,
// with what was LL(1) before the rounds past factoring kept as it was.
#include "Transformacion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

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

Resultado Transformar(const std::string& texto, AjustesPropuesta ajustes = {}) {
  const Propuesta propuesta = ProponerGramatica(AnalizarTexto(texto), ajustes);
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
  // Without the rounds past factoring: the classic substitution alone, and what it leaves.
  const Resultado r =
      Transformar(Gramatica("a b c d t", "S A T", "T",
                            {"T -> S t", "S -> A a", "S -> b", "A -> S d", "A -> c"}),
                  {.rondas = 0, .otroOrden = false});
  EXPECT_EQ(
      r.lineas,
      w({"//// Recursividad por la izquierda indirecta: sustituidas en A las producciones "
         "de S.",
         "//// Recursividad por la izquierda directa de A: eliminada con el nuevo símbolo "
         "Aprima.",
         "//// No hay prefijos comunes que sacar por la izquierda.",
         "//// Queda un conflicto LL(1) en Aprima: a puede empezar Aprima (Aprima -> a d "
         "Aprima) o seguir a Aprima (Aprima -> lambda).",
         "//// Queda un conflicto LL(1) en S: S -> A a y S -> b pueden empezar las dos por b.",
         "Terminales = { a b c d t }", "NoTerminales = { S A Aprima T }", "Axioma = T",
         "Producciones = {", "S -> A a", "S -> b", "A -> b d Aprima", "A -> c Aprima",
         "Aprima -> a d Aprima", "Aprima -> lambda", "T -> S t", "}"}));
}

TEST(Transformacion, indirectRecursion_otherOrderWhenItLeavesFewerConflicts) {
  // (b | c a)(d a)* t: substituting A into S leaves the recursion on S, and A out of reach.
  const Resultado r = Transformar(Gramatica(
      "a b c d t", "S A T", "T", {"T -> S t", "S -> A a", "S -> b", "A -> S d", "A -> c"}));
  EXPECT_EQ(
      r.lineas,
      w({"//// Recursividad por la izquierda indirecta entre S y A: se sustituye en el "
         "orden A, S, que deja menos conflictos LL(1) que el de NoTerminales.",
         "//// Recursividad por la izquierda indirecta: sustituidas en S las producciones "
         "de A.",
         "//// Recursividad por la izquierda directa de S: eliminada con el nuevo símbolo "
         "Sprima.",
         "//// Quitado el símbolo A, al que no se llega desde el axioma.",
         "//// No hay prefijos comunes que sacar por la izquierda.", "Terminales = { a b c d t }",
         "NoTerminales = { S Sprima T }", "Axioma = T", "Producciones = {", "S -> c a Sprima",
         "S -> b Sprima", "Sprima -> d a Sprima", "Sprima -> lambda", "T -> S t", "}"}));
  EXPECT_EQ(r.errores, kSinErrores);
  // The textbook's S -> A a | b, A -> A c | S d | lambda.
  EXPECT_EQ(Transformar(Gramatica("a b c d", "S A", "S",
                                  {"S -> A a", "S -> b", "A -> A c", "A -> S d", "A -> lambda"}))
                .errores,
            kSinErrores);
}

TEST(Transformacion, clashThroughANonTerminal_substitutedAndFactoredAgain) {
  // Two nullable productions: the empty string comes by one way only.
  const Resultado anulables =
      Transformar(Gramatica("static final tipo id ;", "Decl Mods Estaticos Finales", "Decl",
                            {"Decl -> Mods tipo id ;", "Mods -> Estaticos", "Mods -> Finales",
                             "Estaticos -> static Estaticos", "Estaticos -> lambda",
                             "Finales -> final Finales", "Finales -> lambda"}));
  EXPECT_EQ(anulables.lineas,
            w({"//// No hay recursividad por la izquierda.",
               "//// No hay prefijos comunes que sacar por la izquierda.",
               "//// Conflicto LL(1) en Mods entre Mods -> Estaticos y Mods -> Finales: "
               "sustituidas en Mods las producciones de Estaticos y Finales.",
               "Terminales = { ; final id static tipo }",
               "NoTerminales = { Decl Mods Estaticos Finales }", "Axioma = Decl",
               "Producciones = {", "Decl -> Mods tipo id ;", "Mods -> static Estaticos",
               "Mods -> lambda", "Mods -> final Finales", "Estaticos -> static Estaticos",
               "Estaticos -> lambda", "Finales -> final Finales", "Finales -> lambda", "}"}));
  EXPECT_EQ(anulables.errores, kSinErrores);

  // A statement that starts with an expression three levels deep, or with an assignment.
  const Resultado sentencia =
      Transformar(Gramatica("id = ; + ( )", "Sent Expr Term Fact", "Sent",
                            {"Sent -> Expr ;", "Sent -> id = Expr ;", "Expr -> Expr + Term",
                             "Expr -> Term", "Term -> Fact", "Term -> ( Expr )", "Fact -> id"}));
  EXPECT_EQ(sentencia.errores, kSinErrores);
  EXPECT_EQ(std::vector<std::string>(sentencia.lineas.begin() + 2, sentencia.lineas.begin() + 5),
            w({"//// Conflicto LL(1) en Sent entre Sent -> Expr ; y Sent -> id = Expr ;: "
               "sustituidas en Sent las producciones de Expr.",
               "//// Conflicto LL(1) en Sent entre Sent -> Term Exprprima ; y Sent -> id = Expr "
               ";: sustituidas en Sent las producciones de Term.",
               "//// Conflicto LL(1) en Sent entre Sent -> Fact Exprprima ; y Sent -> id = Expr "
               ";: sustituidas en Sent las producciones de Fact."}));

  // Both sides lead to a, one through two symbols; the symbols substituted away are dropped.
  const Resultado ambos =
      Transformar(Gramatica("a b c x", "S A B", "S",
                            {"S -> A x", "S -> B", "A -> a", "A -> lambda", "B -> a b", "B -> c"}));
  EXPECT_EQ(ambos.errores, kSinErrores);
  EXPECT_EQ(std::vector<std::string>(ambos.lineas.end() - 9, ambos.lineas.end()),
            w({"NoTerminales = { S Sfactor }", "Axioma = S", "Producciones = {", "S -> a Sfactor",
               "S -> x", "S -> c", "Sfactor -> x", "Sfactor -> b", "}"}));
}

TEST(Transformacion, substitution_boundedAndKeptOnlyWhereItHelps) {
  // S -> A1 x | a y with A1 -> A2 -> ... -> Ak -> a: one round per symbol of the chain.
  auto cadena = [](int k) {
    std::string noTerminales = "S", producciones = "S -> A1 x\r\nS -> a y\r\n";
    for (int i = 1; i <= k; ++i) {
      const std::string a = "A" + std::to_string(i);
      noTerminales += " " + a;
      producciones += a + " -> " + (i < k ? "A" + std::to_string(i + 1) : "a") + "\r\n";
    }
    return "Terminales = { a x y }\r\nNoTerminales = { " + noTerminales +
           " }\r\nAxioma = S\r\nProducciones = {\r\n" + producciones + "}\r\n";
  };
  EXPECT_EQ(Transformar(cadena(8)).errores, kSinErrores);
  // A ninth symbol is past the bound: no round lowered the conflicts, so none is kept.
  const Resultado larga = Transformar(cadena(9));
  EXPECT_EQ(larga.lineas[2],
            w("//// Queda un conflicto LL(1) en S: S -> A1 x y S -> a y pueden empezar las dos "
              "por a."));
  EXPECT_EQ(larga.lineas[3], "Terminales = { a x y }");

  // a* c | a* d has an LL(1) grammar, but substitution only moves the conflict down.
  EXPECT_EQ(
      Transformar(Gramatica("a c d", "S A B", "S",
                            {"S -> A", "S -> B", "A -> a A", "A -> c", "B -> a B", "B -> d"}))
          .lineas,
      w({"//// No hay recursividad por la izquierda.",
         "//// No hay prefijos comunes que sacar por la izquierda.",
         "//// Queda un conflicto LL(1) en S: S -> A y S -> B pueden empezar las dos por a.",
         "Terminales = { a c d }", "NoTerminales = { S A B }", "Axioma = S", "Producciones = {",
         "S -> A", "S -> B", "A -> a A", "A -> c", "B -> a B", "B -> d", "}"}));
}

TEST(Transformacion, remainingConflicts_namedInTheSteps) {
  const Resultado colgante =
      Transformar(Gramatica("if then else otra c", "Sent Resto Cond", "Sent",
                            {"Sent -> if Cond then Sent Resto", "Sent -> otra",
                             "Resto -> else Sent", "Resto -> lambda", "Cond -> c"}));
  EXPECT_EQ(colgante.lineas[2],
            w("//// Queda un conflicto LL(1) en Resto: else puede empezar Resto (Resto -> else "
              "Sent) o seguir a Resto (Resto -> lambda)."));
  EXPECT_EQ(colgante.errores[0],
            w("Líneas 7 y 8: El símbolo else se encuentra en el FIRST y el FOLLOW del "
              "antecedente"));

  // Twelve: the first ten are named, the rest counted.
  std::string noTerminales = "S", derecha = "S ->", producciones;
  for (int i = 1; i <= 12; ++i) {
    const std::string a = "A" + std::to_string(i);
    noTerminales += " " + a;
    derecha += " " + a;
    producciones += a + " -> x\r\n" + a + " -> lambda\r\n";
  }
  const Resultado muchos = Transformar("Terminales = { x }\r\nNoTerminales = { " + noTerminales +
                                       " }\r\nAxioma = S\r\nProducciones = {\r\n" + derecha +
                                       " x\r\n" + producciones + "}\r\n");
  EXPECT_EQ(muchos.lineas[2], w("//// Queda un conflicto LL(1) en A1: x puede empezar A1 (A1 -> x) "
                                "o seguir a A1 (A1 -> lambda)."));
  EXPECT_EQ(muchos.lineas[12], w("//// Quedan además 2 errores LL(1)."));
  EXPECT_EQ(muchos.lineas[13], "Terminales = { x }");
}

TEST(Transformacion, bundledExamples_everyOneThatCanBeComesOutLL1) {
  // The dangling else is ambiguous; a text with reading errors gets no proposal.
  const std::map<std::string, std::string> noLL1 = {
      {"conflicto_first_follow.ll1",
       "Queda un conflicto LL(1) en Resto: else puede empezar "
       "Resto (Resto -> else Sent) o seguir a Resto (Resto -> "
       "lambda)."},
      {"errores_lectura.ll1", ""}};
  int vistos = 0;
  for (const auto& fichero : std::filesystem::directory_iterator(QUINDEL_EJEMPLOS)) {
    const std::string nombre = fichero.path().filename().string();
    SCOPED_TRACE(nombre);
    std::ifstream entrada(fichero.path(), std::ios::binary);
    const std::string texto((std::istreambuf_iterator<char>(entrada)),
                            std::istreambuf_iterator<char>());
    const Propuesta propuesta = Proponer(texto);
    ++vistos;
    if (nombre == "errores_lectura.ll1") {
      EXPECT_FALSE(propuesta.texto);
      continue;
    }
    ASSERT_TRUE(propuesta.texto);
    const ResultadoAnalisis leida = AnalizarTexto(*propuesta.texto);
    if (noLL1.count(nombre)) {
      EXPECT_EQ(propuesta.pasos.back(), w(noLL1.at(nombre)));
      EXPECT_FALSE(leida.tabla);
    } else {
      EXPECT_EQ(LineasErrores(leida.registros), kSinErrores) << TextoConPasos(propuesta);
    }
  }
  EXPECT_EQ(vistos, 7);
}

TEST(Transformacion, theUsersErrorList_leftAsItWas) {
  // The window reads the errors of the user's analysis from the process-wide list.
  const ResultadoAnalisis usuario = AnalizarTexto(Gramatica(
      "a c d", "S A B", "S", {"S -> A", "S -> B", "A -> a A", "A -> c", "B -> a B", "B -> d"}));
  ASSERT_EQ(usuario.registros.size(), 1U);
  listaErrores.Vaciar();
  for (const Error& error : usuario.registros) listaErrores.Agregar(error);
  const std::vector<std::string> antes = LineasErrores(listaErrores.Errores());
  ProponerGramatica(usuario);
  EXPECT_EQ(LineasErrores(listaErrores.Errores()), antes);
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
  // S -> S S hides recursion behind the nullable S; the axiom keeps the empty string. The
  // grammar is ambiguous, and a conflict stays.
  EXPECT_EQ(Transformar(Gramatica("a", "S", "S", {"S -> S S", "S -> a", "S -> lambda"})).lineas,
            w({"//// Quitadas las producciones lambda, que impiden quitar la recursividad por la "
               "izquierda.",
               "//// El axioma S deriva la cadena vacía: conserva S -> lambda y sus demás "
               "producciones pasan al nuevo símbolo Ssinlambda.",
               "//// Quitada la producción Ssinlambda -> Ssinlambda, que no cambia el lenguaje.",
               "//// Recursividad por la izquierda directa de Ssinlambda: eliminada con el nuevo "
               "símbolo Sprima.",
               "//// No hay prefijos comunes que sacar por la izquierda.",
               "//// Queda un conflicto LL(1) en Sprima: a puede empezar Sprima (Sprima -> "
               "Ssinlambda Sprima) o seguir a Sprima (Sprima -> lambda).",
               "Terminales = { a }", "NoTerminales = { S Ssinlambda Sprima }", "Axioma = S",
               "Producciones = {", "S -> Ssinlambda", "S -> lambda", "Ssinlambda -> a Sprima",
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

TEST(Transformacion, generatedGrammars_roundsKeepWhatWasLL1AndNameWhatIsLeft) {
  std::mt19937 azar(2718);
  int antes = 0, despues = 0;
  for (int caso = 0; caso < 400; ++caso) {
    const std::string texto = prueba::GramaticaAlAzar(azar, 2 + caso % 2, 2 + caso % 3);
    SCOPED_TRACE(texto);
    const ResultadoAnalisis analisis = AnalizarTexto(texto);
    const Propuesta clasica = ProponerGramatica(analisis, {.rondas = 0, .otroOrden = false});
    const Propuesta propuesta = ProponerGramatica(analisis);
    ASSERT_EQ(propuesta.texto.has_value(), clasica.texto.has_value());
    if (!propuesta.texto) continue;
    SCOPED_TRACE(TextoConPasos(propuesta));
    const ResultadoAnalisis leida = AnalizarTexto(*propuesta.texto);
    for (const Error& e : leida.registros)
      EXPECT_GE(e.Codigo(), CodigoError::FirstCompartido) << e.Mensaje();
    // The steps end with one line per error left, up to ten and a count.
    const auto quedan =
        std::count_if(propuesta.pasos.begin(), propuesta.pasos.end(),
                      [](const std::string& p) { return p.rfind("Queda", 0) == 0; });
    const auto errores = static_cast<long>(leida.registros.size());
    EXPECT_EQ(quedan, std::min(errores, 10L) + (errores > 10 ? 1 : 0));
    EXPECT_EQ(prueba::Libro(*analisis.gramatica).Frases(6),
              prueba::Libro(*leida.gramatica).Frases(6));
    // What came out LL(1) before the rounds comes out the same.
    const bool eraLL1 = AnalizarTexto(*clasica.texto).registros.empty();
    if (eraLL1) {
      EXPECT_EQ(*propuesta.texto, *clasica.texto);
    }
    antes += eraLL1 ? 1 : 0;
    despues += leida.registros.empty() ? 1 : 0;
  }
  EXPECT_GT(despues, antes + 20);
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
