// The grammar-file parser: reads a grammar text into a new CGramatica, recording every layout
// and declaration error in listaErrores and recovering after each.
#pragma once

#include <istream>
#include <memory>
#include <string>

#include "Alexico.h"

class CGramatica;
class CProduccion;

class AnalizadorSintactico {
 public:
  // The new grammar, also when errors were found.
  std::unique_ptr<CGramatica> Analizar(std::istream& entrada);

 private:
  enum class Modo { NoTerminal, Axioma, Antecedente };

  void Avanzar();
  void AnotarError(int codigo);
  void SaltarLinea();
  void SaltarConjunto();

  void ReglaFichero();
  void ReglaRelleno();
  void ReglaSecciones();
  void ReglaTrasTerminales();
  void ReglaTrasNoTerminales();
  void ReglaTrasAxioma();
  void ReglaTerminales();
  void ReglaNoTerminales();
  void ReglaAxioma();
  void ReglaListaTerminales();
  void ReglaListaNoTerminales();
  void ReglaTerminal();
  void ReglaSimbolo(Modo modo, CProduccion* produccion = nullptr);
  void ReglaProducciones();
  void ReglaListaProducciones();
  void ReglaProduccion();
  void ReglaConsecuente(CProduccion& produccion);
  void ReglaSimboloConsecuente(CProduccion& produccion);
  void ReglaFinProduccion();
  void ReglaFinal();

  TokenLexico token;
  std::unique_ptr<AnalizadorLexico> lexico;
  std::unique_ptr<CGramatica> gramatica;
  std::string nombreAxioma;
  int lineaAxioma = 0;
};
