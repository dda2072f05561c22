// quindel-gui-bench: times the desktop program's own work on large generated grammars, headless:
// F5 until the window answers again, scrolling the trace, opening the table window and saving
// the table page, each against its target.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

#include "Analizador.h"
#include "Aplicacion.h"
#include "Dialogos.h"
#include "Editorgramatica.h"
#include "Ejecucion.h"
#include "Generador.h"
#include "Pantallappal.h"
#include "Pantallatabla.h"
#include "Tablasintactica.h"
#include "Texto1252.h"

namespace {

struct Banco {
  DialogosSinUsuario* dialogos = new DialogosSinUsuario;
  TFormPpal ventana{{}, std::unique_ptr<Dialogos>(dialogos)};

  Banco() {
    ventana.show();
    ventana.NuevoFichero();
  }
  void Cargar(const std::string& texto) {
    ventana.findChild<TEditorGramatica*>("AreaEdicion")->PonerTexto(AUnicode(texto));
  }
  // F5, and every event it left behind (layout, painting, scrolling) handled.
  double Analizar() {
    QElapsedTimer reloj;
    reloj.start();
    ventana.AnalizarFichero();
    QApplication::processEvents();
    return reloj.elapsed() / 1000.0;
  }
};

bool Comprobar(double valor, double maximo, const char* que) {
  const bool cumple = valor <= maximo;
  std::printf("  %-58s %7.3f s (target %.2f s) %s\n", que, valor, maximo,
              cumple ? "met" : "MISSED");
  std::fflush(stdout);
  return cumple;
}

std::string Gramatica(int producciones, int noTerminales, int terminales) {
  ParametrosGramatica parametros;
  parametros.producciones = producciones;
  parametros.noTerminales = noTerminales;
  parametros.terminales = terminales;
  return GenerarGramatica(parametros);
}

// Moves the trace list a page at a time from top to bottom, painting each position.
double DesplazarTraza(TFormPpal& ventana, int pasos) {
  auto* lista = ventana.findChild<QListWidget*>("ListaAnalisis");
  QScrollBar* barra = lista->verticalScrollBar();
  QElapsedTimer reloj;
  reloj.start();
  for (int paso = 0; paso < pasos; ++paso) {
    barra->setValue(barra->maximum() * paso / std::max(1, pasos - 1));
    lista->viewport()->repaint();
  }
  return reloj.elapsed() / 1000.0 / pasos;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Aplicacion aplicacion(argc, argv);
  bool correcto = true;
  {
    Banco banco;
    banco.Cargar(Gramatica(2000, 700, 64));
    correcto &= Comprobar(banco.Analizar(), 0.2, "F5, 2,000 productions");
  }
  {
    Banco banco;
    banco.Cargar(Gramatica(20000, 7000, 64));
    correcto &= Comprobar(banco.Analizar(), 2.0, "F5, 20,000 productions");
    banco.Cargar(Gramatica(36000, 12600, 64));
    const double segundos = banco.Analizar();
    const int lineas = banco.ventana.findChild<QListWidget*>("ListaAnalisis")->count();
    std::printf("  (trace of %d lines)\n", lineas);
    correcto &= Comprobar(segundos, 2.0, "F5, 36,000 productions (100,000 trace lines)");
    correcto &= Comprobar(banco.Analizar(), 2.0, "F5 again, freeing the previous analysis");
    correcto &= Comprobar(DesplazarTraza(banco.ventana, 200), 1.0 / 60,
                          "scrolling the trace, one page painted");
  }
  {
    // F5 frees the previous grammar before it builds the next one: that must not be a pause,
    // and the next analysis must not be slower for it.
    Banco banco;
    banco.Cargar(GenerarGramatica(ParametrosMezcla(100000)));
    correcto &= Comprobar(banco.Analizar(), 2.0, "F5, 100,000 productions (mix)");
    correcto &= Comprobar(banco.Analizar(), 2.0, "F5 again, after another 100,000");
    ResultadoAnalisis analisis = AnalizarTexto(GenerarGramatica(ParametrosMezcla(100000)), false);
    QElapsedTimer reloj;
    reloj.start();
    analisis.tabla.reset();
    analisis.gramatica.reset();
    correcto &= Comprobar(reloj.nsecsElapsed() / 1e9, 0.05,
                          "freeing a 100,000-production analysis, as F5 does");
  }
  {
    Banco banco;
    const std::string texto = Gramatica(5000, 2000, 499);
    banco.Cargar(texto);
    banco.Analizar();
    const CTablaSintactica* tabla = banco.ventana.TablaActual();
    if (!tabla) {
      std::printf("the generated grammar is not LL(1)\n");
      return 1;
    }
    std::printf("  (table of %u rows x %u columns)\n", tabla->NumFilas(), tabla->NumColumnas());
    auto* ventanaTabla = banco.ventana.findChild<TFormTabla*>("FormTabla");
    QElapsedTimer reloj;
    double abierta = 0;
    banco.dialogos->enVentana = [&](QDialog&) { abierta = reloj.elapsed() / 1000.0; };
    reloj.start();
    ventanaTabla->MostrarTabla(*tabla);
    banco.dialogos->enVentana = nullptr;
    correcto &= Comprobar(abierta, 1.0, "opening the table window");

    QTemporaryDir carpeta;
    QFile fichero(carpeta.filePath("g.ll1"));
    fichero.open(QIODevice::WriteOnly);
    fichero.write(texto.data(), static_cast<qint64>(texto.size()));
    fichero.close();
    OpcionesCli opciones;
    opciones.fichero = fichero.fileName().toStdString();
    opciones.conHtml = true;
    opciones.rutaHtml = carpeta.filePath("cli.htm").toStdString();
    reloj.start();
    EjecutarCli(opciones);
    const double cli = reloj.elapsed() / 1000.0;
    reloj.start();
    banco.ventana.GuardarTablaEn(carpeta.filePath("gui.htm"));
    const double gui = reloj.elapsed() / 1000.0;
    std::printf("  (quindel-cli --html: %.3f s)\n", cli);
    correcto &= Comprobar(gui, cli + 0.2, "saving the table page from the window");
  }
  {
    Banco banco;
    banco.Cargar(
        "Terminales = { + * ( ) id }\r\nNoTerminales = { E Eprima T Tprima F }\r\nAxioma = E\r\n"
        "Producciones = {\r\nE -> T Eprima\r\nEprima -> + T Eprima\r\nEprima -> lambda\r\n"
        "T -> F Tprima\r\nTprima -> * F Tprima\r\nTprima -> lambda\r\nF -> ( E )\r\n"
        "F -> id\r\n}\r\n");
    banco.Analizar();
    // 2,000 terminals: ( id ) nested and joined by + and *.
    QString frase;
    for (int i = 0; i < 250; ++i) frase += i % 2 ? "( id * id ) + " : "id * ( id ) + ";
    frase += "id";
    double segundos = 0;
    banco.dialogos->enVentana = [&](QDialog& ventana) {
      ventana.findChild<QComboBox*>("Frase")->setEditText(frase);
      QElapsedTimer reloj;
      reloj.start();
      ventana.findChild<QPushButton*>("BReconocer")->click();
      QApplication::processEvents();
      segundos = reloj.elapsed() / 1000.0;
    };
    banco.ventana.findChild<QAction*>("MProbarCadena")->trigger();
    banco.dialogos->enVentana = nullptr;
    correcto &= Comprobar(segundos, 0.25, "trying a sentence of 2,000 terminals, tree drawn");
  }
  {
    Banco banco;
    std::string texto;
    for (int i = 0; i < 20000; ++i) texto += "Lista -> elemento Lista\r\n";
    banco.Cargar(texto);
    QElapsedTimer reloj;
    reloj.start();
    banco.ventana.ReemplazarTexto("elemento", "item", true, false, true);
    QApplication::processEvents();
    correcto &= Comprobar(reloj.elapsed() / 1000.0, 0.5, "replace all, 20,000 replacements");
  }
  return correcto ? 0 : 1;
}
