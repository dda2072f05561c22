#include "Impresion.h"

#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

#include "Ficherogramatica.h"
#include "Mostraranalisis.h"
#include "Paginacion.h"
#include "Rejillatabla.h"
#include "Texto1252.h"

namespace {

constexpr int kPuntosTitulo = 16;
constexpr int kPuntosTexto = 8;
// Where a table page starts on the paper, and the room kept below its last row.
constexpr int kIzquierdaTabla = 20;
constexpr int kArribaTabla = 10;
constexpr int kMargenesTabla = 40;
// Text inside a cell keeps off the grid line.
constexpr int kSangria = 6;

void DibujarCelda(QPainter& pintor, const QRect& celda, const QString& texto,
                  Qt::Alignment alineacion) {
  pintor.drawRect(celda);
  pintor.drawText(celda.adjusted(kSangria, 0, -kSangria, 0), alineacion | Qt::AlignVCenter, texto);
}

void DibujarPaginaTabla(QPainter& pintor, const RejillaTabla& rejilla, const PaginaTabla& pagina,
                        int anchoUtil) {
  std::vector<int> minimos{rejilla.AnchosMinimos()[0]};
  for (int c = pagina.primeraColumna; c < pagina.finColumnas; ++c)
    minimos.push_back(rejilla.AnchosMinimos()[c]);
  const std::vector<int> anchos = RepartirAnchos(minimos, anchoUtil);
  const int alto = rejilla.AltoFila();
  pintor.setFont(rejilla.Fuente());
  pintor.setPen(QPen(Qt::black, 0));
  // The header line, then the rows; the row-header column comes first on every page.
  for (int linea = 0; linea <= pagina.finFilas - pagina.primeraFila; ++linea) {
    const int fila = pagina.primeraFila + linea - 1;
    const int y = kArribaTabla + linea * alto;
    int x = kIzquierdaTabla;
    for (std::size_t i = 0; i < anchos.size(); ++i) {
      const int columna = i == 0 ? 0 : pagina.primeraColumna + static_cast<int>(i) - 1;
      const QString& texto = linea == 0 ? rejilla.Cabecera(columna) : rejilla.Texto(fila, columna);
      DibujarCelda(pintor, QRect(x, y, anchos[i], alto), texto,
                   i == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
      x += anchos[i];
    }
  }
}

}  // namespace

std::vector<PaginaTabla> PaginarTabla(const std::vector<int>& anchos, int filas, int anchoUtil,
                                      int filasPorPagina) {
  std::vector<PaginaTabla> paginas;
  const int columnas = static_cast<int>(anchos.size());
  filasPorPagina = std::max(1, filasPorPagina);
  for (int i = 1; i < columnas;) {
    const int primera = i;
    int usado = anchos[0];
    do usado += anchos[i++];
    while (i < columnas && usado + anchos[i] <= anchoUtil);
    for (int fila = 0; fila < filas; fila += filasPorPagina)
      paginas.push_back({primera, i, fila, std::min(filas, fila + filasPorPagina)});
  }
  return paginas;
}

TFrmImpresion::TFrmImpresion(QPrinter& impresora, QWidget* padre)
    : QWidget(padre, Qt::Window), impresora(impresora) {
  setObjectName("FrmImpresion");
  setWindowTitle("FrmImpresion");
  EditImprimir = new QTextEdit(this);
  EditImprimir->setObjectName("EditImprimir");
  EditImprimir->setAcceptRichText(false);
  QFont fuente = font();
  fuente.setPointSize(kPuntosTexto);
  EditImprimir->setFont(fuente);
}

void TFrmImpresion::PrepararTexto(const QStringList& lineas, const QString& titulo) {
  QStringList texto = lineas;
  for (int i = 0; i < std::min<qsizetype>(3, texto.size()); ++i)
    texto[i] = i == 2 ? titulo : QString();
  EditImprimir->setPlainText(texto.join('\n'));
  const QTextBlock bloqueTitulo = EditImprimir->document()->findBlockByNumber(2);
  if (texto.size() < 3 || !bloqueTitulo.isValid()) return;
  QTextCursor cursor(bloqueTitulo);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  QTextCharFormat formato;
  formato.setFontPointSize(kPuntosTitulo);
  cursor.mergeCharFormat(formato);
}

bool TFrmImpresion::ImprimirTexto(const QStringList& lineas, const QString& titulo, int copias) {
  PrepararTexto(lineas, titulo);
  return ImprimirDocumento(impresora, *EditImprimir->document(), "Analisis", copias,
                           kMargenImpresion);
}

bool TFrmImpresion::GuardarTexto(const QStringList& lineas, const QString& titulo,
                                 const QString& ruta) {
  // The saved text is the prepared one; the analysis unit composes it, byte for byte the same
  // as the command-line tool writes.
  std::vector<std::string> bytes;
  bytes.reserve(static_cast<std::size_t>(lineas.size()));
  for (const QString& linea : lineas) bytes.push_back(ACp1252(linea));
  const std::string texto = TextoGuardadoAnalisis(bytes, ACp1252(titulo));
  return EscribirFichero(ruta, QByteArray::fromStdString(texto));
}

bool TFrmImpresion::ImprimirTabla(const RejillaTabla& rejilla, int copias) {
  const QPageLayout::Orientation orientacion = impresora.pageLayout().orientation();
  impresora.setPageOrientation(QPageLayout::Landscape);
  impresora.setResolution(kPuntosPorPulgada);
  const int anchoUtil = impresora.width() - kMargenesTabla;
  const int filasPorPagina =
      (impresora.height() - 2 * kArribaTabla) / std::max(1, rejilla.AltoFila()) - 1;
  const std::vector<PaginaTabla> paginas =
      PaginarTabla(rejilla.AnchosMinimos(), rejilla.NumFilas(), anchoUtil, filasPorPagina);
  const bool correcto =
      ImprimirPaginas(impresora, "Tabla", copias, static_cast<int>(paginas.size()),
                      [&](QPainter& pintor, int pagina) {
                        DibujarPaginaTabla(pintor, rejilla, paginas[pagina], anchoUtil);
                      });
  impresora.setPageOrientation(orientacion);
  return correcto;
}
