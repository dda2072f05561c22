// Tokens of the grammar language: their fifteen kinds and their printable names.
#pragma once

#include <cstdint>
#include <string>

enum TipoToken : std::uint8_t {
  tkTerminales = 0,
  tkNoTerminales = 1,
  tkAxioma = 2,
  tkProducciones = 3,
  tkIgual = 4,
  tkAbreLlave = 5,
  tkCierraLlave = 6,
  tkFlecha = 7,
  tkIdentificador = 8,
  tkOtro = 9,
  tkComentario = 10,
  tkFinLinea = 11,
  tkFinFichero = 12,
  tkLambda = 13,
  tkNinguno = 14,
};

class TokenLexico {
 public:
  TokenLexico();
  explicit TokenLexico(TipoToken tipo);
  // The text is kept only for identifiers and tkOtro tokens.
  TokenLexico(TipoToken tipo, std::string texto);

  TipoToken Tipo() const { return tipo; }
  // The name error messages show: the token's own text, or the kind's fixed name.
  const std::string& Nombre() const;

 private:
  TipoToken tipo;
  std::string texto;
};
