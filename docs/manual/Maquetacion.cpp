#include "Maquetacion.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>
#include <vector>

namespace {

constexpr qreal kPuntosTexto = 10;
constexpr qreal kPuntosCodigo = 8.5;
// Text width of an A4 page with 2 cm margins, in the document's pixels (96 per inch), and
// the share of it a screenshot may take at most.
constexpr qreal kAnchoTexto = (210.0 - 40.0) / 25.4 * 96.0;
constexpr qreal kAnchoCaptura = 0.9 * kAnchoTexto;
// The 2 cm page margins in document pixels, as QTextDocument::print gives them.
constexpr qreal kMargen = static_cast<int>(2 / 2.54 * 96);

QFont Fuente(const QString& familia, qreal puntos) {
  QFont fuente(familia);
  fuente.setPointSizeF(puntos);
  return fuente;
}

bool EsCodigo(const QTextBlock& bloque) {
  return bloque.blockFormat().hasProperty(QTextFormat::BlockCodeFence) ||
         bloque.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage);
}

struct Cambio {
  int inicio;
  int largo;
  QTextCharFormat formato;
};

}  // namespace

void CargarManual(QTextDocument& documento, const QString& markdown) {
  documento.setDefaultFont(Fuente("DejaVu Sans", kPuntosTexto));
  documento.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
}

bool DarFormato(QTextDocument& documento, const QDir& base) {
  bool correcto = true;
  const QFont monoespaciada = Fuente("DejaVu Sans Mono", kPuntosCodigo);
  QTextCharFormat codigo;
  codigo.setFont(monoespaciada, QTextCharFormat::FontPropertiesSpecifiedOnly);
  std::vector<Cambio> cambios;
  bool primerCapitulo = true;
  for (QTextBlock bloque = documento.begin(); bloque.isValid(); bloque = bloque.next()) {
    QTextCursor cursor(bloque);
    QTextBlockFormat formatoBloque = bloque.blockFormat();
    if (formatoBloque.headingLevel() == 1 && !primerCapitulo) {
      formatoBloque.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      cursor.setBlockFormat(formatoBloque);
    }
    if (formatoBloque.headingLevel() == 1) primerCapitulo = false;
    if (formatoBloque.headingLevel() > 1) {
      // Sections stand apart from what comes before them.
      formatoBloque.setTopMargin(formatoBloque.headingLevel() == 2 ? 14 : 8);
      cursor.setBlockFormat(formatoBloque);
    }
    if (EsCodigo(bloque)) {
      formatoBloque.setBackground(QColor(242, 242, 242));
      cursor.setBlockFormat(formatoBloque);
      cambios.push_back({bloque.position(), bloque.length() - 1, codigo});
      continue;
    }
    for (auto trozo = bloque.begin(); !trozo.atEnd(); ++trozo) {
      const QTextFragment fragmento = trozo.fragment();
      const QTextCharFormat formato = fragmento.charFormat();
      if (formato.isImageFormat()) {
        QTextImageFormat imagen = formato.toImageFormat();
        const QImage captura(base.filePath(imagen.name()));
        if (captura.isNull()) {
          std::fprintf(stderr, "quindel-manual: no se puede leer la imagen %s\n",
                       qPrintable(base.filePath(imagen.name())));
          correcto = false;
          continue;
        }
        documento.addResource(QTextDocument::ImageResource, QUrl(imagen.name()), captura);
        const qreal escala = std::min<qreal>(1.0, kAnchoCaptura / captura.width());
        imagen.setWidth(captura.width() * escala);
        imagen.setHeight(captura.height() * escala);
        cambios.push_back({fragmento.position(), fragmento.length(), imagen});
      } else if (formato.fontFixedPitch()) {
        cambios.push_back({fragmento.position(), fragmento.length(), codigo});
      }
    }
  }
  for (const Cambio& cambio : cambios) {
    QTextCursor cursor(&documento);
    cursor.setPosition(cambio.inicio);
    cursor.setPosition(cambio.inicio + cambio.largo, QTextCursor::KeepAnchor);
    if (cambio.formato.isImageFormat())
      cursor.setCharFormat(cambio.formato);
    else
      cursor.mergeCharFormat(cambio.formato);
  }
  for (QTextFrame* marco : documento.rootFrame()->childFrames()) {
    auto* tabla = qobject_cast<QTextTable*>(marco);
    if (!tabla) continue;
    QTextTableFormat formato = tabla->format();
    formato.setBorder(1);
    formato.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    formato.setBorderBrush(QColor(160, 160, 160));
    formato.setBorderCollapse(true);
    formato.setCellPadding(3);
    formato.setCellSpacing(0);
    formato.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    // The header row goes to the next page with the first rows, and heads each page after.
    formato.setHeaderRowCount(1);
    tabla->setFormat(formato);
  }
  return correcto;
}

// A line that does not fit at the foot of a page is moved down inside its block, which keeps
// its place: the first line tells.
int Pagina(const QTextDocument& documento, const QTextBlock& bloque) {
  qreal arriba = documento.documentLayout()->blockBoundingRect(bloque).top();
  if (bloque.layout()->lineCount() > 0) arriba += bloque.layout()->lineAt(0).y();
  return static_cast<int>(arriba / documento.pageSize().height());
}

namespace {

// The lines of a block, which is laid out when asked for its place.
int Lineas(const QTextDocument& documento, const QTextBlock& bloque) {
  documento.documentLayout()->blockBoundingRect(bloque);
  return bloque.layout()->lineCount();
}

bool AbrePagina(const QTextDocument& documento, const QTextBlock& bloque) {
  return !bloque.previous().isValid() ||
         Pagina(documento, bloque.previous()) < Pagina(documento, bloque);
}

// A heading stays with what it introduces: the next block that is not a heading or, when that
// one is a single line (an introduction), the block after it. The heading to move, if any.
QTextBlock TituloSolo(const QTextDocument& documento, const QTextBlock& titulo) {
  QTextBlock contenido = titulo.next();
  while (contenido.isValid() && contenido.blockFormat().headingLevel() > 0)
    contenido = contenido.next();
  if (contenido.isValid() && Lineas(documento, contenido) == 1 &&
      !QTextCursor(contenido).currentTable() && contenido.next().isValid())
    contenido = contenido.next();
  if (!contenido.isValid() || Pagina(documento, contenido) == Pagina(documento, titulo)) return {};
  return titulo;
}

// A block of code (one line per text block) of up to eight lines is not split by a page; a
// longer one keeps at least three lines on each side. The line to move to the next page, if
// any.
QTextBlock CodigoPartido(const QTextDocument& documento, const QTextBlock& primera) {
  constexpr int kJunto = 8;
  constexpr int kMinimo = 3;
  std::vector<QTextBlock> lineas;
  for (QTextBlock b = primera; b.isValid() && EsCodigo(b); b = b.next()) lineas.push_back(b);
  const int total = static_cast<int>(lineas.size());
  const int pagina = Pagina(documento, primera);
  int antes = 0;  // the lines on the first page
  while (antes < total && Pagina(documento, lineas[antes]) == pagina) ++antes;
  if (antes == total) return {};
  if (total <= kJunto || antes < kMinimo) return primera;
  const int despues = total - antes;
  if (despues >= kMinimo) return {};
  return antes - (kMinimo - despues) >= kMinimo ? lineas[total - kMinimo] : primera;
}

bool EsTitulo(const QTextBlock& bloque) {
  return bloque.isValid() && bloque.blockFormat().headingLevel() > 0 &&
         !QTextCursor(bloque).currentTable();
}

// A block goes to the next page with the heading above it, and with the one-line introduction
// right under that heading.
QTextBlock ConSuTitulo(const QTextDocument& documento, QTextBlock bloque) {
  for (QTextBlock anterior = bloque.previous(); anterior.isValid(); anterior = bloque.previous()) {
    const bool entradilla = !EsCodigo(anterior) && !QTextCursor(anterior).currentTable() &&
                            Lineas(documento, anterior) == 1 && EsTitulo(anterior.previous());
    if (!EsTitulo(anterior) && !entradilla) break;
    bloque = anterior;
  }
  return bloque;
}

// The first block that the layout leaves alone at a page's edge and that must start the next
// page instead, or an invalid block.
QTextBlock Corte(const QTextDocument& documento) {
  for (QTextBlock bloque = documento.begin(); bloque.isValid(); bloque = bloque.next()) {
    QTextBlock corte;
    if (EsTitulo(bloque))
      corte = TituloSolo(documento, bloque);
    else if (EsCodigo(bloque) && !EsCodigo(bloque.previous()))
      corte = CodigoPartido(documento, bloque);
    if (corte.isValid()) corte = ConSuTitulo(documento, corte);
    if (corte.isValid() && !AbrePagina(documento, corte)) return corte;
  }
  return {};
}

// Breaks the page before each block Corte finds until it finds none. A block that opens its
// page is never chosen, so each is chosen once at most.
void Juntar(QTextDocument& documento) {
  for (QTextBlock corte = Corte(documento); corte.isValid(); corte = Corte(documento)) {
    QTextBlockFormat formato = corte.blockFormat();
    formato.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(corte).setBlockFormat(formato);
    // A change is laid out again only piecemeal: what follows would keep its old place.
    documento.markContentsDirty(0, documento.characterCount());
  }
}

}  // namespace

void Paginar(QTextDocument& documento, QPdfWriter& pdf) {
  // The pages as QTextDocument::print lays them out on the writer: its paintable area in
  // device pixels, 2 cm margins in document pixels.
  documento.documentLayout()->setPaintDevice(&pdf);
  QTextFrameFormat marco = documento.rootFrame()->frameFormat();
  marco.setMargin(kMargen);
  documento.rootFrame()->setFrameFormat(marco);
  documento.setPageSize(QSizeF(pdf.width(), pdf.height()));
  Juntar(documento);
}

void Imprimir(QTextDocument& documento, QPdfWriter& pdf) {
  const QSizeF pagina = documento.pageSize();
  QPainter pintor(&pdf);
  const QFont fuente = documento.defaultFont();
  const QFontMetrics medidas(fuente, &pdf);
  const qreal margen = kMargen * pdf.logicalDpiY() / 96.0;  // document pixels are 96 per inch
  const QPointF numero(pagina.width() - margen,
                       pagina.height() - margen + medidas.ascent() + 5 * pdf.logicalDpiY() / 72.0);
  for (int i = 0; i < documento.pageCount(); ++i) {
    if (i > 0) pdf.newPage();
    const QRectF vista(0, i * pagina.height(), pagina.width(), pagina.height());
    pintor.save();
    pintor.translate(0, -vista.top());
    pintor.setClipRect(vista);
    QAbstractTextDocumentLayout::PaintContext contexto;
    contexto.clip = vista;
    contexto.palette.setColor(QPalette::Text, Qt::black);
    documento.documentLayout()->draw(&pintor, contexto);
    pintor.restore();
    pintor.setFont(fuente);
    const QString texto = QString::number(i + 1);
    pintor.drawText(
        QPointF(qRound(numero.x() - medidas.horizontalAdvance(texto)), qRound(numero.y())), texto);
  }
}
