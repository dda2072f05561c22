#include "Paginacion.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

namespace {

// The pages (from 0) the print dialog asked for: all, or those of its range.
std::pair<int, int> PaginasElegidas(const QPrinter& impresora, int paginas) {
  if (impresora.printRange() != QPrinter::PageRange || impresora.fromPage() < 1)
    return {0, paginas};
  const int hasta = impresora.toPage() < 1 ? paginas : std::min(paginas, impresora.toPage());
  return {impresora.fromPage() - 1, hasta};
}

}  // namespace

bool ImprimirPaginas(QPrinter& impresora, const QString& titulo, int copias, int paginas,
                     const DibujarPagina& dibujar) {
  const auto [desde, hasta] = PaginasElegidas(impresora, paginas);
  if (desde >= hasta) return true;
  const bool aFichero = !impresora.outputFileName().isEmpty();
  const int trabajos = aFichero ? 1 : copias;
  const int copiasPorTrabajo = aFichero ? copias : 1;
  const int copiasElegidas = impresora.copyCount();
  // The copies are made here; a printer that also made them would multiply them.
  impresora.setCopyCount(1);
  impresora.setDocName(titulo);
  bool correcto = true;
  for (int trabajo = 0; trabajo < trabajos && correcto; ++trabajo) {
    QPainter pintor;
    correcto = pintor.begin(&impresora);
    if (!correcto) break;
    bool primera = true;
    for (int copia = 0; copia < copiasPorTrabajo; ++copia) {
      for (int pagina = desde; pagina < hasta; ++pagina) {
        if (!primera) impresora.newPage();
        primera = false;
        pintor.save();
        dibujar(pintor, pagina);
        pintor.restore();
      }
    }
    correcto = pintor.end();
  }
  impresora.setCopyCount(copiasElegidas);
  return correcto;
}

bool ImprimirDocumento(QPrinter& impresora, const QTextDocument& original, const QString& titulo,
                       int copias, int margen) {
  impresora.setResolution(kPuntosPorPulgada);
  std::unique_ptr<QTextDocument> documento(original.clone());
  documento->documentLayout()->setPaintDevice(&impresora);
  documento->setDocumentMargin(0);
  QTextOption opcion = documento->defaultTextOption();
  opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  documento->setDefaultTextOption(opcion);
  const QRectF area(margen, margen, impresora.width() - 2 * margen,
                    impresora.height() - 2 * margen);
  documento->setPageSize(area.size());
  return ImprimirPaginas(
      impresora, titulo, copias, documento->pageCount(), [&](QPainter& pintor, int pagina) {
        const QRectF visible(0, pagina * area.height(), area.width(), area.height());
        pintor.translate(area.left(), area.top() - visible.top());
        documento->drawContents(&pintor, visible);
      });
}

QString NombreImpresora(const QPrinter& impresora) {
  return impresora.outputFileName().isEmpty() ? impresora.printerName()
                                              : impresora.outputFileName();
}
