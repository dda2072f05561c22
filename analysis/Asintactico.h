// The grammar-file parser: reads a grammar text into a new CGramatica, recording every layout
// and declaration error in listaErrores and recovering after each.
#pragma once

#include <istream>
#include <memory>
#include <string>

#include "Alexico.h"
#include "Errores.h"

class CGramatica;
class CProduccion;

class AnalizadorSintactico {
 public:
  // The new grammar, also when errors were found.
  std::unique_ptr<CGramatica> Analizar(std::istream& entrada);

 private:
  enum class Modo { NoTerminal, Axioma, Antecedente };

  void Avanzar();
  void AnotarError(CodigoError codigo);
  void SaltarLinea();
  void SaltarConjunto();
  // Consumes the token when it is of the kind; otherwise records the error and keeps it.
  bool Tomar(TipoToken tipo, CodigoError codigo);
  // The error for a token out of place among the declarations, and the skip that follows it.
  void RecuperarDeclaracion(bool soloLinea);
  // Waits for the section's keyword; false when the text ends first.
  bool EsperarClave(TipoToken clave, bool soloLinea);

  void ReglaFichero();
  void ReglaRelleno();
  void ReglaSecciones();
  // The state after the first section: the other two are demanded in the order they come.
  void ReglaTras(TipoToken leida);
  void ReglaSeccion(TipoToken clave);
  void ReglaConjunto(TipoToken clave);
  void ReglaAxioma();
  void ReglaMiembros(TipoToken clave);
  void ReglaTerminal();
  void ReglaSimbolo(Modo modo, CProduccion* produccion = nullptr);
  void ReglaProducciones();
  void ReglaSeccionProducciones();
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
