// Printing a text document on pages: within the page less a margin, with long lines wrapped and
// each page filled before the next begins.
#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

// Prints `documento` `copias` times, each copy its own job titled `titulo`; a printer that writes
// to a file gets all copies in that one file, since separate jobs would overwrite one another.
// `margen` is in printer dots on each side of the printable area. False when the printer
// refuses to start a job.
bool ImprimirDocumento(QPrinter& impresora, const QTextDocument& documento, const QString& titulo,
                       int copias, int margen);

// The name a status line gives the printer: the file it writes to, or the printer's own name.
QString NombreImpresora(const QPrinter& impresora);
