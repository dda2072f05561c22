// The main window: start-up, components, enabling rules, shortcuts with the editor focused, the
// message lists and the last resort for unhandled failures.
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include "Aplicacion.h"
#include "Banco.h"
#include "Buscarreemplazar.h"
#include "Suites.h"

namespace {

const QStringList kHabilitadosSinDocumento = {"BNuevo", "BAbrir",   "MNuevo", "MAbrir",
                                              "MSalir", "MUsuario", "MAcerca"};

const QStringList kBotones = {
    "BNuevo",       "BAbrir",    "BGuardar",  "BImprimir",        "BCortar",           "BCopiar",
    "BPegar",       "BDeshacer", "BAnalizar", "BGuardarAnalisis", "BImprimirAnalisis", "BVerTabla",
    "BGuardarTabla"};

const QStringList kMenus = {"MNuevo",
                            "MAbrir",
                            "MCerrar",
                            "MGuardar",
                            "MGuardarComo",
                            "MImprimir",
                            "MSalir",
                            "MDeshacer",
                            "MCortar",
                            "MCopiar",
                            "MPegar",
                            "MSeleccionarTodo",
                            "MBuscar",
                            "MRepetirBusqueda",
                            "MReemplazar",
                            "MFuente",
                            "MAnalizarGramatica",
                            "MGuardarAnalisis",
                            "MImprimirAnalisis",
                            "MVerTabla",
                            "MGuardarTabla",
                            "MUsuario",
                            "MAcerca"};

QStringList Habilitados(const Banco& banco) {
  QStringList habilitados;
  for (const QString& nombre : kBotones + kMenus)
    if (banco.Accion(qPrintable(nombre))->isEnabled()) habilitados.append(nombre);
  return habilitados;
}

class ObjetoQueFalla : public QObject {
 public:
  bool conTexto = true;
  bool event(QEvent*) override {
    if (conTexto) throw std::runtime_error("Fallo de prueba");
    throw 42;
  }
};

}  // namespace

class Ventana : public QObject {
  Q_OBJECT

 private slots:
  void arranqueSinArgumentos() {
    Banco banco;
    QCOMPARE(banco.ventana->windowTitle(), QString("Quindel(1)"));
    QCOMPARE(banco.ventana->size(), QSize(559, 471));
    QVERIFY(!banco.Editor()->isEnabled());
    QVERIFY(banco.Editor()->isHidden());
    QCOMPARE(banco.Componente<QTabWidget>("AreaMensajes")->currentWidget()->objectName(),
             QString("HAnalisis"));
    QCOMPARE(Habilitados(banco), kHabilitadosSinDocumento);
    QVERIFY(banco.Componente<QMenu>("MArchivo")->isEnabled());
    QVERIFY(banco.Componente<QMenu>("MAyuda")->isEnabled());
    QVERIFY(!banco.Componente<QMenu>("MEdicion")->isEnabled());
    QVERIFY(!banco.Componente<QMenu>("MAnalisis")->isEnabled());
    QVERIFY(banco.Mensajes().isEmpty());
    QVERIFY(banco.guion->registro.isEmpty());
  }

  void arranqueAbreElFicheroDeLosArgumentos_data() {
    QTest::addColumn<QString>("nombre");
    QTest::newRow("un argumento") << "g.ll1";
    QTest::newRow("ruta con blancos partida en argumentos") << "mi  gramática de prueba.ll1";
  }
  void arranqueAbreElFicheroDeLosArgumentos() {
    QFETCH(QString, nombre);
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(nombre);
    QFile fichero(ruta);
    QVERIFY(fichero.open(QIODevice::WriteOnly));
    fichero.write("S -> a\r\n");
    fichero.close();

    Banco banco(ruta.split(' '));
    QCOMPARE(banco.ventana->windowTitle(), "Quindel(1) - " + nombre);
    QCOMPARE(banco.Mensajes(), QStringList{"Abierto fichero " + ruta});
    QCOMPARE(banco.Editor()->Texto(), QString("S -> a\n"));
    QVERIFY(banco.Editor()->isEnabled() && !banco.Editor()->isHidden());
    // The start-up open leaves the focus alone; later opens give it to the editor.
    QVERIFY(banco.ventana->focusWidget() != banco.Editor());
  }

  void rutaRelativaSeGuardaEntera() {
    QTemporaryDir carpeta;
    QFile fichero(carpeta.filePath("x[*]y.ll1"));
    QVERIFY(fichero.open(QIODevice::WriteOnly));
    fichero.close();
    const QString antes = QDir::currentPath();
    QDir::setCurrent(carpeta.path());
    Banco banco({"x[*]y.ll1"});
    QDir::setCurrent(antes);
    QCOMPARE(banco.Documento().NombreFichero, fichero.fileName());
    QCOMPARE(banco.Mensajes(), QStringList{"Abierto fichero " + fichero.fileName()});
    // The title shows the name as it is, not Qt's marker of modified windows.
    banco.ventana->show();
    QCOMPARE(banco.ventana->windowHandle()->title(), QString("Quindel(1) - x[*]y.ll1"));
  }

  void arranqueConFicheroIlegibleDejaLaVentanaVacia() {
    Banco banco({"/no/existe/g.ll1"});
    QCOMPARE(banco.guion->Titulos(), QStringList{"error|Error al abrir"});
    QCOMPARE(banco.Mensajes(), QStringList{"Error al leer el fichero /no/existe/g.ll1"});
    QVERIFY(!banco.Documento().FicheroAbierto);
    QCOMPARE(banco.ventana->windowTitle(), QString("Quindel(1)"));
  }

  void botonesEnUnaFilaEnTresGrupos() {
    Banco banco;
    banco.ventana->show();
    QVERIFY(QTest::qWaitForWindowExposed(banco.ventana.get()));
    int anterior = -1;
    QList<int> huecos;
    QStringList pistas;
    for (const QString& nombre : kBotones) {
      const QToolButton* boton = banco.Boton(qPrintable(nombre));
      QCOMPARE(boton->size(), QSize(36, 36));
      QVERIFY(!boton->icon().isNull());
      pistas.append(boton->toolTip());
      const QRect sitio = boton->geometry();
      QCOMPARE(sitio.top(), banco.Boton("BNuevo")->geometry().top());
      QVERIFY(sitio.left() > anterior);
      if (anterior >= 0) huecos.append(sitio.left() - anterior);
      anterior = sitio.right();
    }
    // Gaps only after Imprimir and after Deshacer.
    const int junto = huecos.first();
    for (int i = 0; i < huecos.size(); ++i) QCOMPARE(huecos[i] > junto, i == 3 || i == 7);
  }

  void menusEnSuOrden() {
    Banco banco;
    QStringList menus;
    for (const QAction* accion : banco.ventana->menuBar()->actions())
      menus.append(accion->menu()->objectName() + " " + accion->text());
    // The tools beyond the analysis have a menu of their own, before Ayuda.
    QCOMPARE(menus, QStringList({"MArchivo &Archivo", "MEdicion &Edición", "MAnalisis &Análisis",
                                 "MHerramientas &Herramientas", "MAyuda A&yuda"}));
  }

  void nuevoHabilitaElDocumento() {
    Banco banco;
    QGuiApplication::clipboard()->clear();
    banco.ventana->NuevoFichero();
    QCOMPARE(Habilitados(banco), QStringList({"BNuevo",           "BAbrir",    "BGuardar",
                                              "BImprimir",        "BAnalizar", "MNuevo",
                                              "MAbrir",           "MCerrar",   "MGuardar",
                                              "MGuardarComo",     "MImprimir", "MSalir",
                                              "MSeleccionarTodo", "MBuscar",   "MRepetirBusqueda",
                                              "MReemplazar",      "MFuente",   "MAnalizarGramatica",
                                              "MUsuario",         "MAcerca"}));
    QVERIFY(banco.Componente<QMenu>("MEdicion")->isEnabled());
    QVERIFY(banco.Componente<QMenu>("MAnalisis")->isEnabled());
    QVERIFY(banco.Editor()->isEnabled() && !banco.Editor()->isHidden());
    banco.ventana->CerrarFichero();
    QCOMPARE(Habilitados(banco), kHabilitadosSinDocumento);
  }

  void pegarSigueAlPortapapeles_data() {
    QTest::addColumn<QString>("formato");
    QTest::addColumn<bool>("conTexto");
    QTest::newRow("texto") << "text/plain" << true;
    QTest::newRow("vacío") << "" << false;
    QTest::newRow("solo imagen") << "image/png" << false;
  }
  void pegarSigueAlPortapapeles() {
    QFETCH(QString, formato);
    QFETCH(bool, conTexto);
    const auto ponerPortapapeles = [&formato] {
      auto* datos = new QMimeData;
      if (formato == "text/plain") datos->setText("x");
      if (formato == "image/png") datos->setImageData(QImage(2, 2, QImage::Format_RGB32));
      QGuiApplication::clipboard()->setMimeData(datos);
    };
    Banco banco;
    QGuiApplication::clipboard()->setText("antes");
    banco.ventana->AplicacionActivate();
    QVERIFY2(!banco.Boton("BPegar")->isEnabled(), "sin documento no hay donde pegar");

    ponerPortapapeles();
    banco.ventana->NuevoFichero();
    QCOMPARE(banco.Boton("BPegar")->isEnabled(), conTexto);

    // Another program changes the clipboard; coming back to this one looks again.
    QGuiApplication::clipboard()->setText("otro programa");
    QCOMPARE(banco.Boton("BPegar")->isEnabled(), conTexto);
    banco.ventana->AplicacionActivate();
    QVERIFY(banco.Boton("BPegar")->isEnabled());
    ponerPortapapeles();
    banco.ventana->AplicacionActivate();
    QCOMPARE(banco.Boton("BPegar")->isEnabled(), conTexto);
  }

  void seleccionYCambiosMandanEnLosBotones() {
    Banco banco;
    banco.NuevoCon("abc def");
    QVERIFY(banco.Boton("BDeshacer")->isEnabled());
    QVERIFY(!banco.Boton("BCortar")->isEnabled());
    banco.Seleccionar(0, 3);
    QVERIFY(banco.Boton("BCortar")->isEnabled() && banco.Boton("BCopiar")->isEnabled());
    banco.Seleccionar(2, 2);
    QVERIFY(!banco.Boton("BCortar")->isEnabled() && !banco.Boton("BCopiar")->isEnabled());

    banco.Accion("MDeshacer")->trigger();
    QCOMPARE(banco.Editor()->Texto(), QString());
    QVERIFY2(banco.Boton("BDeshacer")->isEnabled(), "deshacer no lo deshabilita");

    banco.Editor()->insertPlainText("x");
    banco.guion->ficheros = {banco.Ruta("g.ll1")};
    banco.ventana->GuardarFichero();
    QVERIFY(!banco.Boton("BDeshacer")->isEnabled());
  }

  void menuEdicionYContextualSiguenAlEditor_data() {
    QTest::addColumn<QString>("prefijo");
    QTest::newRow("menú Edición") << "M";
    QTest::newRow("menú contextual") << "PU";
  }
  void menuEdicionYContextualSiguenAlEditor() {
    QFETCH(QString, prefijo);
    Banco banco;
    banco.ventana->NuevoFichero();
    QMenu* menu = banco.Componente<QMenu>(prefijo == "M" ? "MEdicion" : "MenuContextual");
    const auto estado = [&] {
      emit menu->aboutToShow();
      QString s;
      for (const char* nombre : {"Deshacer", "Cortar", "Copiar", "Pegar", "SeleccionarTodo"})
        s += banco.Accion(qPrintable(prefijo + nombre))->isEnabled() ? '1' : '0';
      return s;
    };
    QGuiApplication::clipboard()->clear();
    QCOMPARE(estado(), QString("00001"));
    banco.Editor()->insertPlainText("abc");
    QCOMPARE(estado(), QString("10001"));
    banco.Seleccionar(0, 2);
    QCOMPARE(estado(), QString("11101"));
    QGuiApplication::clipboard()->setText("z");
    QCOMPARE(estado(), QString("11111"));
  }

  void atajosConElEditorEnfocadoAbrenSusDialogos_data() {
    QTest::addColumn<QKeySequence>("tecla");
    QTest::addColumn<QString>("dialogo");
    QTest::newRow("Ctrl+A abre, no selecciona")
        << QKeySequence("Ctrl+A") << "fichero|Abrir gramática";
    QTest::newRow("Ctrl+G guardar como") << QKeySequence("Ctrl+G") << "fichero|Guardar gramática";
    QTest::newRow("Ctrl+S guardar sin nombre")
        << QKeySequence("Ctrl+S") << "fichero|Guardar gramática";
    QTest::newRow("Ctrl+I imprimir") << QKeySequence("Ctrl+I") << "impresora|";
    QTest::newRow("Ctrl+F fuente") << QKeySequence("Ctrl+F") << "fuente|";
    QTest::newRow("F3 repite la búsqueda de g") << QKeySequence("F3") << "info|Texto no encontrado";
  }
  void atajosConElEditorEnfocadoAbrenSusDialogos() {
    QFETCH(QKeySequence, tecla);
    QFETCH(QString, dialogo);
    Banco banco;
    banco.NuevoCon("abc");
    banco.Seleccionar(1, 2);
    QVERIFY(banco.MostrarConEditor());
    QTest::keySequence(banco.Editor(), tecla);
    QCOMPARE(banco.guion->Titulos(), QStringList{dialogo});
    QCOMPARE(banco.Editor()->Texto(), QString("abc"));
    QCOMPARE(banco.Seleccion(), qMakePair(1, 2));
  }

  void atajosConElEditorEnfocadoEditan() {
    Banco banco;
    banco.NuevoCon("uno dos");
    QVERIFY(banco.MostrarConEditor());
    QWidget* editor = banco.Editor();

    QTest::keySequence(editor, QKeySequence("Ctrl+E"));
    QCOMPARE(banco.Seleccion(), qMakePair(0, 7));
    banco.Seleccionar(0, 3);
    QTest::keySequence(editor, QKeySequence("Ctrl+X"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("uno"));
    QVERIFY(banco.Boton("BPegar")->isEnabled());
    QTest::keySequence(editor, QKeySequence("Ctrl+Z"));
    QCOMPARE(banco.Editor()->Texto(), QString("uno dos"));
    banco.Seleccionar(4, 7);
    QTest::keySequence(editor, QKeySequence("Ctrl+C"));
    QTest::keySequence(editor, QKeySequence("Ctrl+V"));
    QCOMPARE(banco.Editor()->Texto(), QString("uno dos"));
    banco.Editor()->PonerModificado(false);
    QTest::keySequence(editor, QKeySequence("Ctrl+F4"));
    QVERIFY(!banco.Documento().FicheroAbierto);
    QTest::keySequence(banco.ventana.get(), QKeySequence("Ctrl+N"));
    QVERIFY(banco.Documento().FicheroAbierto);

    auto* buscar = banco.Componente<TDialogoBusqueda>("DlgBuscar");
    QTest::keySequence(editor, QKeySequence("Ctrl+B"));
    QVERIFY(buscar->isVisible());
    buscar->hide();
    QVERIFY(banco.MostrarConEditor());
    QTest::keySequence(editor, QKeySequence("Ctrl+R"));
    QVERIFY(banco.Componente<TDialogoBusqueda>("DlgReemplazar")->isVisible());
    QVERIFY(banco.guion->registro.isEmpty());
  }

  void tablaYResultadosEmpiezanDeshabilitados() {
    Banco banco;
    banco.ventana->NuevoFichero();
    for (const char* nombre :
         {"BGuardarAnalisis", "BImprimirAnalisis", "MGuardarAnalisis", "MImprimirAnalisis",
          "BVerTabla", "BGuardarTabla", "MVerTabla", "MGuardarTabla"})
      QVERIFY2(!banco.Accion(nombre)->isEnabled(), nombre);
    banco.ventana->HabilitarResultados();
    for (const char* nombre : {"BGuardarAnalisis", "MGuardarAnalisis", "MImprimirAnalisis"})
      QVERIFY2(banco.Accion(nombre)->isEnabled(), nombre);
    banco.ventana->CerrarFichero();
    QVERIFY(!banco.Accion("MGuardarAnalisis")->isEnabled());
  }

  void menuDelAnalisisSoloArmadoConResultados() {
    Banco banco;
    banco.ventana->NuevoFichero();
    for (const char* linea : {"uno", "dos", "tres", "cuatro"})
      banco.ventana->AgregarAnalisis(linea);
    auto* lista = banco.Componente<QListWidget>("ListaAnalisis");
    QMenu* menu = banco.Componente<QMenu>("MenuContAnalisis");
    QSignalSpy mostrado(menu, &QMenu::aboutToShow);
    const auto clicDerecho = [&] {
      QTimer::singleShot(0, menu, &QMenu::close);
      emit lista->customContextMenuRequested(QPoint(5, 5));
    };
    clicDerecho();
    QCOMPARE(mostrado.count(), 0);

    banco.ventana->HabilitarResultados();
    clicDerecho();
    QCOMPARE(mostrado.count(), 1);
    QVERIFY(!banco.Accion("MCCopiar")->isEnabled());
    lista->item(1)->setSelected(true);
    lista->item(3)->setSelected(true);
    clicDerecho();
    QVERIFY(banco.Accion("MCCopiar")->isEnabled());
    QGuiApplication::clipboard()->clear();
    banco.Accion("MCCopiar")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("dos\r\ncuatro\r\n"));
    QVERIFY(banco.Boton("BPegar")->isEnabled());
  }

  void cadaListaSeMuestraAlEscribirEnElla() {
    Banco banco;
    auto* pestanas = banco.Componente<QTabWidget>("AreaMensajes");
    QStringList pestanasEnOrden;
    for (int i = 0; i < pestanas->count(); ++i)
      pestanasEnOrden.append(pestanas->widget(i)->objectName() + " " + pestanas->tabText(i));
    QCOMPARE(pestanasEnOrden,
             QStringList({"HMensajes Mensajes", "HAnalisis Análisis", "HErrores Errores"}));
    banco.ventana->AgregarMensaje("m");
    QCOMPARE(pestanas->currentIndex(), 0);
    banco.ventana->AgregarAnalisis("a");
    QCOMPARE(pestanas->currentIndex(), 1);
    QCOMPARE(banco.Mensajes(), QStringList{"m"});
    QCOMPARE(banco.Lineas("ListaAnalisis"), QStringList{"a"});
  }

  void separadorNoDejaPanelesDeMenosDe40() {
    Banco banco;
    banco.ventana->NuevoFichero();
    banco.ventana->show();
    QVERIFY(QTest::qWaitForWindowExposed(banco.ventana.get()));
    auto* separador = banco.Componente<QSplitter>("Separador");
    QCOMPARE(separador->sizes().at(1), 121);
    QVERIFY(!separador->childrenCollapsible());
    separador->setSizes({1000, 0});
    QVERIFY(separador->sizes().at(1) >= 40);
    separador->setSizes({0, 1000});
    QVERIFY(separador->sizes().at(0) >= 40);
  }

  void falloSinManejarSeMuestraYElProgramaSigue() {
    auto* aplicacion = qobject_cast<Aplicacion*>(qApp);
    QVERIFY(aplicacion);
    QStringList mostrados;
    aplicacion->PonerInformador([&mostrados](const QString& t) { mostrados.append(t); });
    ObjetoQueFalla objeto;
    QEvent evento(QEvent::User);
    QCoreApplication::sendEvent(&objeto, &evento);
    objeto.conTexto = false;
    QCoreApplication::sendEvent(&objeto, &evento);
    aplicacion->PonerInformador(nullptr);
    QCOMPARE(mostrados, QStringList({"Fallo de prueba", ""}));
  }
};

REGISTRAR_SUITE(Ventana, "Ventana");
#include "Ventana_test.moc"
