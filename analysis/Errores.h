// Error records (code, symbol, one or two lines) with their Spanish messages, and the one
// process-wide list of the errors of the last analysis.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The codes of the error records, named after their messages; the values are the numbers the
// JSON report gives.
enum class CodigoError : int {
  NoEspecificado = 0,
  SeEsperabaConjunto = 1,
  FinFicheroInesperado = 2,
  TerminalesYaDefinidos = 3,
  NoTerminalesYaDefinidos = 4,
  AxiomaYaDefinido = 5,
  ProduccionesYaDefinidas = 6,
  NoSeEsperabaMas = 7,
  ProduccionesAntesDeConjuntos = 8,
  ConjuntoVacio = 9,
  ComentarioMalColocado = 10,
  LambdaComoIdentificador = 11,
  NoTerminalIncorrecto = 12,
  SeEsperabaProducciones = 13,
  AntecedenteDebeSerNoTerminal = 14,
  FinLineaInesperado = 15,
  LambdaNoUnico = 16,
  SeEsperabaIgual = 17,
  SeEsperabaAbreLlave = 18,
  SeEsperabaCierraLlave = 19,
  SeEsperabaSaltoLinea = 20,
  SeEsperabaFlecha = 21,
  IdentificadorRedefinido = 22,
  AxiomaNoDefinido = 23,
  AntecedenteNoDefinido = 24,
  SimboloNoDefinido = 25,
  SinProducciones = 26,
  RecursividadIzquierda = 27,
  AfectadaPorRecursividad = 28,
  FirstCompartido = 29,
  DosProduccionesAnulables = 30,
  EnFirstYFollow = 31,
};

// Codes before this one come from reading the text; the LL(1) analysis, which runs only on a
// text read without errors, records this one and those after it.
inline constexpr CodigoError kPrimerCodigoLL1 = CodigoError::SinProducciones;

// A record is sixteen bytes: its message is made only when asked for, and its symbol is a number
// in a table of names that the records share, so that the millions of records of a grammar
// full of conflicts hold no text of their own. Records, like the list, belong to the one
// thread that analyses: the table of names is not locked.
class Error {
 public:
  // A code outside the enumeration is stored as NoEspecificado.
  Error(CodigoError codigo, std::string_view simbolo, int linea);
  // Two lines, stored in ascending order.
  Error(CodigoError codigo, std::string_view simbolo, int lineaA, int lineaB);
  Error(const Error& otro) noexcept;
  Error(Error&& otro) noexcept;
  Error& operator=(const Error& otro) noexcept;
  Error& operator=(Error&& otro) noexcept;
  ~Error();

  // "Línea n: ..." or "Líneas a y b: ...", in Windows-1252.
  std::string Mensaje() const;
  void Lineas(int& primera, int& segunda) const;

  CodigoError Codigo() const { return static_cast<CodigoError>(codigo); }
  const std::string& Simbolo() const;
  int Linea1() const { return linea1; }
  int Linea2() const { return linea2; }

 private:
  int linea1;
  int linea2;
  std::uint32_t simbolo;  // in the table of names; a record moved from names ""
  std::uint8_t codigo;
};

class ListaErrores {
 public:
  // Gives the records' memory back too: a list of millions need not stay that large.
  void Vaciar() { std::vector<Error>().swap(errores); }
  void Agregar(const Error& error) { errores.push_back(error); }
  int NumErrores() const { return static_cast<int>(errores.size()); }
  // Throws std::out_of_range("vector") for a missing index.
  Error Obtener(int indice) const;
  const std::vector<Error>& Errores() const { return errores; }
  // Hands the records over and leaves the list empty.
  std::vector<Error> Entregar() { return std::exchange(errores, {}); }

 private:
  std::vector<Error> errores;
};

extern ListaErrores listaErrores;
