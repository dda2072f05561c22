// The LL(1) analysis of whole grammars: traces, errors, sets and the table.
#include "Cgramatica.h"

#include <gtest/gtest.h>

#include "Ayuda.h"
#include "Conjuntosexactos.h"

using prueba::Analizar;
using prueba::Gramatica;
using prueba::w;

TEST(AnalisisLL1, sampleGrammarTracesDepthFirstFromTheSmallestName) {
  const auto a = Analizar(Gramatica("a b", "S A", "S", {"S -> A b", "A -> a A", "A -> lambda"}));
  EXPECT_TRUE(a.errores.empty());
  EXPECT_EQ(a.traza, w({"Analizando símbolo A", "Analizando producción A -> a A",
                        "FIRST de A -> a A  =  { a }", "Analizando producción A -> lambda",
                        "FIRST de A -> lambda  =  { lambda }", "FIRST de A  =  { a lambda }",
                        "Calculando FOLLOW de A", "FOLLOW de A  =  { b }", "Analizando símbolo S",
                        "Analizando producción S -> A b", "FIRST de S -> A b  =  { a b }",
                        "FIRST de S  =  { a b }"}));
  ASSERT_TRUE(a.tabla);
  EXPECT_EQ(a.Celda("A", "a"), "A -> a A");
  EXPECT_EQ(a.Celda("A", "b"), "A -> lambda");
  EXPECT_EQ(a.Celda("S", "a"), "S -> A b");
  EXPECT_EQ(a.Celda("S", "b"), "S -> A b");
  EXPECT_EQ(a.Celda("A", NombreFinCadena()), "-");
  // FOLLOW of S is never needed: it keeps its initial content and is never printed.
  EXPECT_FALSE(a.Nt("S")->FollowCalculado());
}

TEST(AnalisisLL1, followIsComputedWhenANullableSymbolEndsItsFirst) {
  const auto a = Analizar(Gramatica("a b d", "S A", "S", {"S -> a A b", "A -> d", "A -> lambda"}));
  EXPECT_TRUE(a.errores.empty());
  EXPECT_EQ(std::vector<std::string>(a.traza.begin() + 6, a.traza.begin() + 8),
            w({"Calculando FOLLOW de A", "FOLLOW de A  =  { b }"}));
}

TEST(AnalisisLL1, endMarkerFollowsWhatEndsTheAxiom) {
  const auto a = Analizar(Gramatica("a", "S A", "S", {"S -> a A", "A -> a", "A -> lambda"}));
  EXPECT_EQ(a.codigos, std::vector<int>{});
  EXPECT_EQ(a.Nt("A")->ConjuntoFollow().TextoConjunto(false), " { " + NombreFinCadena() + " }");
  EXPECT_EQ(a.Celda("A", NombreFinCadena()), "A -> lambda");
  EXPECT_EQ(a.Celda("S", NombreFinCadena()), "-");
}

TEST(AnalisisLL1, nonTerminalWithoutProductions) {
  const auto a = Analizar(Gramatica("x", "S Z", "S", {"S -> Z Z x"}));
  EXPECT_EQ(a.errores,
            w({"Línea 2: No se han definido producciones para el símbolo no terminal Z."}));
  EXPECT_EQ(a.traza,
            w({"Analizando símbolo S", "Analizando producción S -> Z Z x", "Analizando símbolo Z",
               "El símbolo Z no tiene producciones", "FIRST de S -> Z Z x  =  { x }",
               "FIRST de S  =  { x }", "Calculando FOLLOW de Z", "FOLLOW de Z  =  { x }"}));
  // The true sets: Z derives nothing, so it is not nullable and only the second Z sees x.
  EXPECT_FALSE(a.gramatica->Exactos().Anulable(*a.Nt("Z")));
  EXPECT_FALSE(a.tabla);
}

TEST(AnalisisLL1, directLeftRecursionKeepsTheOtherAlternatives) {
  const auto a = Analizar(Gramatica("x y", "A", "A", {"A -> A x", "A -> y"}));
  EXPECT_EQ(a.errores,
            w({"Línea 5: La producción genera recursividad por la izquierda del símbolo A."}));
  EXPECT_EQ(a.traza, w({"Analizando símbolo A", "Analizando producción A -> A x",
                        "Analizando símbolo A", "FIRST de A -> A x  =  { }",
                        "Símbolo A recursivo por la izquierda", "Analizando producción A -> y",
                        "FIRST de A -> y  =  { y }", "FIRST de A  =  { y }"}));
}

TEST(AnalisisLL1, everyRecursiveProductionOfASymbolIsItsOwnRecursion) {
  const auto a = Analizar(Gramatica("x y", "A", "A", {"A -> A x", "A -> A y"}));
  EXPECT_EQ(a.codigos, (std::vector<int>{27, 27}));
  EXPECT_EQ(a.errores[1],
            w("Línea 6: La producción genera recursividad por la izquierda del símbolo A."));
}

TEST(AnalisisLL1, cycleReportsEachMemberAndLaterUsersAreAffected) {
  const auto a =
      Analizar(Gramatica("x y z", "A B D", "A", {"A -> B x", "B -> A y", "D -> A z", "D -> z"}));
  EXPECT_EQ(a.errores,
            w({"Línea 6: La producción genera recursividad por la izquierda del símbolo B.",
               "Línea 5: La producción genera recursividad por la izquierda del símbolo A.",
               "Línea 7: Producción afectada por la recursividad de otro símbolo."}));
  EXPECT_EQ(
      std::vector<std::string>(a.traza.begin(), a.traza.begin() + 8),
      w({"Analizando símbolo A", "Analizando producción A -> B x", "Analizando símbolo B",
         "Analizando producción B -> A y", "Analizando símbolo A", "FIRST de B -> A y  =  { }",
         "Símbolo B recursivo por la izquierda", "FIRST de B  =  { }"}));
  EXPECT_NE(std::find(a.traza.begin(), a.traza.end(),
                      w("Símbolo D afectado por la recursividad de otro símbolo")),
            a.traza.end());
  EXPECT_EQ(listaErrores.Obtener(2).Simbolo(), "D");  // named though the message hides it
}

TEST(AnalisisLL1, nullablePrefixThenTerminalCollectsBoth) {
  const auto a = Analizar(Gramatica("a b", "S A", "S", {"S -> A b", "A -> a", "A -> lambda"}));
  CProduccion* p = a.Nt("S")->Producciones()[0].get();
  EXPECT_EQ(p->ConjuntoFirst().TextoConjunto(p->Anulable()), " { a b }");
}

TEST(CondicionesLL1, sharedFirstSymbolOneRecordPerEarlierProduction) {
  const auto a = Analizar(Gramatica("a b c", "A", "A", {"A -> a", "A -> a b", "A -> a c"}));
  EXPECT_EQ(a.errores,
            w({"Líneas 5 y 6: Las dos producciones contienen el símbolo a en su conjunto FIRST.",
               "Líneas 5 y 7: Las dos producciones contienen el símbolo a en su conjunto FIRST.",
               "Líneas 6 y 7: Las dos producciones contienen el símbolo a en su conjunto FIRST."}));
}

TEST(CondicionesLL1, sharedFirstNamesTheSmallestCommonSymbol) {
  const auto a = Analizar(
      Gramatica("a b c", "A B C", "A", {"A -> B", "A -> C", "B -> c", "B -> b", "C -> b c"}));
  EXPECT_EQ(a.errores,
            w({"Líneas 5 y 6: Las dos producciones contienen el símbolo b en su conjunto FIRST."}));
}

TEST(CondicionesLL1, twoNullableProductionsKeepTheFirstAsTheNullableOne) {
  const auto a = Analizar(
      Gramatica("x", "A B C", "A", {"A -> B", "A -> C", "B -> lambda", "C -> lambda", "B -> x"}));
  EXPECT_EQ(a.errores, w({"Líneas 5 y 6: El símbolo A tiene dos producciones anulables"}));
  EXPECT_EQ(a.Nt("A")->ProduccionAnulable()->Linea(), 5);
}

TEST(CondicionesLL1, firstAgainstFollowNamesTheNullableProduction) {
  const auto a = Analizar(Gramatica("a", "S A", "S", {"S -> A a", "A -> a", "A -> lambda"}));
  EXPECT_EQ(a.errores,
            w({"Líneas 6 y 7: El símbolo a se encuentra en el FIRST y el FOLLOW del antecedente"}));
}

TEST(CondicionesLL1, nullableProductionItselfIsNotAFirstFollowConflict) {
  const auto a = Analizar(
      Gramatica("a b", "S A B", "S", {"S -> A a", "A -> B", "A -> b", "B -> a", "B -> lambda"}));
  // a is in FIRST(A -> B) and in FOLLOW(A), but A -> B is A's nullable production; B itself
  // has a in FIRST and FOLLOW through its own non-nullable production.
  EXPECT_EQ(a.errores,
            w({"Líneas 8 y 9: El símbolo a se encuentra en el FIRST y el FOLLOW del antecedente"}));
}

// FOLLOW sets are the grammar's true sets even where two FOLLOW computations depend on each
// other: B ends a production of C and C ends one of B.
TEST(FollowVerdadero, mutualDependenceGivesBothTheWholeSet) {
  const auto a = Analizar(
      Gramatica("q r x y", "S B C", "S",
                {"S -> C q", "S -> B r", "C -> x B", "C -> lambda", "B -> y C", "B -> lambda"}));
  EXPECT_TRUE(a.errores.empty());
  EXPECT_EQ(
      std::vector<std::string>(a.traza.begin(), a.traza.begin() + 11),
      w({"Analizando símbolo B", "Analizando producción B -> y C", "FIRST de B -> y C  =  { y }",
         "Analizando producción B -> lambda", "FIRST de B -> lambda  =  { lambda }",
         "FIRST de B  =  { y lambda }", "Calculando FOLLOW de B", "Calculando FOLLOW de C",
         "FOLLOW de C  =  { q r }", "FOLLOW de B  =  { q r }", "Analizando símbolo C"}));
  // "y r" is in the language: after y, C must vanish before r.
  EXPECT_EQ(a.Celda("C", "r"), "C -> lambda");
  EXPECT_EQ(a.Celda("C", "q"), "C -> lambda");
}

TEST(FollowVerdadero, partialFollowWouldHideAConflict) {
  const auto a = Analizar(
      Gramatica("q w y z", "S B C", "S",
                {"S -> w B z", "S -> C q", "C -> z B", "C -> lambda", "B -> y C", "B -> lambda"}));
  EXPECT_EQ(a.errores,
            w({"Líneas 7 y 8: El símbolo z se encuentra en el FIRST y el FOLLOW del antecedente"}));
  EXPECT_FALSE(a.tabla);
}

// The FIRST/FOLLOW check runs only once no FIRST computation is in progress.
TEST(Condicion3Diferida, noFalseRecursionWhenFollowNeedsAnOuterSymbol) {
  const auto a = Analizar(Gramatica("y", "S A X", "S", {"S -> A X", "A -> lambda", "X -> A y"}));
  EXPECT_TRUE(a.errores.empty());
  ASSERT_TRUE(a.tabla);
  EXPECT_EQ(a.Celda("A", "y"), "A -> lambda");
}

TEST(Condicion3Diferida, nestedNullableSymbolsAreCheckedToo) {
  const auto a = Analizar(Gramatica(
      "x y", "S C B", "S", {"S -> C C", "C -> x B", "C -> lambda", "B -> lambda", "B -> y"}));
  EXPECT_EQ(a.errores,
            w({"Líneas 6 y 7: El símbolo x se encuentra en el FIRST y el FOLLOW del antecedente"}));
  EXPECT_FALSE(a.tabla);
}

TEST(Condicion3Diferida, followBlocksOfNestedSymbolsComeInTheOrderTheyFinished) {
  // P is analysed first and computes X and then Y inside its production.
  const auto a = Analizar(Gramatica(
      "a b c", "P X Y", "P", {"P -> X Y c", "X -> a", "X -> lambda", "Y -> b", "Y -> lambda"}));
  EXPECT_TRUE(a.errores.empty());
  const std::vector<std::string> esperado =
      w({"FIRST de P  =  { a b c }", "Calculando FOLLOW de X", "FOLLOW de X  =  { b c }",
         "Calculando FOLLOW de Y", "FOLLOW de Y  =  { c }"});
  EXPECT_EQ(std::vector<std::string>(a.traza.end() - 5, a.traza.end()), esperado);
}

TEST(Condicion3Diferida, symbolWithoutProductionsIsReportedOnce) {
  const auto a = Analizar(Gramatica("x", "S Z", "S", {"S -> Z Z"}));
  EXPECT_EQ(a.codigos, (std::vector<int>{26}));
}

TEST(ProduccionPara, firstProductionInFileOrderThenTheNullableOne) {
  const auto a = Analizar(Gramatica("a b", "S", "S", {"S -> a S b", "S -> lambda"}));
  CSimboloNoTerminal* s = a.Nt("S");
  EXPECT_EQ(s->ProduccionPara("a")->TextoProduccion(), "S -> a S b");
  EXPECT_EQ(s->ProduccionPara("b")->TextoProduccion(), "S -> lambda");
  EXPECT_EQ(s->ProduccionPara(NombreFinCadena())->TextoProduccion(), "S -> lambda");
  EXPECT_EQ(s->ProduccionPara("c"), nullptr);
  EXPECT_EQ(a.Celda("S", "a"), "S -> a S b");
  EXPECT_EQ(a.Celda("S", "b"), "S -> lambda");
  EXPECT_EQ(a.Celda("S", NombreFinCadena()), "S -> lambda");
}

TEST(ConstruirTabla, rowsAndColumnsInNameOrderWithEmptyColumns) {
  const auto a = Analizar(Gramatica("ab a B", "S", "S", {"S -> a", "S -> B"}));
  ASSERT_TRUE(a.tabla);
  std::vector<std::string> columnas;
  for (unsigned c = 0; a.tabla->Columna(c); ++c) columnas.push_back(a.tabla->Columna(c)->Nombre());
  EXPECT_EQ(columnas, (std::vector<std::string>{"B", "a", "ab", NombreFinCadena()}));
  EXPECT_EQ(a.Celda("S", "ab"), "-");
  EXPECT_EQ(a.tabla->Fila(1), nullptr);
}

// A chain hundreds of thousands deep: FIRST, FOLLOW and destruction must not recurse.
TEST(Robustez, deepChainAnalysesNormally) {
  const int n = 200000;
  std::string texto = "Terminales = { x y }\r\nNoTerminales = {";
  for (int i = 1; i <= n; ++i) texto += " A" + std::to_string(i);
  texto += " }\r\nAxioma = A1\r\nProducciones = {\r\n";
  for (int i = 1; i < n; ++i)
    texto += "A" + std::to_string(i) + " -> A" + std::to_string(i + 1) + " x\r\n";
  texto += "A" + std::to_string(n) + " -> y\r\n}\r\n";
  const auto a = Analizar(texto);
  EXPECT_TRUE(a.errores.empty());
  ASSERT_TRUE(a.tabla);
  EXPECT_EQ(a.Celda("A1", "y"), "A1 -> A2 x");
}

TEST(Robustez, deepNullableChainComputesNestedFollows) {
  // A(i) -> A(i+1) | lambda ... every FOLLOW nests inside the previous one.
  const int n = 100000;
  std::string texto = "Terminales = { x }\r\nNoTerminales = {";
  for (int i = 1; i <= n; ++i) texto += " A" + std::to_string(i);
  texto += " }\r\nAxioma = A1\r\nProducciones = {\r\n";
  for (int i = 1; i < n; ++i)
    texto += "A" + std::to_string(i) + " -> x A" + std::to_string(i + 1) + "\r\nA" +
             std::to_string(i) + " -> lambda\r\n";
  texto += "A" + std::to_string(n) + " -> x\r\n}\r\n";
  const auto a = Analizar(texto);
  EXPECT_TRUE(a.errores.empty());
  ASSERT_TRUE(a.tabla);
  EXPECT_EQ(a.Celda("A5", NombreFinCadena()), "A5 -> lambda");
}

TEST(Robustez, longNullableRightSideIsWalkedOnce) {
  // Every A is followed by the rest of the line; walking it anew for each one would take
  // billions of steps.
  std::string derecha;
  for (int i = 0; i < 50000; ++i) derecha += " A";
  const std::string texto =
      "Terminales = { a b }\r\nNoTerminales = { S A }\r\nAxioma = S\r\n"
      "Producciones = {\r\nS -> b" +
      derecha + "\r\nA -> a\r\nA -> lambda\r\n}\r\n";
  const auto a = Analizar(texto);
  EXPECT_EQ(a.errores,
            w({"Líneas 6 y 7: El símbolo a se encuentra en el FIRST y el FOLLOW del antecedente"}));
  EXPECT_EQ(a.Nt("A")->ConjuntoFollow().TextoConjunto(false), " { a " + NombreFinCadena() + " }");
}
