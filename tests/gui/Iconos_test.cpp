// The icons come from the SVG resources linked into the library: each one draws something at the
// tool bar's size, and Qt greys it for a disabled command.
#include <QIcon>
#include <QImage>
#include <QTest>

#include "Iconos.h"
#include "Suites.h"

namespace {

bool TieneTrazos(const QImage& imagen) {
  for (int y = 0; y < imagen.height(); ++y)
    for (int x = 0; x < imagen.width(); ++x)
      if (qAlpha(imagen.pixel(x, y)) != 0) return true;
  return false;
}

}  // namespace

class Iconos : public QObject {
  Q_OBJECT

 private slots:
  void cadaIconoSeDibujaYSeAgrisa_data() {
    QTest::addColumn<Icono>("icono");
    for (int i = int(Icono::Programa); i <= int(Icono::Acerca); ++i)
      QTest::addRow("%d", i) << Icono(i);
  }

  void cadaIconoSeDibujaYSeAgrisa() {
    QFETCH(Icono, icono);
    const QIcon dibujo = CrearIcono(icono);
    const QImage normal = dibujo.pixmap(24, 24).toImage();
    QCOMPARE(normal.size(), QSize(24, 24));
    QVERIFY(TieneTrazos(normal));
    const QImage apagado = dibujo.pixmap(24, 24, QIcon::Disabled).toImage();
    QVERIFY(TieneTrazos(apagado));
    QVERIFY(apagado != normal);
  }
};

REGISTRAR_SUITE(Iconos, "Iconos");
#include "Iconos_test.moc"
