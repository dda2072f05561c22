// The desktop program: sets up the application, creates the main window (opening the grammar
// file named on the command line) and runs the event loop until the window closes.
#include <QGuiApplication>
#include <QProcessEnvironment>
#include <cstdio>

#include "Aplicacion.h"
#include "Pantallappal.h"

namespace {

// Qt aborts without a word a user would understand when there is no screen to show windows on.
bool HayPantalla() {
  const auto entorno = QProcessEnvironment::systemEnvironment();
  return !entorno.value("DISPLAY").isEmpty() || !entorno.value("WAYLAND_DISPLAY").isEmpty() ||
         !entorno.value("QT_QPA_PLATFORM").isEmpty();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HayPantalla()) {
    std::fprintf(stderr,
                 "quindel: no hay pantalla donde mostrar la ventana (DISPLAY no está definida).\n"
                 "Para analizar una gramática sin ventanas: quindel-cli FICHERO\n");
    return 2;
  }
  Aplicacion aplicacion(argc, argv);
  // Lets the desktop match the windows to the program's entry and icon.
  QGuiApplication::setDesktopFileName("org.quindel.quindel");
  try {
    TFormPpal ventana(aplicacion.arguments().mid(1));
    aplicacion.PonerInformador([&ventana](const QString& texto) { ventana.MostrarFallo(texto); });
    ventana.show();
    const int salida = aplicacion.exec();
    aplicacion.PonerInformador(nullptr);
    return salida;
  } catch (...) {
    aplicacion.PonerInformador(nullptr);
    aplicacion.InformarFallo(TextoDelFallo(std::current_exception()));
    return 1;
  }
}
