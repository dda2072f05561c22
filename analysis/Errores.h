// Error records (code, symbol, one or two lines) with their Spanish messages, and the one
// process-wide list of the errors of the last analysis.
#pragma once

#include <string>
#include <vector>

class Error {
 public:
  // A code outside 0..31 is stored as 0.
  Error(int codigo, std::string simbolo, int linea);
  // Two lines, stored in ascending order.
  Error(int codigo, std::string simbolo, int lineaA, int lineaB);

  // "Línea n: ..." or "Líneas a y b: ...", in Windows-1252.
  std::string Mensaje() const;
  void Lineas(int& primera, int& segunda) const;

  int Codigo() const { return codigo; }
  const std::string& Simbolo() const { return simbolo; }
  int Linea1() const { return linea1; }
  int Linea2() const { return linea2; }

 private:
  int codigo;
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

 private:
  std::vector<Error> errores;
};

extern ListaErrores listaErrores;
