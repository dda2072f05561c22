#include "Errores.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Analizador.h"
#include "Ayuda.h"

using prueba::w;

TEST(Error, messagesCarryTheirLinesAndExactBytes) {
  EXPECT_EQ(Error(CodigoError::SeEsperabaIgual, "{", 4).Mensaje(),
            w("Línea 4: Se esperaba el símbolo =. Encontrado símbolo {."));
  EXPECT_EQ(Error(CodigoError::IdentificadorRedefinido, "A", 5, 2).Mensaje(),
            w("Líneas 2 y 5: Identificador A redefinido."));
  EXPECT_EQ(Error(CodigoError::IdentificadorRedefinido, "A", 3, 3).Mensaje(),
            w("Líneas 3 y 3: Identificador A redefinido."));
  EXPECT_EQ(Error(CodigoError::FinFicheroInesperado, "x", 9).Mensaje(),
            w("Línea 9: Fin de fichero inesperado"));
  EXPECT_EQ(Error(CodigoError::AxiomaNoDefinido, "", 0).Mensaje(),
            w("Línea 0: El axioma  no está definido como símbolo no terminal."));
}

TEST(Error, outOfRangeCodesBecomeZero) {
  for (const int codigo : {32, -1, 1000}) {
    const Error error(static_cast<CodigoError>(codigo), "a", 7);
    EXPECT_EQ(error.Codigo(), CodigoError::NoEspecificado);
    EXPECT_EQ(error.Mensaje(), w("Línea 7: Error no especificado."));
  }
}

TEST(Error, linesAreGivenInAscendingOrder) {
  int a = -1, b = -1;
  Error(CodigoError::FirstCompartido, "x", 7, 3).Lineas(a, b);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, 7);
  Error(CodigoError::SimboloNoDefinido, "x", 12).Lineas(a, b);
  EXPECT_EQ(a, 12);
  EXPECT_EQ(b, 0);
}

// The whole table, byte for byte in Windows-1252, with the symbol "S" on line 1.
TEST(Error, everyCodeHasItsFixedText) {
  const char* const cuerpos[] = {
      "Error no especificado.",
      "Se esperaba un identificador de conjuntos. Encontrado símbolo S.",
      "Fin de fichero inesperado",
      "Conjunto de símbolos terminales ya definido",
      "Conjunto de símbolos no terminales ya definido.",
      "Axioma ya definido.",
      "Conjunto de producciones ya definido.",
      "Todos los conjuntos están definidos. No se esperaba ningún símbolo más.",
      "Se han de definir los conjuntos de símbolos no terminales, simbolos terminales y el "
      "axioma antes de indicar el conjunto de producciones",
      "El conjunto debe contener al menos un símbolo.",
      "Comentario incorrectamente colocado.",
      "No se puede definir un identificador con la palabra reservada lambda.",
      "El símbolo S no es un símbolo no terminal correcto.",
      "Se esperaba el identificador Producciones. Encontrado el símbolo S.",
      "El antecedente de una regla debe ser un símbolo no terminal.",
      "Final de línea inesperado.",
      "El símbolo lamda sólo puede aparecer como consecuente único de una producción.",
      "Se esperaba el símbolo =. Encontrado símbolo S.",
      "Se esperaba el símbolo {. Encontrado símbolo S.",
      "Se esperaba el símbolo }. Encontrado símbolo S.",
      "Se esperaba un salto de línea.",
      "Se esperaba el símbolo ->. Encontrado símbolo S.",
      "Identificador S redefinido.",
      "El axioma S no está definido como símbolo no terminal.",
      "El antecedente S no está definido como símbolo no terminal.",
      "El símbolo S no está definido.",
      "No se han definido producciones para el símbolo no terminal S.",
      "La producción genera recursividad por la izquierda del símbolo S.",
      "Producción afectada por la recursividad de otro símbolo.",
      "Las dos producciones contienen el símbolo S en su conjunto FIRST.",
      "El símbolo S tiene dos producciones anulables",
      "El símbolo S se encuentra en el FIRST y el FOLLOW del antecedente",
  };
  for (int codigo = 0; codigo <= 31; ++codigo)
    EXPECT_EQ(Error(static_cast<CodigoError>(codigo), "S", 1).Mensaje(),
              w(std::string("Línea 1: ") + cuerpos[codigo]))
        << "code " << codigo;
}

TEST(ListaErrores, keepsCopiesInOrderAndRefusesMissingIndices) {
  ListaErrores lista;
  EXPECT_EQ(lista.NumErrores(), 0);
  EXPECT_THROW(lista.Obtener(0), std::out_of_range);
  const Error error(CodigoError::SimboloNoDefinido, "c", 5);
  lista.Agregar(error);
  lista.Agregar(error);
  lista.Agregar(Error(CodigoError::FinFicheroInesperado, "", 6));
  EXPECT_EQ(lista.NumErrores(), 3);
  EXPECT_EQ(lista.Obtener(1).Mensaje(), error.Mensaje());
  EXPECT_EQ(lista.Obtener(2).Codigo(), CodigoError::FinFicheroInesperado);
  try {
    lista.Obtener(3);
    FAIL() << "no exception";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "vector");
  }
  EXPECT_THROW(lista.Obtener(-1), std::out_of_range);
  lista.Vaciar();
  EXPECT_EQ(lista.NumErrores(), 0);
}

// Records share their symbols' names; each stays a value that holds its own name for as long as
// it lives, whatever happens to the others.
TEST(Error, recordsAreValuesWhateverTheOthersDo) {
  auto error =
      std::make_unique<Error>(CodigoError::SimboloNoDefinido, "nombre largo de símbolo", 5);
  const Error copia = *error;
  Error asignada(CodigoError::FinFicheroInesperado, "otro", 1);
  asignada = copia;
  error.reset();
  EXPECT_EQ(copia.Simbolo(), "nombre largo de símbolo");
  EXPECT_EQ(asignada.Mensaje(), copia.Mensaje());
  EXPECT_EQ(asignada.Codigo(), CodigoError::SimboloNoDefinido);

  Error movida = std::move(asignada);
  EXPECT_EQ(movida.Simbolo(), "nombre largo de símbolo");
  asignada = movida;  // a record moved from takes a value again
  EXPECT_EQ(asignada.Linea1(), 5);
  movida = std::move(movida);
  EXPECT_EQ(movida.Simbolo(), "nombre largo de símbolo");

  // When every record of a name is gone, a new one with that name gets it whole.
  {
    const Error a(CodigoError::IdentificadorRedefinido, "A", 1, 2);
    const Error b(CodigoError::IdentificadorRedefinido, "B", 3);
  }
  const Error b(CodigoError::IdentificadorRedefinido, "B", 4);
  const Error a(CodigoError::IdentificadorRedefinido, "A", 5);
  const Error vacio(CodigoError::FinFicheroInesperado, "", 6);
  EXPECT_EQ(a.Mensaje(), w("Línea 5: Identificador A redefinido."));
  EXPECT_EQ(b.Simbolo(), "B");
  EXPECT_EQ(vacio.Simbolo(), "");
}

// 1,000 copies of one production clash pairwise: 499,500 errors. Their records stay small, and
// no text of them is kept: the messages are made when they are shown.
TEST(Error, manyErrorsTakeLittleMemory) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator keeps its own books";
#else
  std::string texto =
      "Terminales = { a }\r\nNoTerminales = { S }\r\nAxioma = S\r\n"
      "Producciones = {\r\n";
  for (int i = 0; i < 1000; ++i) texto += "S -> a\r\n";
  texto += "}\r\n";
  const auto enUso = [] {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
  };
  const std::size_t antes = enUso();
  const ResultadoAnalisis resultado = AnalizarTexto(texto, false);
  const std::size_t despues = enUso();
  ASSERT_EQ(resultado.registros.size(), 499500u);
  EXPECT_EQ(
      resultado.registros.back().Mensaje(),
      w("Líneas 1003 y 1004: Las dos producciones contienen el símbolo a en su conjunto FIRST."));
  EXPECT_LT((despues - antes) / resultado.registros.size(), 40u) << despues - antes << " bytes";
#endif
}
