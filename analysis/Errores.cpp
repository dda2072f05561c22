#include "Errores.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "Codificacion.h"

ListaErrores listaErrores;

namespace {

constexpr CodigoError kUltimoCodigo = CodigoError::EnFirstYFollow;

CodigoError CodigoValido(CodigoError codigo) {
  const int valor = static_cast<int>(codigo);
  return valor >= 0 && valor <= static_cast<int>(kUltimoCodigo) ? codigo
                                                                : CodigoError::NoEspecificado;
}

// The sentence of each code; S is the symbol. The texts are the program's fixed wording,
// including the missing final stops and the spellings "simbolos" and "lamda".
std::string Cuerpo(CodigoError codigo, const std::string& s) {
  switch (codigo) {
    case CodigoError::SeEsperabaConjunto:
      return "Se esperaba un identificador de conjuntos. Encontrado símbolo "_cp1252 + s + ".";
    case CodigoError::FinFicheroInesperado:
      return "Fin de fichero inesperado";
    case CodigoError::TerminalesYaDefinidos:
      return "Conjunto de símbolos terminales ya definido"_cp1252;
    case CodigoError::NoTerminalesYaDefinidos:
      return "Conjunto de símbolos no terminales ya definido."_cp1252;
    case CodigoError::AxiomaYaDefinido:
      return "Axioma ya definido.";
    case CodigoError::ProduccionesYaDefinidas:
      return "Conjunto de producciones ya definido.";
    case CodigoError::NoSeEsperabaMas:
      return "Todos los conjuntos están definidos. No se esperaba ningún símbolo más."_cp1252;
    case CodigoError::ProduccionesAntesDeConjuntos:
      return "Se han de definir los conjuntos de símbolos no terminales, simbolos terminales y "
             "el axioma antes de indicar el conjunto de producciones"_cp1252;
    case CodigoError::ConjuntoVacio:
      return "El conjunto debe contener al menos un símbolo."_cp1252;
    case CodigoError::ComentarioMalColocado:
      return "Comentario incorrectamente colocado.";
    case CodigoError::LambdaComoIdentificador:
      return "No se puede definir un identificador con la palabra reservada lambda.";
    case CodigoError::NoTerminalIncorrecto:
      return "El símbolo "_cp1252 + s + " no es un símbolo no terminal correcto."_cp1252;
    case CodigoError::SeEsperabaProducciones:
      return "Se esperaba el identificador Producciones. Encontrado el símbolo "_cp1252 + s + ".";
    case CodigoError::AntecedenteDebeSerNoTerminal:
      return "El antecedente de una regla debe ser un símbolo no terminal."_cp1252;
    case CodigoError::FinLineaInesperado:
      return "Final de línea inesperado."_cp1252;
    case CodigoError::LambdaNoUnico:
      return "El símbolo lamda sólo puede aparecer como consecuente único de una producción."_cp1252;
    case CodigoError::SeEsperabaIgual:
      return "Se esperaba el símbolo =. Encontrado símbolo "_cp1252 + s + ".";
    case CodigoError::SeEsperabaAbreLlave:
      return "Se esperaba el símbolo {. Encontrado símbolo "_cp1252 + s + ".";
    case CodigoError::SeEsperabaCierraLlave:
      return "Se esperaba el símbolo }. Encontrado símbolo "_cp1252 + s + ".";
    case CodigoError::SeEsperabaSaltoLinea:
      return "Se esperaba un salto de línea."_cp1252;
    case CodigoError::SeEsperabaFlecha:
      return "Se esperaba el símbolo ->. Encontrado símbolo "_cp1252 + s + ".";
    case CodigoError::IdentificadorRedefinido:
      return "Identificador " + s + " redefinido.";
    case CodigoError::AxiomaNoDefinido:
      return "El axioma " + s + " no está definido como símbolo no terminal."_cp1252;
    case CodigoError::AntecedenteNoDefinido:
      return "El antecedente " + s + " no está definido como símbolo no terminal."_cp1252;
    case CodigoError::SimboloNoDefinido:
      return "El símbolo "_cp1252 + s + " no está definido."_cp1252;
    case CodigoError::SinProducciones:
      return "No se han definido producciones para el símbolo no terminal "_cp1252 + s + ".";
    case CodigoError::RecursividadIzquierda:
      return "La producción genera recursividad por la izquierda del símbolo "_cp1252 + s + ".";
    case CodigoError::AfectadaPorRecursividad:
      return "Producción afectada por la recursividad de otro símbolo."_cp1252;
    case CodigoError::FirstCompartido:
      return "Las dos producciones contienen el símbolo "_cp1252 + s +
             " en su conjunto FIRST."_cp1252;
    case CodigoError::DosProduccionesAnulables:
      return "El símbolo "_cp1252 + s + " tiene dos producciones anulables"_cp1252;
    case CodigoError::EnFirstYFollow:
      return "El símbolo "_cp1252 + s +
             " se encuentra en el FIRST y el FOLLOW del antecedente"_cp1252;
    case CodigoError::NoEspecificado:
    default:
      return "Error no especificado.";
  }
}

}  // namespace

Error::Error(CodigoError codigo, std::string simbolo, int linea)
    : codigo(CodigoValido(codigo)), simbolo(std::move(simbolo)), linea1(linea), linea2(0) {}

Error::Error(CodigoError codigo, std::string simbolo, int lineaA, int lineaB)
    : codigo(CodigoValido(codigo)),
      simbolo(std::move(simbolo)),
      linea1(std::min(lineaA, lineaB)),
      linea2(std::max(lineaA, lineaB)) {}

std::string Error::Mensaje() const {
  const std::string cuerpo = Cuerpo(codigo, simbolo);
  if (linea2 != 0)
    return "Líneas "_cp1252 + std::to_string(linea1) + " y " + std::to_string(linea2) + ": " +
           cuerpo;
  return "Línea "_cp1252 + std::to_string(linea1) + ": " + cuerpo;
}

void Error::Lineas(int& primera, int& segunda) const {
  primera = linea1;
  segunda = linea2;
}

Error ListaErrores::Obtener(int indice) const {
  if (indice < 0 || static_cast<std::size_t>(indice) >= errores.size())
    throw std::out_of_range("vector");
  return errores[static_cast<std::size_t>(indice)];
}
