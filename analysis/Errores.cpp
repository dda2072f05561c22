#include "Errores.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "Codificacion.h"

ListaErrores listaErrores;

namespace {

constexpr CodigoError kUltimoCodigo = CodigoError::EnFirstYFollow;

std::uint8_t CodigoValido(CodigoError codigo) {
  const int valor = static_cast<int>(codigo);
  return static_cast<std::uint8_t>(valor >= 0 && valor <= static_cast<int>(kUltimoCodigo) ? valor
                                                                                          : 0);
}

// The names the records carry, each held once with the number of records that carry it, and
// freed with the last of them: a session of the desktop program analyses one grammar after
// another, and the names of the earlier ones must not pile up.
class TablaNombres {
 public:
  // The number of `nombre`, counting one more record that carries it.
  std::uint32_t Tomar(std::string_view nombre) {
    // Errors come in runs that name one symbol: conflicts on one terminal, a symbol's recursion.
    if (entradas[ultima].usos > 0 && entradas[ultima].texto == nombre) {
      ++entradas[ultima].usos;
      return ultima;
    }
    if (nombre.empty()) return kVacio;
    if (const auto hallado = porTexto.find(nombre); hallado != porTexto.end()) {
      ultima = hallado->second;
      ++entradas[ultima].usos;
      return ultima;
    }
    std::uint32_t numero = primeraLibre;
    if (numero == kNinguna) {
      numero = static_cast<std::uint32_t>(entradas.size());
      entradas.emplace_back();
    } else {
      primeraLibre = entradas[numero].siguienteLibre;
    }
    Entrada& entrada = entradas[numero];
    try {
      entrada.texto.assign(nombre);
      porTexto.emplace(entrada.texto, numero);
    } catch (...) {
      Liberar(numero);
      throw;
    }
    entrada.usos = 1;
    ultima = numero;
    return numero;
  }
  void Retener(std::uint32_t numero) {
    if (numero != kVacio) ++entradas[numero].usos;
  }
  // Allocates nothing: records let names go in their destructors.
  void Soltar(std::uint32_t numero) {
    if (numero == kVacio || --entradas[numero].usos > 0) return;
    porTexto.erase(entradas[numero].texto);
    Liberar(numero);
  }
  const std::string& Texto(std::uint32_t numero) const { return entradas[numero].texto; }

  static constexpr std::uint32_t kVacio = 0;  // "", never freed

 private:
  static constexpr std::uint32_t kNinguna = UINT32_MAX;
  struct Entrada {
    std::string texto;
    std::size_t usos = 0;
    std::uint32_t siguienteLibre = kNinguna;
  };
  void Liberar(std::uint32_t numero) {
    std::string().swap(entradas[numero].texto);
    entradas[numero].usos = 0;
    entradas[numero].siguienteLibre = primeraLibre;
    primeraLibre = numero;
  }

  // A deque: Simbolo() hands out references to the texts, and the index's keys view them.
  std::deque<Entrada> entradas{1};
  std::uint32_t primeraLibre = kNinguna;
  std::unordered_map<std::string_view, std::uint32_t> porTexto;
  std::uint32_t ultima = kVacio;
};

// Never destroyed: records in static storage (the process-wide list among them) may outlive
// any other object.
TablaNombres& Nombres() {
  static auto* tabla = new TablaNombres;
  return *tabla;
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

Error::Error(CodigoError codigo, std::string_view simbolo, int linea)
    : linea1(linea), linea2(0), simbolo(Nombres().Tomar(simbolo)), codigo(CodigoValido(codigo)) {}

Error::Error(CodigoError codigo, std::string_view simbolo, int lineaA, int lineaB)
    : linea1(std::min(lineaA, lineaB)),
      linea2(std::max(lineaA, lineaB)),
      simbolo(Nombres().Tomar(simbolo)),
      codigo(CodigoValido(codigo)) {}

Error::Error(const Error& otro) noexcept
    : linea1(otro.linea1), linea2(otro.linea2), simbolo(otro.simbolo), codigo(otro.codigo) {
  Nombres().Retener(simbolo);
}

Error::Error(Error&& otro) noexcept
    : linea1(otro.linea1),
      linea2(otro.linea2),
      simbolo(std::exchange(otro.simbolo, TablaNombres::kVacio)),
      codigo(otro.codigo) {}

Error& Error::operator=(const Error& otro) noexcept {
  Nombres().Retener(otro.simbolo);
  Nombres().Soltar(simbolo);
  linea1 = otro.linea1;
  linea2 = otro.linea2;
  simbolo = otro.simbolo;
  codigo = otro.codigo;
  return *this;
}

Error& Error::operator=(Error&& otro) noexcept {
  if (this != &otro) {
    Nombres().Soltar(simbolo);
    linea1 = otro.linea1;
    linea2 = otro.linea2;
    simbolo = std::exchange(otro.simbolo, TablaNombres::kVacio);
    codigo = otro.codigo;
  }
  return *this;
}

Error::~Error() { Nombres().Soltar(simbolo); }

const std::string& Error::Simbolo() const { return Nombres().Texto(simbolo); }

std::string Error::Mensaje() const {
  const std::string cuerpo = Cuerpo(Codigo(), Simbolo());
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
