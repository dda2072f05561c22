// The scanner: turns the Windows-1252 bytes of a grammar text into tokens and counts lines.
// It never reports errors; runs of characters that form no token become tkOtro tokens.
#pragma once

#include <istream>

#include "Tokenslexico.h"

class AnalizadorLexico {
 public:
  // Reads the first character at once; the stream must outlive the scanner.
  explicit AnalizadorLexico(std::istream& entrada);

  TokenLexico SiguienteToken();
  // The current line, 1-based; already the next line while a tkFinLinea is current.
  int Linea() const { return linea; }

 private:
  char LeerCaracter();
  void Avanzar() { caracter = LeerCaracter(); }
  std::string LeerResto(std::string prefijo);

  std::streambuf* entrada;
  char caracter = 0;  // 0 stands for the end of the text (also a NUL byte in it)
  bool finAlcanzado = false;
  int linea = 1;
};
