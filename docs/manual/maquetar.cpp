// quindel-manual: lays out the user manual (Markdown) as a PDF with its screenshots.
// Usage: quindel-manual MANUAL.md CARPETA_BASE SALIDA.pdf
// Image paths in the Markdown are taken relative to CARPETA_BASE.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <cstdio>

#include "Maquetacion.h"

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
  CargarManual(documento, QString::fromUtf8(fuente.readAll()));
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
    Paginar(documento, pdf);
    Imprimir(documento, pdf);
  }
  if (!correcto || !salida.commit()) return 1;
  return 0;
}
