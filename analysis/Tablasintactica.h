// The LL(1) parse table: rows of non-terminals, columns of terminals, one production or none
// per cell, all pointing into the grammar it was built from; and its HTML page.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class CSimbolo;
class CSimboloNoTerminal;
class CProduccion;

class CTablaSintactica {
 public:
  void AgregarColumna(CSimbolo* terminal);
  void AgregarFila(CSimboloNoTerminal* noTerminal);
  // Room for that many rows of the current columns, so that adding them moves nothing.
  void ReservarFilas(unsigned numero);
  // Null past the last column or row.
  CSimbolo* Columna(unsigned indice) const;
  CSimboloNoTerminal* Fila(unsigned indice) const;
  // No bounds checks: both indices must be in range, and `produccion` is the position of the
  // production among those of the row's non-terminal.
  void PonerCelda(unsigned fila, unsigned columna, std::size_t produccion);
  CProduccion* Celda(unsigned fila, unsigned columna) const;

  unsigned NumFilas() const { return static_cast<unsigned>(filas.size()); }
  unsigned NumColumnas() const { return static_cast<unsigned>(columnas.size()); }

  // The HTML 4.01 page of the table, Windows-1252, every line ended by CR LF.
  void EscribirHTML(std::ostream& salida, const std::string& titulo) const;

 private:
  std::vector<CSimboloNoTerminal*> filas;
  std::vector<CSimbolo*> columnas;
  // Row by row, one entry per column: 0 for none, or 1 + the production's position in its
  // row. Half the size of a pointer, on tables of hundreds of thousands of rows.
  std::vector<std::uint32_t> celdas;
};
