// The printing form: never shown, it composes what the program prints or saves besides the
// grammar itself. The analysis trace goes into a rich text box under its title, to be printed or
// saved as text; the parse table is printed in landscape from the table window's grid, split
// into pages by the grid's column widths.
#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

class QPrinter;
class QTextEdit;
class RejillaTabla;

// One printed page of the table: a run of terminal columns [primeraColumna, finColumnas) beside
// the row-header column, and a run of rows [primeraFila, finFilas) under the header line.
struct PaginaTabla {
  int primeraColumna;
  int finColumnas;
  int primeraFila;
  int finFilas;
};

// The pages of a table whose columns have the minimum widths `anchos` (the row-header column
// first), on pages `anchoUtil` pixels wide that hold `filasPorPagina` rows: a page takes
// columns while they fit (always at least one), and the rows follow in runs below them.
std::vector<PaginaTabla> PaginarTabla(const std::vector<int>& anchos, int filas, int anchoUtil,
                                      int filasPorPagina);

class TFrmImpresion : public QWidget {
  Q_OBJECT

 public:
  // Prints on `impresora`, the printer as the print dialog left it.
  explicit TFrmImpresion(QPrinter& impresora, QWidget* padre = nullptr);

  // Loads the trace into EditImprimir, its first three lines replaced by two empty lines and
  // the title in 16-point type.
  void PrepararTexto(const QStringList& lineas, const QString& titulo);
  // Prints the prepared trace `copias` times as jobs titled "Analisis", 30 dots from each edge.
  // False when the printer refuses the job.
  bool ImprimirTexto(const QStringList& lineas, const QString& titulo, int copias);
  // Writes the prepared trace to `ruta` as Windows-1252 text with CR LF line ends, replacing
  // the file only once the whole text is written. False on any failure.
  bool GuardarTexto(const QStringList& lineas, const QString& titulo, const QString& ruta);
  // Prints the grid in landscape, `copias` complete jobs titled "Tabla"; the printer's
  // orientation is put back afterwards. False when the printer refuses a job.
  bool ImprimirTabla(const RejillaTabla& rejilla, int copias);

 private:
  QPrinter& impresora;
  QTextEdit* EditImprimir;
};
