#include "Asintactico.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Ayuda.h"
#include "Cgramatica.h"
#include "Errores.h"
#include "Simbolos.h"

using prueba::w;

namespace {

using Lineas = std::vector<std::string>;

struct Lectura {
  std::unique_ptr<CGramatica> gramatica;
  Lineas errores;
};

Lectura Leer(const std::string& texto) {
  listaErrores.Vaciar();
  std::istringstream entrada(texto);
  Lectura lectura{AnalizadorSintactico().Analizar(entrada), {}};
  for (int i = 0; i < listaErrores.NumErrores(); ++i)
    lectura.errores.push_back(listaErrores.Obtener(i).Mensaje());
  return lectura;
}

Lineas Errores(const std::string& texto) { return Leer(texto).errores; }

// "a:1 b:1": the declared names in set order with their lines.
std::string Declarados(const ConjuntoSimbolos& conjunto) {
  std::string texto;
  for (const PSimbolo s : conjunto)
    texto += (texto.empty() ? "" : " ") + s->Nombre() + ":" + std::to_string(s->Linea());
  return texto;
}

// "5: S -> a B | 7: B -> lambda": every attached production with its line, in set order.
std::string Producciones(const CGramatica& gramatica) {
  std::string texto;
  for (const PSimbolo s : gramatica.NoTerminales()) {
    const auto* noTerminal = static_cast<const CSimboloNoTerminal*>(static_cast<CSimbolo*>(s));
    for (const auto& p : noTerminal->Producciones()) {
      texto += (texto.empty() ? "" : " | ") + std::to_string(p->Linea()) + ": " +
               p->Antecedente()->Nombre() + " ->";
      for (const CSimbolo* c : p->Consecuente()) texto += " " + (c ? c->Nombre() : "lambda");
    }
  }
  return texto;
}

const std::string kTerminales = "Terminales = { a b }\r\n";
const std::string kNoTerminales = "NoTerminales = { S B }\r\n";
const std::string kAxioma = "Axioma = S\r\n";
const std::string kProducciones =
    "Producciones = {\r\n"
    "S -> a B\r\n"
    "B -> b B //// more b\r\n"
    "B -> lambda\r\n"
    "}\r\n";

const std::string kDeclaraciones = kTerminales + kNoTerminales + kAxioma;

// Declarations on lines 1-3 and the header on line 4; productions start on line 5.
std::string ConProducciones(const std::string& lineas) {
  return kDeclaraciones + "Producciones = {\r\n" + lineas + "}\r\n";
}

}  // namespace

TEST(AnalizadorSintactico, correctTextInAnyOrderOfTheDeclarations) {
  const std::string secciones[] = {kTerminales, kNoTerminales, kAxioma};
  int orden[] = {0, 1, 2};
  do {
    const std::string texto = "//// a b* grammar\r\n" + secciones[orden[0]] + secciones[orden[1]] +
                              secciones[orden[2]] + kProducciones;
    const Lectura lectura = Leer(texto);
    EXPECT_EQ(lectura.errores, Lineas{}) << texto;
    ASSERT_NE(lectura.gramatica->Axioma(), nullptr);
    EXPECT_EQ(lectura.gramatica->Axioma()->Nombre(), "S");
    EXPECT_EQ(Producciones(*lectura.gramatica), "7: B -> b B | 8: B -> lambda | 6: S -> a B");
  } while (std::next_permutation(orden, orden + 3));
}

TEST(AnalizadorSintactico, declarationsKeepTheirLines) {
  const Lectura lectura = Leer("\r\nTerminales = { a\r\n  b }\r\n" + kNoTerminales + kAxioma);
  EXPECT_EQ(Declarados(lectura.gramatica->Terminales()), "a:2 b:3 " + NombreFinCadena() + ":0");
  EXPECT_EQ(Declarados(lectura.gramatica->NoTerminales()), "B:4 S:4");
}

TEST(AnalizadorSintactico, workedExampleReportsEveryErrorInOrder) {
  const Lectura lectura = Leer(
      "Terminales = { a b a }\r\n"
      "NoTerminales = { S a }\r\n"
      "Axioma = T\r\n"
      "Producciones = {\r\n"
      "S -> a c\r\n"
      "S -> lambda\r\n"
      "}");
  EXPECT_EQ(lectura.errores,
            w({"Línea 1: Identificador a redefinido.", "Líneas 1 y 2: Identificador a redefinido.",
               "Línea 3: El axioma T no está definido como símbolo no terminal.",
               "Línea 5: El símbolo c no está definido."}));
  EXPECT_EQ(Declarados(lectura.gramatica->Terminales()), "a:1 b:1");
  EXPECT_EQ(Declarados(lectura.gramatica->NoTerminales()), "S:2");
  EXPECT_EQ(lectura.gramatica->Axioma(), nullptr);
  EXPECT_EQ(Producciones(*lectura.gramatica), "5: S -> a | 6: S -> lambda");
}

TEST(AnalizadorSintactico, emptyTextOrProductionsFirstEndTheParse) {
  EXPECT_EQ(Errores(""), w({"Línea 1: Fin de fichero inesperado"}));
  EXPECT_EQ(Errores(kProducciones + kDeclaraciones),
            w({"Línea 1: Se han de definir los conjuntos de símbolos no terminales, "
               "simbolos terminales y el axioma antes de indicar el conjunto de producciones"}));
}

TEST(AnalizadorSintactico, productionsBeforeTheDeclarationsAreSkippedAfterAnEmptyLine) {
  EXPECT_EQ(Errores("\r\n" + kProducciones + kDeclaraciones + kProducciones),
            w({"Línea 2: Se han de definir los conjuntos de símbolos no terminales, "
               "simbolos terminales y el axioma antes de indicar el conjunto de producciones"}));
}

TEST(AnalizadorSintactico, redefinedIdentifiersShowOneOrBothLines) {
  EXPECT_EQ(
      Errores("Terminales = { a a }\r\nNoTerminales = { A A }\r\nAxioma = A\r\n"
              "Producciones = {\r\nA -> a\r\n}"),
      w({"Línea 1: Identificador a redefinido.", "Líneas 2 y 2: Identificador A redefinido."}));
  // A terminal clashing with an earlier non-terminal is shown on its own line only.
  EXPECT_EQ(Errores("NoTerminales = { S\r\n A }\r\nTerminales = { a\r\nA }\r\nAxioma = S\r\n"
                    "Producciones = {\r\nS -> a\r\n}"),
            w({"Línea 4: Identificador A redefinido."}));
  EXPECT_EQ(Errores("Terminales = { a\r\nS }\r\nNoTerminales = {\r\nS }\r\nAxioma = S\r\n"
                    "Producciones = {\r\nS -> a\r\n}"),
            w({"Líneas 2 y 4: Identificador S redefinido.",
               "Línea 5: El axioma S no está definido como símbolo no terminal.",
               "Línea 7: El antecedente S no está definido como símbolo no terminal."}));
}

TEST(AnalizadorSintactico, setMembersThatCannotBeDeclared) {
  const std::string resto = kNoTerminales + kAxioma + kProducciones;
  EXPECT_EQ(
      Errores("Terminales = { }\r\n" + resto),
      w({"Línea 1: El conjunto debe contener al menos un símbolo.",
         "Línea 5: El símbolo a no está definido.", "Línea 6: El símbolo b no está definido."}));
  const Lectura lambda = Leer("Terminales = { lambda a\r\n//// c\r\nb }\r\n" + resto);
  EXPECT_EQ(lambda.errores,
            w({"Línea 1: No se puede definir un identificador con la palabra reservada lambda.",
               "Línea 2: Comentario incorrectamente colocado."}));
  EXPECT_EQ(Declarados(lambda.gramatica->Terminales()), "a:1 b:3 " + NombreFinCadena() + ":0");
}

TEST(AnalizadorSintactico, signsAndKeywordsMayNameTerminalsButNotNonTerminals) {
  const Lectura lectura = Leer(
      "Terminales = { a+ = { -> Axioma id) }\r\n"
      "NoTerminales = { S a+ }\r\n"
      "Axioma = S\r\n"
      "Producciones = {\r\n"
      "S -> a+ = { -> Axioma id)\r\n"
      "}\r\n");
  EXPECT_EQ(lectura.errores, w({"Línea 2: El símbolo a+ no es un símbolo no terminal correcto."}));
  EXPECT_EQ(Producciones(*lectura.gramatica), "5: S -> a+ = { -> Axioma id)");
  // A rejected first member leaves the set still empty.
  EXPECT_EQ(Errores("NoTerminales = { a+ }\r\nTerminales = { a }\r\nAxioma = S\r\n"),
            w({"Línea 1: El símbolo a+ no es un símbolo no terminal correcto.",
               "Línea 1: El conjunto debe contener al menos un símbolo.",
               "Línea 4: Fin de fichero inesperado",
               "Línea 3: El axioma S no está definido como símbolo no terminal.",
               "Línea 4: Fin de fichero inesperado"}));
}

TEST(AnalizadorSintactico, undefinedAxiomIsReportedEachTimeTheProductionSectionIsSought) {
  EXPECT_EQ(Errores(kTerminales + kNoTerminales + "Axioma = X\r\nAxioma = S\r\n" + kProducciones),
            w({"Línea 3: El axioma X no está definido como símbolo no terminal.",
               "Línea 4: Axioma ya definido.",
               "Línea 3: El axioma X no está definido como símbolo no terminal."}));
  EXPECT_EQ(Errores(kDeclaraciones + "Terminales = { c }\r\nx\r\n" + kProducciones),
            w({"Línea 4: Conjunto de símbolos terminales ya definido",
               "Línea 5: Se esperaba un identificador de conjuntos. Encontrado símbolo x."}));
}

TEST(AnalizadorSintactico, textEndingInsideASet) {
  const std::string fin = w("Línea 1: Fin de fichero inesperado");
  const std::string sinAxioma = w("Línea 0: El axioma  no está definido como símbolo no terminal.");
  EXPECT_EQ(Errores("Terminales = { a"),
            (Lineas{fin, w("Línea 1: Se esperaba el símbolo }. Encontrado símbolo fin de fichero."),
                    fin, fin, sinAxioma, fin}));
  const std::string fin2 = w("Línea 2: Fin de fichero inesperado");
  EXPECT_EQ(
      Errores(kTerminales + "NoTerminales = { S"),
      (Lineas{fin2, w("Línea 2: Se esperaba el símbolo }. Encontrado símbolo fin de fichero."),
              fin2, fin2, sinAxioma, fin2}));
}

TEST(AnalizadorSintactico, sectionHeadersMustBeComplete) {
  EXPECT_EQ(Errores("Terminales { a }\r\n" + kNoTerminales + kAxioma + "Producciones =\r\n"),
            w({"Línea 1: Se esperaba el símbolo =. Encontrado símbolo {.",
               "Línea 5: Se esperaba el símbolo {. Encontrado símbolo fin de línea.",
               "Línea 5: Fin de fichero inesperado"}));
  // Without the line break after "{" the whole first line is skipped, and no "}" is demanded.
  const Lectura lectura = Leer(kDeclaraciones + "Producciones = { S -> a\r\nS -> b\r\n");
  EXPECT_EQ(lectura.errores,
            w({"Línea 4: Se esperaba un salto de línea.", "Línea 6: Fin de fichero inesperado"}));
  EXPECT_EQ(Producciones(*lectura.gramatica), "5: S -> b");
  EXPECT_EQ(Errores("Axioma = S //// c\r\nAxioma S\r\n"),
            w({"Línea 1: Se esperaba un salto de línea.", "Línea 2: Axioma ya definido.",
               "Línea 3: Fin de fichero inesperado", "Línea 3: Fin de fichero inesperado",
               "Línea 1: El axioma S no está definido como símbolo no terminal.",
               "Línea 3: Fin de fichero inesperado"}));
}

TEST(AnalizadorSintactico, strayTextBetweenSections) {
  EXPECT_EQ(Errores("x y\r\n" + kTerminales + "z\r\n" + kNoTerminales + kAxioma + kProducciones),
            w({"Línea 1: Se esperaba un identificador de conjuntos. Encontrado símbolo x.",
               "Línea 3: Se esperaba un identificador de conjuntos. Encontrado símbolo z."}));
}

TEST(AnalizadorSintactico, rightSides) {
  EXPECT_EQ(
      Errores(ConProducciones("S ->\r\nB -> //// c\r\n")),
      w({"Línea 6: Final de línea inesperado.", "Línea 6: Comentario incorrectamente colocado."}));
  const Lectura noDefinido = Leer(ConProducciones("S -> c\r\nS -> a c B\r\n"));
  EXPECT_EQ(noDefinido.errores, w({"Línea 5: El símbolo c no está definido.",
                                   "Línea 6: El símbolo c no está definido."}));
  EXPECT_EQ(Producciones(*noDefinido.gramatica), "5: S -> | 6: S -> a B");
}

TEST(AnalizadorSintactico, lambdaOnlyAsTheWholeRightSide) {
  const Lectura despues = Leer(ConProducciones("S -> a lambda\r\nB -> b\r\nB -> lambda\r\n"));
  EXPECT_EQ(despues.errores, w({"Línea 5: El símbolo lamda sólo puede aparecer como consecuente "
                                "único de una producción.",
                                "Línea 6: Se esperaba un salto de línea."}));
  EXPECT_EQ(Producciones(*despues.gramatica), "7: B -> lambda | 5: S -> a");
  EXPECT_EQ(Errores(ConProducciones("S -> lambda a\r\n")),
            w({"Línea 5: Se esperaba un salto de línea."}));
}

TEST(AnalizadorSintactico, productionsThatCannotBeAttached) {
  const Lectura lectura = Leer(ConProducciones("X -> S B\r\nS a\r\n= -> a\r\nS -> a\r\n"));
  EXPECT_EQ(lectura.errores,
            w({"Línea 5: El antecedente X no está definido como símbolo no terminal.",
               "Línea 6: Se esperaba el símbolo ->. Encontrado símbolo a.",
               "Línea 7: El antecedente de una regla debe ser un símbolo no terminal."}));
  EXPECT_EQ(Producciones(*lectura.gramatica), "8: S -> a");
  // The dropped production registered its occurrences; it must stay alive for them.
  const CSimboloNoTerminal* b = lectura.gramatica->BuscarNoTerminal("B");
  ASSERT_EQ(b->Apariciones().size(), 1u);
  EXPECT_EQ(b->Apariciones()[0].first->Linea(), 5);
  EXPECT_EQ(b->Apariciones()[0].second, 1);
}

TEST(AnalizadorSintactico, commentsOnlyCloseProductionLines) {
  EXPECT_EQ(Errores(ConProducciones("S -> a //// ok\r\n//// alone\r\n")),
            w({"Línea 6: Comentario incorrectamente colocado."}));
  EXPECT_EQ(Errores(kDeclaraciones + "Producciones = {\r\nS -> a //// last"),
            w({"Línea 5: Se esperaba un salto de línea.", "Línea 5: Fin de fichero inesperado",
               "Línea 5: Se esperaba el símbolo }. Encontrado símbolo fin de fichero."}));
}

TEST(AnalizadorSintactico, closingBraceOnAProductionLine) {
  EXPECT_EQ(Errores(kDeclaraciones + "Producciones = {\r\nS -> a }"),
            w({"Línea 5: El símbolo } no está definido.", "Línea 5: Fin de fichero inesperado",
               "Línea 5: Fin de fichero inesperado",
               "Línea 5: Se esperaba el símbolo }. Encontrado símbolo fin de fichero."}));
}

TEST(AnalizadorSintactico, braceFollowedByTextDeclaresTerminalsUntilABraceEndsALine) {
  const Lectura lectura = Leer(
      "Terminales = { a } x\r\n"
      "Axioma }\r\n" +
      kNoTerminales + kAxioma +
      "Producciones = {\r\n"
      "S -> a }\r\n"
      "}\r\n");
  EXPECT_EQ(lectura.errores, Lineas{});
  EXPECT_EQ(Declarados(lectura.gramatica->Terminales()),
            "Axioma:2 a:1 x:1 }:1 " + NombreFinCadena() + ":0");
  EXPECT_EQ(Producciones(*lectura.gramatica), "6: S -> a }");
}

TEST(AnalizadorSintactico, misplacedTextAfterTheProductions) {
  EXPECT_EQ(Errores(kDeclaraciones + kProducciones +
                    "//// end\r\n\r\nTerminales = {\r\na }\r\nNoTerminales = { b }\r\n"
                    "Axioma = S\r\nProducciones = { S -> a\r\n}\r\nz"),
            w({"Línea 11: Conjunto de símbolos terminales ya definido",
               "Línea 13: Conjunto de símbolos no terminales ya definido.",
               "Línea 14: Axioma ya definido.", "Línea 15: Conjunto de producciones ya definido.",
               "Línea 17: Todos los conjuntos están definidos. No se esperaba "
               "ningún símbolo más."}));
}

TEST(AnalizadorSintactico, lineFeedsAloneAreLineBreaks) {
  const std::string texto =
      "Terminales = { a }\nNoTerminales = { S }\nAxioma = S\nProducciones = {\nS -> a\nS -> x\n}\n";
  const Lectura lectura = Leer(texto);
  EXPECT_EQ(lectura.errores, w({"Línea 6: El símbolo x no está definido."}));
  EXPECT_EQ(Producciones(*lectura.gramatica), "5: S -> a | 6: S ->");
}

TEST(AnalizadorSintactico, longTextsDoNotDeepenTheStack) {
  std::string basura;
  for (int i = 0; i < 200'000; ++i) basura += "+ x\r\n";
  std::string producciones;
  for (int i = 0; i < 200'000; ++i) producciones += "S -> a S\r\n//// c\r\n";
  const Lectura lectura = Leer(basura + ConProducciones(producciones) + basura);
  EXPECT_EQ(lectura.errores.size(), 600'000u);
  EXPECT_EQ(lectura.errores.back(),
            w("Línea 800005: Todos los conjuntos están definidos. No se esperaba ningún "
              "símbolo más."));
  EXPECT_EQ(lectura.gramatica->BuscarNoTerminal("S")->Producciones().size(), 200'000u);
}

TEST(AnalizadorSintactico, anyBytesGiveANormalResult) {
  std::mt19937 azar(12345);
  const std::string piezas[] = {"Terminales",
                                "NoTerminales",
                                "Axioma",
                                "Producciones",
                                "lambda",
                                "=",
                                "{",
                                "}",
                                "->",
                                "////",
                                "\r\n",
                                "\n",
                                "\r",
                                " ",
                                "a",
                                "S",
                                std::string(1, '\0'),
                                "\xD1",
                                "\xFF"};
  for (int caso = 0; caso < 2000; ++caso) {
    std::string texto;
    const int largo = static_cast<int>(azar() % 60);
    for (int i = 0; i < largo; ++i) {
      texto += azar() % 4 ? piezas[azar() % std::size(piezas)]
                          : std::string(1, static_cast<char>(azar() % 256));
      texto += ' ';
    }
    const Lectura lectura = Leer(texto);
    ASSERT_NE(lectura.gramatica, nullptr);
  }
}
