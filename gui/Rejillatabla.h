// The parse table as texts, the way the table window shows it and the printer prints it: the
// row-header column of non-terminals, one column per terminal, a production's text or "-" in
// each cell, and the minimum width of every column in a given font.
#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <vector>

class CTablaSintactica;

class RejillaTabla {
 public:
  RejillaTabla() = default;
  // Takes the texts of `tabla`; nothing points into the table afterwards.
  explicit RejillaTabla(const CTablaSintactica& tabla);

  // Columns: 0 is the row-header column (empty caption), 1 to n the terminals in table order.
  int NumColumnas() const { return static_cast<int>(cabeceras.size()); }
  int NumFilas() const { return static_cast<int>(filas.size()); }
  const QString& Cabecera(int columna) const { return cabeceras[columna]; }
  // Column 0 holds the row's non-terminal; the others the cell's production, or "-".
  const QString& Texto(int fila, int columna) const;

  // Measures every text in `fuente`: a column's minimum width is its widest text (caption
  // included) plus 16 pixels; a row is as tall as a line of the font plus a little room.
  void Medir(const QFont& fuente);
  const QFont& Fuente() const { return fuente; }
  const std::vector<int>& AnchosMinimos() const { return anchos; }
  int AltoFila() const { return altoFila; }

 private:
  std::vector<QString> cabeceras;
  std::vector<QString> filas;
  std::vector<QString> textos;       // 0 is "-"; then one per production the cells hold
  std::vector<std::int32_t> celdas;  // row by row, one index into `textos` per terminal
  QFont fuente;
  std::vector<int> anchos;
  int altoFila = 0;
};

// The widths of columns laid out across `ancho` pixels: each gets its minimum, and the room left
// over is shared out evenly (the first columns take the odd pixels).
std::vector<int> RepartirAnchos(const std::vector<int>& minimos, int ancho);
