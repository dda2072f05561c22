// quindel-capturas: the screenshots of the user manual, taken from the real windows, headless.
// Usage: quindel-capturas CARPETA_EJEMPLOS CARPETA_SALIDA
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <cstdio>
#include <functional>

#include "Aplicacion.h"
#include "Dialogos.h"
#include "Pantallaexplicacion.h"
#include "Pantallappal.h"
#include "Pantallatabla.h"

namespace {

bool Guardar(QWidget& ventana, const QString& ruta) {
  QApplication::processEvents();
  if (ventana.grab().save(ruta)) return true;
  std::fprintf(stderr, "quindel-capturas: no se puede escribir %s\n", qPrintable(ruta));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Aplicacion aplicacion(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "uso: quindel-capturas CARPETA_EJEMPLOS CARPETA_SALIDA\n");
    return 2;
  }
  const QDir ejemplos(QString::fromLocal8Bit(argv[1]));
  const QDir salida(QString::fromLocal8Bit(argv[2]));
  QDir().mkpath(salida.path());
  bool correcto = true;
  QString siguiente;
  // What the program's own windows show is photographed while they are open.
  auto* dialogos = new DialogosSinUsuario;
  dialogos->enVentana = [&](QDialog& ventana) {
    // The table window keeps to the screen, narrower here than the table: the picture shows
    // it at the size where every column fits.
    if (auto* tabla = qobject_cast<TFormTabla*>(&ventana))
      tabla->resize(tabla->AnchoTabla(), tabla->AltoTabla());
    if (ventana.objectName() == "FormCadena") {
      ventana.findChild<QComboBox*>("Frase")->setEditText("id + id * id");
      ventana.findChild<QPushButton*>("BReconocer")->click();
    }
    correcto &= Guardar(ventana, salida.filePath(siguiente));
  };
  TFormPpal ventana({}, std::unique_ptr<Dialogos>(dialogos));
  ventana.resize(760, 620);
  ventana.show();
  correcto &= Guardar(ventana, salida.filePath("inicio.png"));

  ventana.AbrirFichero(ejemplos.filePath("expresiones.ll1"));
  ventana.AnalizarFichero();
  correcto &= Guardar(ventana, salida.filePath("principal.png"));
  siguiente = "tabla.png";
  ventana.findChild<QAction*>("MVerTabla")->trigger();
  siguiente = "cadena.png";
  ventana.findChild<QAction*>("MProbarCadena")->trigger();
  siguiente = "acerca.png";
  ventana.findChild<QAction*>("MAcerca")->trigger();

  ventana.AbrirFichero(ejemplos.filePath("conflicto_first.ll1"));
  ventana.AnalizarFichero();
  ventana.findChild<QListWidget*>("ListErrores")->setCurrentRow(0);
  ventana.findChild<QTabWidget*>("AreaMensajes")->setCurrentIndex(2);
  correcto &= Guardar(ventana, salida.filePath("errores.png"));

  ventana.findChild<QAction*>("MExplicar")->trigger();
  auto* explicacion = ventana.findChild<TFormExplicacion*>("FormExplicacion");
  explicacion->Elegir(0);
  correcto &= Guardar(*explicacion, salida.filePath("explicacion.png"));
  return correcto ? 0 : 1;
}
