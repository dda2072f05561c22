#include "Errores.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "Codificacion.h"

ListaErrores listaErrores;

namespace {

constexpr int kUltimoCodigo = 31;

int CodigoValido(int codigo) { return codigo >= 0 && codigo <= kUltimoCodigo ? codigo : 0; }

// The sentence of each code; S is the symbol. The texts are the program's fixed wording,
// including the missing final stops and the spellings "simbolos" and "lamda".
std::string Cuerpo(int codigo, const std::string& s) {
  switch (codigo) {
    case 1:
      return "Se esperaba un identificador de conjuntos. Encontrado símbolo "_cp1252 + s + ".";
    case 2:
      return "Fin de fichero inesperado";
    case 3:
      return "Conjunto de símbolos terminales ya definido"_cp1252;
    case 4:
      return "Conjunto de símbolos no terminales ya definido."_cp1252;
    case 5:
      return "Axioma ya definido.";
    case 6:
      return "Conjunto de producciones ya definido.";
    case 7:
      return "Todos los conjuntos están definidos. No se esperaba ningún símbolo más."_cp1252;
    case 8:
      return "Se han de definir los conjuntos de símbolos no terminales, simbolos terminales y "
             "el axioma antes de indicar el conjunto de producciones"_cp1252;
    case 9:
      return "El conjunto debe contener al menos un símbolo."_cp1252;
    case 10:
      return "Comentario incorrectamente colocado.";
    case 11:
      return "No se puede definir un identificador con la palabra reservada lambda.";
    case 12:
      return "El símbolo "_cp1252 + s + " no es un símbolo no terminal correcto."_cp1252;
    case 13:
      return "Se esperaba el identificador Producciones. Encontrado el símbolo "_cp1252 + s + ".";
    case 14:
      return "El antecedente de una regla debe ser un símbolo no terminal."_cp1252;
    case 15:
      return "Final de línea inesperado."_cp1252;
    case 16:
      return "El símbolo lamda sólo puede aparecer como consecuente único de una producción."_cp1252;
    case 17:
      return "Se esperaba el símbolo =. Encontrado símbolo "_cp1252 + s + ".";
    case 18:
      return "Se esperaba el símbolo {. Encontrado símbolo "_cp1252 + s + ".";
    case 19:
      return "Se esperaba el símbolo }. Encontrado símbolo "_cp1252 + s + ".";
    case 20:
      return "Se esperaba un salto de línea."_cp1252;
    case 21:
      return "Se esperaba el símbolo ->. Encontrado símbolo "_cp1252 + s + ".";
    case 22:
      return "Identificador " + s + " redefinido.";
    case 23:
      return "El axioma " + s + " no está definido como símbolo no terminal."_cp1252;
    case 24:
      return "El antecedente " + s + " no está definido como símbolo no terminal."_cp1252;
    case 25:
      return "El símbolo "_cp1252 + s + " no está definido."_cp1252;
    case 26:
      return "No se han definido producciones para el símbolo no terminal "_cp1252 + s + ".";
    case 27:
      return "La producción genera recursividad por la izquierda del símbolo "_cp1252 + s + ".";
    case 28:
      return "Producción afectada por la recursividad de otro símbolo."_cp1252;
    case 29:
      return "Las dos producciones contienen el símbolo "_cp1252 + s +
             " en su conjunto FIRST."_cp1252;
    case 30:
      return "El símbolo "_cp1252 + s + " tiene dos producciones anulables"_cp1252;
    case 31:
      return "El símbolo "_cp1252 + s +
             " se encuentra en el FIRST y el FOLLOW del antecedente"_cp1252;
    default:
      return "Error no especificado.";
  }
}

}  // namespace

Error::Error(int codigo, std::string simbolo, int linea)
    : codigo(CodigoValido(codigo)), simbolo(std::move(simbolo)), linea1(linea), linea2(0) {}

Error::Error(int codigo, std::string simbolo, int lineaA, int lineaB)
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
