#include "Errores.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

TEST(Error, messagesCarryTheirLinesAndExactBytes) {
  EXPECT_EQ(Error(CodigoError::SeEsperabaIgual, "{", 4).Mensaje(),
            "L\xEDnea 4: Se esperaba el s\xEDmbolo =. Encontrado s\xEDmbolo {.");
  EXPECT_EQ(Error(CodigoError::IdentificadorRedefinido, "A", 5, 2).Mensaje(),
            "L\xEDneas 2 y 5: Identificador A redefinido.");
  EXPECT_EQ(Error(CodigoError::IdentificadorRedefinido, "A", 3, 3).Mensaje(),
            "L\xEDneas 3 y 3: Identificador A redefinido.");
  EXPECT_EQ(Error(CodigoError::FinFicheroInesperado, "x", 9).Mensaje(),
            "L\xEDnea 9: Fin de fichero inesperado");
  EXPECT_EQ(Error(CodigoError::AxiomaNoDefinido, "", 0).Mensaje(),
            "L\xEDnea 0: El axioma  no est\xE1 definido como s\xEDmbolo no terminal.");
}

TEST(Error, outOfRangeCodesBecomeZero) {
  for (const int codigo : {32, -1, 1000}) {
    const Error error(static_cast<CodigoError>(codigo), "a", 7);
    EXPECT_EQ(error.Codigo(), CodigoError::NoEspecificado);
    EXPECT_EQ(error.Mensaje(), "L\xEDnea 7: Error no especificado.");
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

// The whole table, byte for byte, with the symbol "S" on line 1.
TEST(Error, everyCodeHasItsFixedText) {
  const char* const cuerpos[] = {
      "Error no especificado.",
      "Se esperaba un identificador de conjuntos. Encontrado s\xEDmbolo S.",
      "Fin de fichero inesperado",
      "Conjunto de s\xEDmbolos terminales ya definido",
      "Conjunto de s\xEDmbolos no terminales ya definido.",
      "Axioma ya definido.",
      "Conjunto de producciones ya definido.",
      "Todos los conjuntos est\xE1n definidos. No se esperaba ning\xFAn s\xEDmbolo m\xE1s.",
      "Se han de definir los conjuntos de s\xEDmbolos no terminales, simbolos terminales y el "
      "axioma antes de indicar el conjunto de producciones",
      "El conjunto debe contener al menos un s\xEDmbolo.",
      "Comentario incorrectamente colocado.",
      "No se puede definir un identificador con la palabra reservada lambda.",
      "El s\xEDmbolo S no es un s\xEDmbolo no terminal correcto.",
      "Se esperaba el identificador Producciones. Encontrado el s\xEDmbolo S.",
      "El antecedente de una regla debe ser un s\xEDmbolo no terminal.",
      "Final de l\xEDnea inesperado.",
      "El s\xEDmbolo lamda s\xF3lo puede aparecer como consecuente \xFAnico de una producci\xF3n.",
      "Se esperaba el s\xEDmbolo =. Encontrado s\xEDmbolo S.",
      "Se esperaba el s\xEDmbolo {. Encontrado s\xEDmbolo S.",
      "Se esperaba el s\xEDmbolo }. Encontrado s\xEDmbolo S.",
      "Se esperaba un salto de l\xEDnea.",
      "Se esperaba el s\xEDmbolo ->. Encontrado s\xEDmbolo S.",
      "Identificador S redefinido.",
      "El axioma S no est\xE1 definido como s\xEDmbolo no terminal.",
      "El antecedente S no est\xE1 definido como s\xEDmbolo no terminal.",
      "El s\xEDmbolo S no est\xE1 definido.",
      "No se han definido producciones para el s\xEDmbolo no terminal S.",
      "La producci\xF3n genera recursividad por la izquierda del s\xEDmbolo S.",
      "Producci\xF3n afectada por la recursividad de otro s\xEDmbolo.",
      "Las dos producciones contienen el s\xEDmbolo S en su conjunto FIRST.",
      "El s\xEDmbolo S tiene dos producciones anulables",
      "El s\xEDmbolo S se encuentra en el FIRST y el FOLLOW del antecedente",
  };
  for (int codigo = 0; codigo <= 31; ++codigo)
    EXPECT_EQ(Error(static_cast<CodigoError>(codigo), "S", 1).Mensaje(),
              std::string("L\xEDnea 1: ") + cuerpos[codigo])
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
