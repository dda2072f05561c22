#include "Errores.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

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
