// Error records (code, symbol, one or two lines) with their Spanish messages, and the one
// process-wide list of the errors of the last analysis.
#pragma once

#include <string>
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

class Error {
 public:
  // A code outside the enumeration is stored as NoEspecificado.
  Error(CodigoError codigo, std::string simbolo, int linea);
  // Two lines, stored in ascending order.
  Error(CodigoError codigo, std::string simbolo, int lineaA, int lineaB);

  // "Línea n: ..." or "Líneas a y b: ...", in Windows-1252.
  std::string Mensaje() const;
  void Lineas(int& primera, int& segunda) const;

  CodigoError Codigo() const { return codigo; }
  const std::string& Simbolo() const { return simbolo; }
  int Linea1() const { return linea1; }
  int Linea2() const { return linea2; }

 private:
  CodigoError codigo;
  std::string simbolo;
  int linea1;
  int linea2;
};

class ListaErrores {
 public:
  void Vaciar() { errores.clear(); }
  void Agregar(const Error& error) { errores.push_back(error); }
  int NumErrores() const { return static_cast<int>(errores.size()); }
  // Throws std::out_of_range("vector") for a missing index.
  Error Obtener(int indice) const;
  const std::vector<Error>& Errores() const { return errores; }

 private:
  std::vector<Error> errores;
};

extern ListaErrores listaErrores;
