#include "Aplicacion.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QProxyStyle>
#include <QTranslator>
#include <exception>

#include "Codificacion.h"
#include "Dialogos.h"

const QString Aplicacion::kTitulo = "Quindel(1)";

namespace {

// Qt greys a disabled icon but keeps it opaque; faded as well, a disabled button reads as such
// at a glance.
class EstiloQuindel : public QProxyStyle {
 public:
  QPixmap generatedIconPixmap(QIcon::Mode modo, const QPixmap& pixmap,
                              const QStyleOption* opcion) const override {
    const QPixmap gris = QProxyStyle::generatedIconPixmap(modo, pixmap, opcion);
    if (modo != QIcon::Disabled) return gris;
    QPixmap tenue(gris.size());
    tenue.setDevicePixelRatio(gris.devicePixelRatio());
    tenue.fill(Qt::transparent);
    QPainter pintor(&tenue);
    pintor.setOpacity(0.5);
    pintor.drawPixmap(0, 0, gris);
    return tenue;
  }
};

}  // namespace

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(kTitulo);
  setStyle(new EstiloQuindel);
  // The program speaks Spanish whatever the locale, and so do Qt's own dialogs and buttons.
  auto* traductor = new QTranslator(this);
  if (traductor->load(QLocale(QLocale::Spanish), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(traductor);
}

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
  try {
    return QApplication::notify(receptor, evento);
  } catch (...) {
    InformarFallo(TextoDelFallo(std::current_exception()));
    return false;
  }
}

void Aplicacion::InformarFallo(const QString& texto) {
  if (informador) {
    informador(texto);
  } else {
    DialogosQt(activeWindow()).Mostrar(Dialogos::Forma::Error, texto, kTitulo);
  }
}

void Aplicacion::PonerInformador(std::function<void(const QString&)> nuevo) {
  informador = std::move(nuevo);
}

QString TextoDelFallo(std::exception_ptr fallo) {
  try {
    std::rethrow_exception(fallo);
  } catch (const std::exception& e) {
    return QString::fromStdString(cp1252::AUtf8(e.what()));
  } catch (...) {
    return {};
  }
}
