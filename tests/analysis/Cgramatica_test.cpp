// The LL(1) analysis of whole grammars: traces, errors, sets and the table.
#include "Cgramatica.h"

#include <gtest/gtest.h>

#include "Ayuda.h"

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
  EXPECT_EQ(a.codigos, std::vector<CodigoError>{CodigoError::SinProducciones});
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

// Names up to seven bytes live in the index's entries, longer ones are compared in the
// symbol; both kinds, across several growths of the table, and their occurrences in reading
// order.
TEST(IndiceNombres, findsShortAndLongNamesAfterGrowingAndNotesOccurrencesInOrder) {
  CGramatica g;
  std::vector<std::string> nombres;
  for (int i = 0; i < 3000; ++i) {
    nombres.push_back(std::string(static_cast<std::size_t>(1 + i % 12), 'n') + std::to_string(i));
    ASSERT_TRUE(i % 3 ? g.AnadirNoTerminal(nombres.back(), i)
                      : g.AnadirTerminal(nombres.back(), i));
  }
  for (int i = 0; i < 3000; ++i) {
    const CSimbolo* s = g.BuscarSimbolo(nombres[static_cast<std::size_t>(i)]);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Linea(), i);
    EXPECT_EQ(s->EsTerminal(), i % 3 == 0);
  }
  EXPECT_FALSE(g.BuscarSimbolo("n"));
  EXPECT_FALSE(g.BuscarSimbolo(nombres[5] + "x"));
  EXPECT_FALSE(g.AnadirTerminal(nombres[7], 0));

  CProduccion p;
  EXPECT_TRUE(g.AnadirAlConsecuente(p, nombres[1]));
  EXPECT_TRUE(g.AnadirAlConsecuente(p, nombres[0]));
  EXPECT_FALSE(g.AnadirAlConsecuente(p, "ausente"));
  p.AnadirSimbolo(g.BuscarSimbolo(nombres[1]));
  const auto* n1 = g.BuscarNoTerminal(nombres[1]);
  ASSERT_EQ(n1->Apariciones().size(), 2u);
  EXPECT_EQ(n1->Apariciones()[0], std::make_pair(&p, 0));
  EXPECT_EQ(n1->Apariciones()[1], std::make_pair(&p, 2));
  EXPECT_TRUE(g.BuscarNoTerminal(nombres[2])->Apariciones().empty());
}
