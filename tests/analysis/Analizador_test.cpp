#include "Analizador.h"

#include <gtest/gtest.h>

#include <sstream>

#include "Ayuda.h"
#include "Mostraranalisis.h"

using prueba::Gramatica;
using prueba::w;

namespace {

struct Recogida {
  std::vector<std::string> lineas;
  SumideroTemporal sumidero{[this](const std::string& l) { lineas.push_back(l); }};
};

}  // namespace

TEST(AnalizarGramatica, emptyTextGivesTheTwoFailureLinesAndNoTable) {
  Recogida traza;
  std::unique_ptr<CGramatica> gramatica;
  std::istringstream entrada("");
  EXPECT_FALSE(AnalizarGramatica(gramatica, entrada));
  ASSERT_TRUE(gramatica);
  EXPECT_TRUE(gramatica->NoTerminales().Vacio());
  EXPECT_EQ(listaErrores.NumErrores(), 1);
  EXPECT_EQ(listaErrores.Obtener(0).Codigo(), CodigoError::FinFicheroInesperado);
  EXPECT_EQ(traza.lineas, w({"Se han encontrado errores en el fichero",
                             "No se puede realizar el análisis LL1 de la gramática", ""}));
}

TEST(AnalizarGramatica, secondRunReplacesGrammarAndErrors) {
  Recogida traza;
  std::unique_ptr<CGramatica> gramatica;
  std::istringstream mala("Producciones = {\r\n}\r\n");
  AnalizarGramatica(gramatica, mala);
  EXPECT_EQ(listaErrores.NumErrores(), 1);
  std::istringstream buena(Gramatica("a", "S", "S", {"S -> a"}));
  const auto tabla = AnalizarGramatica(gramatica, buena);
  EXPECT_TRUE(tabla);
  EXPECT_EQ(listaErrores.NumErrores(), 0);
  EXPECT_TRUE(gramatica->BuscarNoTerminal("S"));
}

TEST(AnalizarTexto, listsReadAsTheMainWindowShowsThem) {
  const auto leida = AnalizarTexto(Gramatica("a", "S", "S", {"S -> a"}));
  EXPECT_EQ(leida.analisis,
            w({"Iniciando análisis", "Lectura del fichero realizada con éxito",
               "Iniciando análisis LL1 de la gramática", "", "Analizando símbolo S",
               "Analizando producción S -> a", "FIRST de S -> a  =  { a }", "FIRST de S  =  { a }",
               "", "Análisis concluido satisfactoriamente"}));
  EXPECT_EQ(LineasErrores(leida.registros), w({"Ningún error encontrado."}));

  const auto rechazada = AnalizarTexto("x\r\n");
  EXPECT_EQ(rechazada.analisis.size(), 5u);
  EXPECT_EQ(rechazada.analisis.back(), w("Análisis concluido con errores detectados"));
  const auto lineasRechazada = LineasErrores(rechazada.registros);
  EXPECT_EQ(lineasRechazada.size(), rechazada.registros.size() + 2u);
  EXPECT_EQ(lineasRechazada.end()[-2], "");
  EXPECT_EQ(lineasRechazada.back(),
            "Encontrados " + std::to_string(rechazada.registros.size()) + " errores.");

  const auto noLL1 = AnalizarTexto(Gramatica("x", "A", "A", {"A -> A x"}));
  EXPECT_FALSE(noLL1.tabla);
  EXPECT_GT(noLL1.analisis.size(), 5u);
  EXPECT_EQ(LineasErrores(noLL1.registros).back(), "Encontrados 1 errores.");
}

TEST(AnalizarTexto, resultKeepsItsErrorRecordsWhenTheNextAnalysisStarts) {
  const auto noLL1 = AnalizarTexto(Gramatica("x", "A", "A", {"A -> A x"}));
  const auto leida = AnalizarTexto(Gramatica("a", "S", "S", {"S -> a"}));
  EXPECT_TRUE(leida.registros.empty());
  ASSERT_EQ(noLL1.registros.size(), 1u);
  EXPECT_EQ(noLL1.registros[0].Codigo(), CodigoError::RecursividadIzquierda);
  EXPECT_EQ(noLL1.registros[0].Mensaje(), LineasErrores(noLL1.registros)[0]);
}

TEST(AnalizarTexto, withoutTraceMakesNoLineAndFindsTheSame) {
  const std::string texto = Gramatica("x y", "A B", "A", {"A -> B x", "B -> y", "B -> y x"});
  const auto conTraza = AnalizarTexto(texto);
  Recogida fuera;  // a sink installed by someone else hears nothing either
  const auto sinTraza = AnalizarTexto(texto, false);
  EXPECT_TRUE(sinTraza.analisis.empty());
  EXPECT_TRUE(fuera.lineas.empty());
  EXPECT_EQ(LineasErrores(sinTraza.registros), LineasErrores(conTraza.registros));
  EXPECT_EQ(sinTraza.registros.size(), 1u);
}

TEST(TextoGuardadoAnalisis, blanksTwoLinesPutsTheTitleThirdAndEndsEveryLineWithCrLf) {
  EXPECT_EQ(TextoGuardadoAnalisis({"uno", "dos", "tres", "cuatro", ""}, "T"),
            "\r\n\r\nT\r\ncuatro\r\n\r\n");
  EXPECT_EQ(TextoGuardadoAnalisis({"uno", "dos"}, "T"), "\r\n\r\n");
  EXPECT_EQ(TextoGuardadoAnalisis({}, "T"), "");
}
