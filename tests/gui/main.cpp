// Runs the GUI suites headless: `gui_tests [Suite] [Qt Test options]`.
#include <QTest>
#include <cstdio>

#include "Aplicacion.h"
#include "Suites.h"

std::map<QString, FabricaSuite>& Suites() {
  static std::map<QString, FabricaSuite> suites;
  return suites;
}

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Aplicacion aplicacion(argc, argv);
  QStringList argumentos = aplicacion.arguments();
  QString elegida;
  if (argumentos.size() > 1 && Suites().count(argumentos.at(1))) elegida = argumentos.takeAt(1);
  int fallos = 0;
  for (const auto& [nombre, fabrica] : Suites()) {
    if (!elegida.isEmpty() && nombre != elegida) continue;
    const std::unique_ptr<QObject> suite = fabrica();
    fallos += QTest::qExec(suite.get(), argumentos);
  }
  return fallos == 0 ? 0 : 1;
}
