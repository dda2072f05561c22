#include "Tokenslexico.h"

#include <utility>

#include "Codificacion.h"

namespace {

bool GuardaTexto(TipoToken tipo) { return tipo == tkIdentificador || tipo == tkOtro; }

// The fixed names, indexed by kind; identifiers and tkOtro show their own text instead.
const std::string& NombreFijo(TipoToken tipo) {
  static const std::string nombres[] = {
      "Terminales",
      "NoTerminales",
      "Axioma",
      "Producciones",
      "=",
      "{",
      "}",
      "->",
      "",
      "",
      "comentario",
      "fin de línea"_cp1252,
      "fin de fichero",
      "lambda",
      "0",
  };
  return nombres[tipo <= tkNinguno ? tipo : tkNinguno];
}

}  // namespace

TokenLexico::TokenLexico() : tipo(tkNinguno) {}

TokenLexico::TokenLexico(TipoToken tipo) : tipo(tipo) {}

TokenLexico::TokenLexico(TipoToken tipo, std::string texto)
    : tipo(tipo), texto(GuardaTexto(tipo) ? std::move(texto) : std::string()) {}

const std::string& TokenLexico::Nombre() const {
  return GuardaTexto(tipo) ? texto : NombreFijo(tipo);
}
