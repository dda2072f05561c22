// Explanations of LL(1) errors: whole blocks for hand-made grammars of each code, what is
// left unexplained, and, over many generated grammars, that every witness is true.
#include "Explicacion.h"

#include <gtest/gtest.h>

#include <sstream>

#include "Analizador.h"
#include "Avisos.h"
#include "Ayuda.h"
#include "Lenguaje.h"

using prueba::Gramatica;
using prueba::w;

namespace {

std::vector<std::string> Explicado(const std::string& texto) {
  const ResultadoAnalisis r = AnalizarTexto(texto);
  return LineasExplicaciones(Explicar(r), BuscarAvisos(r));
}

}  // namespace

TEST(Explicacion, sharedFirst_twoSentencesAfterTheShortestPrefix) {
  // Line 5 onwards: P, then S's two productions, then E.
  EXPECT_EQ(Explicado(Gramatica("x id = ( ) ;", "P S E", "P",
                                {"P -> x S ;", "S -> id = E", "S -> id ( )", "E -> id"})),
            w({"Líneas 6 y 7: Las dos producciones contienen el símbolo id en su conjunto FIRST.",
               "  Prefijo: x", "  Derivación por S -> id = E (línea 6): S => id = E => id = id",
               "  Derivación por S -> id ( ) (línea 7): S => id ( )", "  Frase 1: x id = id ;",
               "  Frase 2: x id ( ) ;",
               "  Tras el prefijo, con id como siguiente símbolo, el analizador no puede elegir "
               "entre S -> id = E y S -> id ( )."}));
}

TEST(Explicacion, sharedFirst_throughNullableAndNestedSymbols) {
  // a begins A -> N B past the nullable N, through B and C.
  EXPECT_EQ(Explicado(Gramatica(
                "a b c", "A N B C", "A",
                {"A -> N B", "A -> a", "N -> lambda", "N -> b", "B -> c", "B -> C a", "C -> a a"})),
            w({"Líneas 5 y 6: Las dos producciones contienen el símbolo a en su conjunto FIRST.",
               "  Prefijo: ninguno: el conflicto aparece al principio de la cadena",
               "  Derivación por A -> N B (línea 5): A => N B => B => C a => a a a",
               "  Derivación por A -> a (línea 6): A => a", "  Frase 1: a a a", "  Frase 2: a",
               "  Al principio de la frase, con a como siguiente símbolo, el analizador no puede "
               "elegir entre A -> N B y A -> a."}));
}

TEST(Explicacion, twoNullable_oneSentenceDerivedTwoWays) {
  EXPECT_EQ(
      Explicado(Gramatica("static final tipo", "Decl Mods Est Fin", "Decl",
                          {"Decl -> Mods tipo", "Mods -> Est", "Mods -> Fin", "Est -> static Est",
                           "Est -> lambda", "Fin -> final Fin", "Fin -> lambda"})),
      w({"Líneas 6 y 7: El símbolo Mods tiene dos producciones anulables",
         "  Prefijo: ninguno: el conflicto aparece al principio de la cadena",
         "  Derivación por Mods -> Est (línea 6): Mods => Est => lambda",
         "  Derivación por Mods -> Fin (línea 7): Mods => Fin => lambda", "  Frase: tipo",
         "  La misma frase se deriva de dos maneras: las dos producciones de Mods llevan a la "
         "cadena vacía."}));
}

TEST(Explicacion, firstAndFollow_whatFollowsComesFromAnEnclosingProduction) {
  // The dangling else; the nullable production comes first in the file, so the two lines
  // of the record are given in the other order.
  EXPECT_EQ(Explicado(Gramatica("if then else otra c", "Sent Resto Cond", "Sent",
                                {"Sent -> if Cond then Sent Resto", "Sent -> otra",
                                 "Resto -> lambda", "Resto -> else Sent", "Cond -> c"})),
            w({"Líneas 7 y 8: El símbolo else se encuentra en el FIRST y el FOLLOW del "
               "antecedente",
               "  Prefijo: if c then if c then otra",
               "  Derivación por Resto -> else Sent (línea 8): Resto => else Sent => else otra",
               "  Derivación por Resto -> lambda (línea 7): Resto · Resto => · Resto => · else "
               "Sent => · else otra",
               "  En la segunda derivación, el punto · separa lo que deriva Resto (a su "
               "izquierda) de lo que sigue a Resto en la frase.",
               "  Frase 1: if c then if c then otra else otra else otra",
               "  Frase 2: if c then if c then otra else otra",
               "  Tras el prefijo, con else como siguiente símbolo, el analizador no puede saber "
               "si else empieza Resto (Resto -> else Sent) o sigue a Resto (Resto -> lambda)."}));
}

TEST(Explicacion, firstAndFollow_followerReachedThroughNullableEnds) {
  // a follows L only through X's nullable end and S -> X a.
  EXPECT_EQ(Explicado(Gramatica(
                "a b", "S X L M", "S",
                {"S -> X a", "X -> b L M", "L -> a", "L -> lambda", "M -> lambda", "M -> b b"})),
            w({"Líneas 7 y 8: El símbolo a se encuentra en el FIRST y el FOLLOW del antecedente",
               "  Prefijo: b", "  Derivación por L -> a (línea 7): L => a",
               "  Derivación por L -> lambda (línea 8): L · M a => · M a => · a",
               "  En la segunda derivación, el punto · separa lo que deriva L (a su izquierda) de "
               "lo que sigue a L en la frase.",
               "  Frase 1: b a a", "  Frase 2: b a",
               "  Tras el prefijo, con a como siguiente símbolo, el analizador no puede saber si "
               "a empieza L (L -> a) o sigue a L (L -> lambda)."}));
}

TEST(Explicacion, firstAndFollow_theDotFollowsTheNullableBodyDown) {
  // A goes to the empty string in two steps, through B C; x then comes from what follows.
  EXPECT_EQ(Explicado(Gramatica("x", "S A B C", "S",
                                {"S -> A x", "A -> x", "A -> B C", "B -> lambda", "C -> lambda"})),
            w({"Líneas 6 y 7: El símbolo x se encuentra en el FIRST y el FOLLOW del antecedente",
               "  Prefijo: ninguno: el conflicto aparece al principio de la cadena",
               "  Derivación por A -> x (línea 6): A => x",
               "  Derivación por A -> B C (línea 7): A · x => B C · x => C · x => · x",
               "  En la segunda derivación, el punto · separa lo que deriva A (a su izquierda) de "
               "lo que sigue a A en la frase.",
               "  Frase 1: x x", "  Frase 2: x",
               "  Al principio de la frase, con x como siguiente símbolo, el analizador no puede "
               "saber si x empieza A (A -> x) o sigue a A (A -> B C)."}));
}

TEST(Explicacion, leftRecursion_wholeCycleWithSkippedNullables) {
  // The analysis meets the cycle at S, then B, then A: the records come in that order.
  EXPECT_EQ(
      Explicado(Gramatica(
          "x y z b", "S A B N M", "S",
          {"S -> A x", "A -> N M B y", "B -> S z", "B -> b", "N -> lambda", "M -> lambda"})),
      w({"Línea 5: La producción genera recursividad por la izquierda del símbolo S.",
         "  Ciclo de recursividad por la izquierda:", "    S -> A x (línea 5)",
         "    A -> N M B y (línea 6), saltando N y M, que son anulables", "    B -> S z (línea 7)",
         "", "Línea 7: La producción genera recursividad por la izquierda del símbolo B.",
         "  Ciclo de recursividad por la izquierda:", "    B -> S z (línea 7)",
         "    S -> A x (línea 5)", "    A -> N M B y (línea 6), saltando N y M, que son anulables",
         "", "Línea 6: La producción genera recursividad por la izquierda del símbolo A.",
         "  Ciclo de recursividad por la izquierda:",
         "    A -> N M B y (línea 6), saltando N y M, que son anulables", "    B -> S z (línea 7)",
         "    S -> A x (línea 5)"}));
}

TEST(Explicacion, sectionOrder_conflictsThenCyclesThenWarnings) {
  // E is recursive, F has two productions beginning with id, U is out of reach, t unused.
  const auto lineas = Explicado(Gramatica(
      "+ id ( t", "E F U", "E", {"E -> E + F", "E -> F", "F -> id", "F -> id (", "U -> id"}));
  EXPECT_EQ(
      lineas,
      w({"Líneas 7 y 8: Las dos producciones contienen el símbolo id en su "
         "conjunto FIRST.",
         "  Prefijo: ninguno: el conflicto aparece al principio de la cadena",
         "  Derivación por F -> id (línea 7): F => id",
         "  Derivación por F -> id ( (línea 8): F => id (", "  Frase 1: id", "  Frase 2: id (",
         "  Al principio de la frase, con id como siguiente símbolo, el analizador "
         "no puede elegir entre F -> id y F -> id (.",
         "", "Línea 5: La producción genera recursividad por la izquierda del símbolo E.",
         "  Ciclo de recursividad por la izquierda:", "    E -> E + F (línea 5)", "",
         "Aviso en la línea 2: el símbolo no terminal U no es accesible desde el "
         "axioma.",
         "Aviso en la línea 1: el símbolo terminal t no aparece en ninguna "
         "producción."}));
}

TEST(Explicacion, unexplainable_symbolsThatDeriveNothingOrAreOutOfReach) {
  // The records: D's recursion, S's conflict (it needs D, which derives nothing), T's
  // conflict, U's conflict (out of the axiom's reach), Z's recursion. Cycles need no sentence.
  const ResultadoAnalisis r =
      AnalizarTexto(Gramatica("a b", "S D T U Z", "S",
                              {"S -> a D", "S -> a", "S -> T", "D -> D b", "T -> b", "T -> b a",
                               "U -> a", "U -> a b", "Z -> Z"}));
  std::vector<int> explicados;
  for (const Explicacion& e : Explicar(r)) explicados.push_back(e.error);
  EXPECT_EQ(explicados, (std::vector<int>{0, 2, 4}));
  std::vector<std::string> avisos;
  for (const Aviso& aviso : BuscarAvisos(r)) avisos.push_back(TextoAviso(aviso));
  EXPECT_EQ(avisos,
            w({"Aviso en la línea 2: el símbolo no terminal U no es accesible desde el axioma.",
               "Aviso en la línea 2: el símbolo no terminal Z no es accesible desde el axioma.",
               "Aviso en la línea 2: el símbolo no terminal D no deriva ninguna cadena de "
               "terminales.",
               "Aviso en la línea 2: el símbolo no terminal Z no deriva ninguna cadena de "
               "terminales."}));

  // With reading errors nothing is explained or warned about.
  const ResultadoAnalisis leido = AnalizarTexto(Gramatica("a", "S", "S", {"S -> a", "S -> a b"}));
  EXPECT_TRUE(Explicar(leido).empty());
  EXPECT_TRUE(BuscarAvisos(leido).empty());
}

TEST(Explicacion, leftRecursion_cyclesOfMoreThanAHundredStepsAreNotSpelledOut) {
  for (const int largo : {100, 101}) {
    std::string noTerminales, producciones;
    for (int i = 1; i <= largo; ++i) {
      noTerminales += " A" + std::to_string(i);
      producciones += "A" + std::to_string(i) + " -> A" + std::to_string(i % largo + 1) + " x\r\n";
    }
    const ResultadoAnalisis r =
        AnalizarTexto("Terminales = { x }\r\nNoTerminales = {" + noTerminales +
                      " }\r\nAxioma = A1\r\nProducciones = {\r\n" + producciones + "}\r\n");
    const auto explicaciones = Explicar(r);
    ASSERT_EQ(r.registros.size(), static_cast<std::size_t>(largo));
    EXPECT_EQ(explicaciones.size(), largo == 100 ? r.registros.size() : 0u);
  }
}

TEST(Explicacion, theDesktopWay_aGrammarAndTheErrorList) {
  const std::string texto =
      Gramatica("a b", "S A", "S", {"S -> A b", "A -> a", "A -> lambda", "A -> b"});
  std::unique_ptr<CGramatica> gramatica;
  std::istringstream entrada(texto);
  AnalizarGramatica(gramatica, entrada);
  const auto explicaciones = Explicar(gramatica.get(), listaErrores.Errores());
  ASSERT_EQ(explicaciones.size(), 1u);
  EXPECT_EQ(LineasExplicaciones(explicaciones, {}),
            LineasExplicaciones(Explicar(AnalizarTexto(texto)), {}));
  EXPECT_TRUE(Explicar(nullptr, {}).empty());
}

TEST(Explicacion, generatedGrammars_everyWitnessIsTrue) {
  std::mt19937 azar(72261);
  int explicadas = 0, ciclos = 0;
  for (int caso = 0; caso < 3000; ++caso) {
    const std::string texto = prueba::GramaticaAlAzar(azar, 2 + caso % 2, 2 + caso % 3);
    SCOPED_TRACE(texto);
    const ResultadoAnalisis r = AnalizarTexto(texto);
    const prueba::Libro libro(*r.gramatica);
    const auto explicaciones = Explicar(r);
    for (const Explicacion& e : explicaciones) {
      const CodigoError codigo = e.registro.Codigo();
      EXPECT_EQ(r.registros[e.error].Mensaje(), e.registro.Mensaje());
      if (codigo == CodigoError::RecursividadIzquierda) {
        // Each step goes on from the symbol the one before stands at, past nullable ones,
        // and the last comes back to A.
        ++ciclos;
        ASSERT_FALSE(e.ciclo.empty());
        EXPECT_EQ(e.ciclo[0].produccion, e.producciones[0]);
        for (std::size_t k = 0; k < e.ciclo.size(); ++k) {
          const auto& [p, posicion] = e.ciclo[k];
          for (int i = 0; i < posicion; ++i)
            EXPECT_TRUE(libro.Anulable(p->Consecuente()[i]->Nombre()));
          const CSimbolo* siguiente =
              k + 1 < e.ciclo.size() ? e.ciclo[k + 1].produccion->Antecedente() : e.noTerminal;
          EXPECT_EQ(p->Consecuente()[posicion], siguiente);
        }
        continue;
      }
      ++explicadas;
      std::array<prueba::Frase, 2> frases;
      for (int k = 0; k < 2; ++k) {
        const Derivacion& d = e.derivaciones[k];
        EXPECT_EQ(prueba::FallaDerivacion(d), "");
        EXPECT_EQ(d.formas[0][0], e.noTerminal);
        EXPECT_EQ(d.producciones[0], e.producciones[k]);
        const auto& fin = d.formas.back();
        EXPECT_TRUE(std::all_of(fin.begin(), fin.end(), [](auto s) { return s->EsTerminal(); }));
        EXPECT_TRUE(codigo == CodigoError::DosProduccionesAnulables
                        ? fin.empty()
                        : !fin.empty() && fin[0] == e.terminal);
        // The sentence is the grammar's, and goes on after the prefix with the terminal.
        for (const CSimbolo* s : e.frases[k]) frases[k].push_back(s->Nombre());
        EXPECT_TRUE(libro.Genera(frases[k])) << TextoForma(e.frases[k]);
        ASSERT_GE(e.frases[k].size(), e.prefijo.size());
        EXPECT_TRUE(std::equal(e.prefijo.begin(), e.prefijo.end(), e.frases[k].begin()));
        if (e.terminal) {
          EXPECT_EQ(e.frases[k][e.prefijo.size()], e.terminal);
        }
      }
      if (codigo == CodigoError::DosProduccionesAnulables) {
        EXPECT_EQ(frases[0], frases[1]);
      }
    }

    // Without recursion and useless symbols every conflict has its explanation.
    const bool limpia = std::none_of(r.registros.begin(), r.registros.end(), [](const Error& e) {
      return e.Codigo() <= CodigoError::AfectadaPorRecursividad;
    });
    const auto avisos = BuscarAvisos(r);
    if (limpia && std::all_of(avisos.begin(), avisos.end(),
                              [](const Aviso& a) { return a.tipo == TipoAviso::TerminalSinUso; })) {
      EXPECT_EQ(explicaciones.size(), r.registros.size());
    }
  }
  EXPECT_GT(explicadas, 1000);
  EXPECT_GT(ciclos, 500);
}
