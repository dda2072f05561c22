// The FOLLOW engine: when FOLLOW computations run, how they nest, and the true sets they store.
#include "Motorfollow.h"

#include <gtest/gtest.h>

#include "Ayuda.h"

using prueba::Analizar;
using prueba::Gramatica;
using prueba::w;

TEST(MotorFollow, followIsComputedWhenANullableSymbolEndsItsFirst) {
  const auto a = Analizar(Gramatica("a b d", "S A", "S", {"S -> a A b", "A -> d", "A -> lambda"}));
  EXPECT_TRUE(a.errores.empty());
  EXPECT_EQ(std::vector<std::string>(a.traza.begin() + 6, a.traza.begin() + 8),
            w({"Calculando FOLLOW de A", "FOLLOW de A  =  { b }"}));
}

TEST(MotorFollow, endMarkerFollowsWhatEndsTheAxiom) {
  const auto a = Analizar(Gramatica("a", "S A", "S", {"S -> a A", "A -> a", "A -> lambda"}));
  EXPECT_EQ(a.codigos, std::vector<CodigoError>{});
  EXPECT_EQ(a.Nt("A")->ConjuntoFollow().TextoConjunto(false), " { " + NombreFinCadena() + " }");
  EXPECT_EQ(a.Celda("A", NombreFinCadena()), "A -> lambda");
  EXPECT_EQ(a.Celda("S", NombreFinCadena()), "-");
}

// FOLLOW sets are the grammar's true sets even where two FOLLOW computations depend on each
// other: B ends a production of C and C ends one of B.
TEST(MotorFollow, mutualDependenceGivesBothTheWholeSet) {
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

TEST(MotorFollow, partialFollowWouldHideAConflict) {
  const auto a = Analizar(
      Gramatica("q w y z", "S B C", "S",
                {"S -> w B z", "S -> C q", "C -> z B", "C -> lambda", "B -> y C", "B -> lambda"}));
  EXPECT_EQ(a.errores,
            w({"Líneas 7 y 8: El símbolo z se encuentra en el FIRST y el FOLLOW del antecedente"}));
  EXPECT_FALSE(a.tabla);
}

TEST(MotorFollow, deepNullableChainComputesNestedFollows) {
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

TEST(MotorFollow, longNullableRightSideIsWalkedOnce) {
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
