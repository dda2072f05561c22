// quindel-manual: lays out the user manual (Markdown) as a PDF with its screenshots.
// Usage: quindel-manual MANUAL.md CARPETA_BASE SALIDA.pdf
// Image paths in the Markdown are taken relative to CARPETA_BASE.
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QSaveFile>
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

// Each chapter starts a page; code is set in a monospaced face, blocks of it on a light
// ground; screenshots are loaded and kept within the text width; tables get thin rules.
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
    tabla->setFormat(formato);
  }
  return correcto;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication aplicacion(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "uso: quindel-manual MANUAL.md CARPETA_BASE SALIDA.pdf\n");
    return 2;
  }
  QFile fuente(QString::fromLocal8Bit(argv[1]));
  if (!fuente.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "quindel-manual: no se puede leer %s\n", argv[1]);
    return 1;
  }
  QTextDocument documento;
  documento.setDefaultFont(Fuente("DejaVu Sans", kPuntosTexto));
  documento.setMarkdown(QString::fromUtf8(fuente.readAll()), QTextDocument::MarkdownDialectGitHub);
  const bool correcto = DarFormato(documento, QDir(QString::fromLocal8Bit(argv[2])));

  // The PDF replaces the old one only when it is complete.
  QSaveFile salida(QString::fromLocal8Bit(argv[3]));
  if (!salida.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "quindel-manual: no se puede escribir %s\n", argv[3]);
    return 1;
  }
  {
    QPdfWriter pdf(&salida);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(300);
    pdf.setTitle("Quindel(1): manual de usuario");
    pdf.setCreator("Quindel(1)");
    documento.print(&pdf);
  }
  if (!correcto || !salida.commit()) return 1;
  return 0;
}
