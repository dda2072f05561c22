// The manual's pages: wherever the foot of a page falls, a heading stays with what it
// introduces, a table's header with its first row, and a short block of code stays whole.
#include "Maquetacion.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {

// `relleno` one-line paragraphs push down a heading with a one-line introduction and a table,
// then a heading over six lines of code.
QString Manual(int relleno) {
  QString texto;
  for (int i = 0; i < relleno; ++i) texto += QString("Párrafo de relleno %1.\n\n").arg(i);
  return texto +
         "## Menú Archivo\n\nSus órdenes:\n\n| Orden | Atajo |\n|---|---|\n| Nuevo | Ctrl+N |\n"
         "| Abrir... | Ctrl+A |\n\n## Un ejemplo\n\n```\nuno\ndos\ntres\ncuatro\ncinco\nseis\n```"
         "\n\nFin.\n";
}

QTextBlock Bloque(const QTextDocument& documento, const QString& texto) {
  for (QTextBlock b = documento.begin(); b.isValid(); b = b.next())
    if (b.text() == texto) return b;
  return {};
}

}  // namespace

TEST(Maquetacion, footOfThePage_nothingLeftAlone) {
  int partidas = 0;  // the cases where a page does fall inside the table or the code
  for (int relleno = 40; relleno < 110; ++relleno) {
    SCOPED_TRACE(relleno);
    QTextDocument documento;
    CargarManual(documento, Manual(relleno));
    ASSERT_TRUE(DarFormato(documento, QDir()));
    QBuffer destino;
    destino.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&destino);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(300);
    Paginar(documento, pdf);

    const int titulo = Pagina(documento, Bloque(documento, "Menú Archivo"));
    const QTextBlock cabecera = Bloque(documento, "Orden");
    const QTextTable* tabla = QTextCursor(cabecera).currentTable();
    ASSERT_TRUE(tabla);
    EXPECT_EQ(Pagina(documento, Bloque(documento, "Sus órdenes:")), titulo);
    EXPECT_EQ(Pagina(documento, cabecera), titulo);
    EXPECT_EQ(Pagina(documento, tabla->cellAt(1, 0).firstCursorPosition().block()), titulo);
    partidas += Pagina(documento, tabla->cellAt(2, 0).firstCursorPosition().block()) > titulo;

    const int ejemplo = Pagina(documento, Bloque(documento, "Un ejemplo"));
    for (const char* linea : {"uno", "dos", "tres", "cuatro", "cinco", "seis"})
      EXPECT_EQ(Pagina(documento, Bloque(documento, linea)), ejemplo) << linea;
    partidas += Pagina(documento, Bloque(documento, "Fin.")) > ejemplo;
  }
  // The pages did fall in the middle of things, and the table went on to the next page.
  EXPECT_GT(partidas, 1);
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication aplicacion(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
