// The FIRST engine: the trace of FIRST computations, left recursion and symbols without
// productions.
#include "Motorfirst.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "Ayuda.h"
#include "Conjuntosexactos.h"

using prueba::Analizar;
using prueba::Gramatica;
using prueba::w;

TEST(MotorFirst, nonTerminalWithoutProductions) {
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

TEST(MotorFirst, directLeftRecursionKeepsTheOtherAlternatives) {
  const auto a = Analizar(Gramatica("x y", "A", "A", {"A -> A x", "A -> y"}));
  EXPECT_EQ(a.errores,
            w({"Línea 5: La producción genera recursividad por la izquierda del símbolo A."}));
  EXPECT_EQ(a.traza, w({"Analizando símbolo A", "Analizando producción A -> A x",
                        "Analizando símbolo A", "FIRST de A -> A x  =  { }",
                        "Símbolo A recursivo por la izquierda", "Analizando producción A -> y",
                        "FIRST de A -> y  =  { y }", "FIRST de A  =  { y }"}));
}

TEST(MotorFirst, everyRecursiveProductionOfASymbolIsItsOwnRecursion) {
  const auto a = Analizar(Gramatica("x y", "A", "A", {"A -> A x", "A -> A y"}));
  EXPECT_EQ(a.codigos, (std::vector<CodigoError>{CodigoError::RecursividadIzquierda,
                                                 CodigoError::RecursividadIzquierda}));
  EXPECT_EQ(a.errores[1],
            w("Línea 6: La producción genera recursividad por la izquierda del símbolo A."));
}

TEST(MotorFirst, cycleReportsEachMemberAndLaterUsersAreAffected) {
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
  EXPECT_EQ(a.registros[2].Simbolo(), "D");  // named though the message hides it
}

TEST(MotorFirst, nullablePrefixThenTerminalCollectsBoth) {
  const auto a = Analizar(Gramatica("a b", "S A", "S", {"S -> A b", "A -> a", "A -> lambda"}));
  CProduccion* p = a.Nt("S")->Producciones()[0].get();
  EXPECT_EQ(p->ConjuntoFirst().TextoConjunto(p->Anulable()), " { a b }");
}

// A chain hundreds of thousands deep: the walk, the FOLLOW computations and destruction must
// not recurse.
TEST(MotorFirst, deepChainAnalysesNormally) {
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

// X's loop runs while S's waits for S -> X, on the same terminals: S's own lists are whole again
// when it goes on. A recursive production clashes with what comes after it too.
TEST(MotorFirst, sharedFirstSymbolsAcrossANestedLoopAndARecursiveProduction) {
  const auto a = Analizar(Gramatica("a b c", "S X", "S",
                                    {"S -> a", "S -> b", "S -> c", "S -> c b", "S -> X", "S -> a X",
                                     "X -> b", "X -> a", "X -> b a"}));
  EXPECT_EQ(
      a.errores,
      w({"Líneas 7 y 8: Las dos producciones contienen el símbolo c en su conjunto FIRST.",
         "Líneas 11 y 13: Las dos producciones contienen el símbolo b en su conjunto FIRST.",
         "Líneas 5 y 9: Las dos producciones contienen el símbolo a en su conjunto FIRST.",
         "Líneas 6 y 9: Las dos producciones contienen el símbolo b en su conjunto FIRST.",
         "Líneas 5 y 10: Las dos producciones contienen el símbolo a en su conjunto FIRST.",
         "Líneas 9 y 10: Las dos producciones contienen el símbolo a en su conjunto FIRST."}));
  EXPECT_EQ(a.Nt("S")->ConjuntoFirst().TextoConjunto(false), " { a b c }");

  const auto r = Analizar(Gramatica("x y", "A", "A", {"A -> y", "A -> A x", "A -> y"}));
  EXPECT_EQ(r.errores,
            w({"Línea 6: La producción genera recursividad por la izquierda del símbolo A.",
               "Líneas 5 y 7: Las dos producciones contienen el símbolo y en su conjunto FIRST.",
               "Líneas 6 y 7: Las dos producciones contienen el símbolo y en su conjunto FIRST."}));
}
