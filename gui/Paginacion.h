// Print jobs: pages drawn one by one, the copies and the range of pages chosen in the print
// dialog; and a text document printed on such pages.
#pragma once

#include <QString>
#include <functional>

class QPainter;
class QPrinter;
class QTextDocument;

// Printers work at 96 dots per inch, the unit of the windows' own sizes, so that a size in
// window pixels (the 30-dot margin, a table column) keeps its size on paper on any printer.
inline constexpr int kPuntosPorPulgada = 96;
inline constexpr int kMargenImpresion = 30;

// Draws page `pagina` (from 0) of a printout.
using DibujarPagina = std::function<void(QPainter& pintor, int pagina)>;

// Prints the pages of a printout of `paginas` pages `copias` times, each copy its own job titled
// `titulo`; a printer that writes to a file gets all copies in that one file, since separate jobs
// would overwrite one another. Only the pages within the range chosen in the print dialog are
// printed. False when the printer refuses to start a job.
bool ImprimirPaginas(QPrinter& impresora, const QString& titulo, int copias, int paginas,
                     const DibujarPagina& dibujar);

// Prints `documento` within the page less `margen` printer dots on each side, long lines
// wrapped, each page filled before the next begins.
bool ImprimirDocumento(QPrinter& impresora, const QTextDocument& documento, const QString& titulo,
                       int copias, int margen);

// The name a status line gives the printer: the file it writes to, or the printer's own name.
QString NombreImpresora(const QPrinter& impresora);
