#include "Paginacion.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

namespace {

void ImprimirPaginas(QPainter& pintor, QPrinter& impresora, QTextDocument& documento,
                     const QRectF& area, bool& primera) {
  for (int pagina = 0; pagina < documento.pageCount(); ++pagina) {
    if (!primera) impresora.newPage();
    primera = false;
    const QRectF visible(0, pagina * area.height(), area.width(), area.height());
    pintor.save();
    pintor.translate(area.left(), area.top() - visible.top());
    documento.drawContents(&pintor, visible);
    pintor.restore();
  }
}

}  // namespace

bool ImprimirDocumento(QPrinter& impresora, const QTextDocument& original, const QString& titulo,
                       int copias, int margen) {
  std::unique_ptr<QTextDocument> documento(original.clone());
  documento->documentLayout()->setPaintDevice(&impresora);
  documento->setDocumentMargin(0);
  QTextOption opcion = documento->defaultTextOption();
  opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  documento->setDefaultTextOption(opcion);
  const QRectF area(margen, margen, impresora.width() - 2 * margen,
                    impresora.height() - 2 * margen);
  documento->setPageSize(area.size());

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
    for (int copia = 0; copia < copiasPorTrabajo; ++copia)
      ImprimirPaginas(pintor, impresora, *documento, area, primera);
    correcto = pintor.end();
  }
  impresora.setCopyCount(copiasElegidas);
  return correcto;
}

QString NombreImpresora(const QPrinter& impresora) {
  return impresora.outputFileName().isEmpty() ? impresora.printerName()
                                              : impresora.outputFileName();
}
