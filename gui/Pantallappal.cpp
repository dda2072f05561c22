// The main window's components, their enabling rules, its title and its message lists.
#include "Pantallappal.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "Acercade.h"
#include "Aplicacion.h"
#include "Buscarreemplazar.h"
#include "Cgramatica.h"
#include "Delegadolineas.h"
#include "Editorgramatica.h"
#include "Ficherogramatica.h"
#include "Impresion.h"
#include "Pantallacadena.h"
#include "Pantallaexplicacion.h"
#include "Pantallatabla.h"
#include "Tablasintactica.h"

namespace {

const QString& kTitulo = Aplicacion::kTitulo;
constexpr int kAncho = 559;
constexpr int kAlto = 471;
constexpr int kAltoMensajes = 121;
constexpr int kMinimoPanel = 40;
constexpr int kTamanoBoton = 36;

const QStringList kFiltrosGramatica = {
    "Archivos de gramática LL(1) (*.ll1)",
    "Archivos de texto (*.txt)",
    // "*" and not "*.*": on this platform a name need not have an extension at all.
    "Todos los archivos (*)",
};

QListWidget* Lista(const char* nombre, QAbstractItemView::SelectionMode seleccion,
                   QTabWidget* pestanas, const char* pagina, const QString& titulo) {
  auto* hoja = new QWidget(pestanas);
  hoja->setObjectName(pagina);
  auto* lista = new QListWidget(hoja);
  lista->setObjectName(nombre);
  lista->setSelectionMode(seleccion);
  lista->setUniformItemSizes(true);
  new DelegadoLineas(lista);
  auto* disposicion = new QVBoxLayout(hoja);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->addWidget(lista);
  pestanas->addTab(hoja, titulo);
  return lista;
}

void Habilitar(std::initializer_list<QAction*> acciones, bool habilitar) {
  for (QAction* accion : acciones) accion->setEnabled(habilitar);
}

}  // namespace

TFormPpal::TFormPpal(const QStringList& argumentos, std::unique_ptr<Dialogos> dialogos,
                     QWidget* padre)
    : QMainWindow(padre),
      dialogos(dialogos ? std::move(dialogos) : std::make_unique<DialogosQt>(this)),
      DlgImprimir(std::make_unique<QPrinter>()) {
  setObjectName("FormPpal");
  setWindowTitle(kTitulo);
  setWindowIcon(CrearIcono(Icono::Programa));
  CrearComponentes();
  resize(kAncho, kAlto);
  if (const QScreen* pantalla = screen())
    move(pantalla->availableGeometry().center() - QPoint(kAncho / 2, kAlto / 2));
  DeshabilitarFichero();
  CrearVentanas();
  FormCreate(argumentos);
}

TFormPpal::~TFormPpal() = default;

void TFormPpal::FormCreate(const QStringList& argumentos) {
  // A path with blanks may arrive split into several arguments.
  if (!argumentos.isEmpty()) AbrirFichero(argumentos.join(' '));
  lineaComandosConsumida = true;
}

void TFormPpal::CrearVentanas() {
  FrAcerca = new TFrAcerca(this);
  TFormTabla::Servicios servicios{*dialogos, *DlgImprimir,
                                  [this](const RejillaTabla& rejilla, int copias) {
                                    return FrmImpresion->ImprimirTabla(rejilla, copias);
                                  },
                                  [this] { MGuardarTablaClick(); },
                                  [this](const QString& texto) { AgregarMensaje(texto); }};
  FormTabla = new TFormTabla(std::move(servicios), this);
  FrmImpresion = new TFrmImpresion(*DlgImprimir, this);
  FormCadena = new TFormCadena(
      {*dialogos, &EscribirFichero, [this](const QString& texto) { AgregarMensaje(texto); },
       [this](const QString& ruta) { ErrorAlGuardar(ruta); }},
      this);
  FormExplicacion =
      new TFormExplicacion([this](const QList<int>& lineas) { MarcarLineas(lineas); }, this);
}

// ---- Components -------------------------------------------------------------------------------

void TFormPpal::CrearComponentes() {
  menuBar()->setObjectName("MenuPpal");
  CrearMenuArchivo();
  CrearMenuEdicion();
  CrearMenuAnalisis();
  CrearMenuHerramientas();
  CrearMenuAyuda();
  CrearBarraHerramientas();
  CrearAreaTrabajo();
  CrearMenusContextuales();
  CrearDialogos();
  ConectarEditor();
}

QAction* TFormPpal::Accion(const char* nombre, const QString& texto, Icono icono,
                           Manejador manejador, const QKeySequence& atajo) {
  auto* accion = new QAction(CrearIcono(icono), texto, this);
  accion->setObjectName(nombre);
  accion->setShortcut(atajo);
  connect(accion, &QAction::triggered, this, manejador);
  return accion;
}

QAction* TFormPpal::Boton(const char* nombre, const QString& pista, Icono icono,
                          Manejador manejador) {
  QAction* accion = Accion(nombre, pista, icono, manejador);
  accion->setToolTip(pista);
  BarraHerramientas->addAction(accion);
  QWidget* boton = BarraHerramientas->widgetForAction(accion);
  boton->setObjectName(nombre);
  boton->setFixedSize(kTamanoBoton, kTamanoBoton);
  return accion;
}

void TFormPpal::CrearMenuArchivo() {
  MArchivo = menuBar()->addMenu("&Archivo");
  MArchivo->setObjectName("MArchivo");
  MNuevo = Accion("MNuevo", "&Nuevo", Icono::Nuevo, &TFormPpal::MNuevoClick, Qt::CTRL | Qt::Key_N);
  MAbrir =
      Accion("MAbrir", "&Abrir...", Icono::Abrir, &TFormPpal::MAbrirClick, Qt::CTRL | Qt::Key_A);
  MCerrar =
      Accion("MCerrar", "&Cerrar", Icono::Cerrar, &TFormPpal::MCerrarClick, Qt::CTRL | Qt::Key_F4);
  MGuardar = Accion("MGuardar", "&Guardar", Icono::Guardar, &TFormPpal::MGuardarClick,
                    Qt::CTRL | Qt::Key_S);
  MGuardarComo = Accion("MGuardarComo", "G&uardar como...", Icono::GuardarComo,
                        &TFormPpal::MGuardarComoClick, Qt::CTRL | Qt::Key_G);
  MImprimir = Accion("MImprimir", "&Imprimir...", Icono::Imprimir, &TFormPpal::MImprimirClick,
                     Qt::CTRL | Qt::Key_I);
  MSalir = Accion("MSalir", "&Salir", Icono::Salir, &TFormPpal::MSalirClick);
  MArchivo->addActions({MNuevo, MAbrir, MCerrar});
  MArchivo->addSeparator();
  MArchivo->addActions({MGuardar, MGuardarComo});
  MArchivo->addSeparator();
  MArchivo->addAction(MImprimir);
  MArchivo->addSeparator();
  MArchivo->addAction(MSalir);
}

void TFormPpal::CrearMenuEdicion() {
  MEdicion = menuBar()->addMenu("&Edición");
  MEdicion->setObjectName("MEdicion");
  MDeshacer = Accion("MDeshacer", "&Deshacer", Icono::Deshacer, &TFormPpal::MDeshacerClick,
                     Qt::CTRL | Qt::Key_Z);
  MCortar =
      Accion("MCortar", "Cor&tar", Icono::Cortar, &TFormPpal::MCortarClick, Qt::CTRL | Qt::Key_X);
  MCopiar =
      Accion("MCopiar", "&Copiar", Icono::Copiar, &TFormPpal::MCopiarClick, Qt::CTRL | Qt::Key_C);
  MPegar = Accion("MPegar", "&Pegar", Icono::Pegar, &TFormPpal::MPegarClick, Qt::CTRL | Qt::Key_V);
  MSeleccionarTodo = Accion("MSeleccionarTodo", "&Seleccionar todo", Icono::SeleccionarTodo,
                            &TFormPpal::MSeleccionarTodoClick, Qt::CTRL | Qt::Key_E);
  MBuscar = Accion("MBuscar", "&Buscar...", Icono::Buscar, &TFormPpal::MBuscarClick,
                   Qt::CTRL | Qt::Key_B);
  MRepetirBusqueda = Accion("MRepetirBusqueda", "&Repetir búsqueda", Icono::RepetirBusqueda,
                            &TFormPpal::MRepetirBusquedaClick, Qt::Key_F3);
  MReemplazar = Accion("MReemplazar", "R&eemplazar...", Icono::Reemplazar,
                       &TFormPpal::MReemplazarClick, Qt::CTRL | Qt::Key_R);
  MFuente = Accion("MFuente", "&Fuente...", Icono::Fuente, &TFormPpal::MFuenteClick,
                   Qt::CTRL | Qt::Key_F);
  MEdicion->addAction(MDeshacer);
  MEdicion->addSeparator();
  MEdicion->addActions({MCortar, MCopiar, MPegar});
  MEdicion->addSeparator();
  MEdicion->addAction(MSeleccionarTodo);
  MEdicion->addSeparator();
  MEdicion->addActions({MBuscar, MRepetirBusqueda, MReemplazar});
  MEdicion->addSeparator();
  MEdicion->addAction(MFuente);
  connect(MEdicion, &QMenu::aboutToShow, this, &TFormPpal::MEdicionClick);
}

void TFormPpal::CrearMenuAnalisis() {
  MAnalisis = menuBar()->addMenu("&Análisis");
  MAnalisis->setObjectName("MAnalisis");
  MAnalizarGramatica = Accion("MAnalizarGramatica", "&Analizar gramática", Icono::Analizar,
                              &TFormPpal::MAnalizarGramaticaClick, Qt::Key_F5);
  MGuardarAnalisis = Accion("MGuardarAnalisis", "G&uardar análisis...", Icono::GuardarAnalisis,
                            &TFormPpal::MGuardarAnalisisClick, Qt::CTRL | Qt::Key_D);
  MImprimirAnalisis = Accion("MImprimirAnalisis", "&Imprimir análisis...", Icono::ImprimirAnalisis,
                             &TFormPpal::MImprimirAnalisisClick, Qt::CTRL | Qt::Key_M);
  MVerTabla = Accion("MVerTabla", "&Ver tabla sintáctica...", Icono::VerTabla,
                     &TFormPpal::MVerTablaClick, Qt::CTRL | Qt::Key_T);
  MGuardarTabla = Accion("MGuardarTabla", "&Guardar tabla sintáctica...", Icono::GuardarTabla,
                         &TFormPpal::MGuardarTablaClick, Qt::CTRL | Qt::Key_U);
  MAnalisis->addAction(MAnalizarGramatica);
  MAnalisis->addSeparator();
  MAnalisis->addActions({MGuardarAnalisis, MImprimirAnalisis});
  MAnalisis->addSeparator();
  MAnalisis->addActions({MVerTabla, MGuardarTabla});
}

void TFormPpal::CrearMenuHerramientas() {
  MHerramientas = menuBar()->addMenu("&Herramientas");
  MHerramientas->setObjectName("MHerramientas");
  MProbarCadena = Accion("MProbarCadena", "&Probar cadena...", Icono::Analizar,
                         &TFormPpal::MProbarCadenaClick, Qt::CTRL | Qt::Key_P);
  MExplicar =
      Accion("MExplicar", "&Explicar conflictos...", Icono::Buscar, &TFormPpal::MExplicarClick);
  MTransformar = Accion("MTransformar", "&Transformar gramática...", Icono::Reemplazar,
                        &TFormPpal::MTransformarClick);
  MHerramientas->addAction(MProbarCadena);
  MHerramientas->addSeparator();
  MHerramientas->addActions({MExplicar, MTransformar});
}

void TFormPpal::CrearMenuAyuda() {
  MAyuda = menuBar()->addMenu("A&yuda");
  MAyuda->setObjectName("MAyuda");
  MUsuario = Accion("MUsuario", "Ver &manual de usuario...", Icono::Manual,
                    &TFormPpal::MUsuarioClick, Qt::CTRL | Qt::Key_F1);
  MAcerca = Accion("MAcerca", "&Acerca de...", Icono::Acerca, &TFormPpal::MAcercaClick);
  MAyuda->addAction(MUsuario);
  MAyuda->addSeparator();
  MAyuda->addAction(MAcerca);
}

void TFormPpal::CrearBarraHerramientas() {
  BarraHerramientas = addToolBar("Herramientas");
  BarraHerramientas->setObjectName("BarraHerramientas");
  BarraHerramientas->setMovable(false);
  BarraHerramientas->setFloatable(false);
  BarraHerramientas->setIconSize(QSize(24, 24));
  BNuevo = Boton("BNuevo", "Nuevo", Icono::Nuevo, &TFormPpal::MNuevoClick);
  BAbrir = Boton("BAbrir", "Abrir fichero", Icono::Abrir, &TFormPpal::MAbrirClick);
  BGuardar = Boton("BGuardar", "Guardar fichero", Icono::Guardar, &TFormPpal::MGuardarClick);
  BImprimir = Boton("BImprimir", "Imprimir", Icono::Imprimir, &TFormPpal::MImprimirClick);
  BarraHerramientas->addSeparator();
  BCortar = Boton("BCortar", "Cortar", Icono::Cortar, &TFormPpal::MCortarClick);
  BCopiar = Boton("BCopiar", "Copiar", Icono::Copiar, &TFormPpal::MCopiarClick);
  BPegar = Boton("BPegar", "Pegar", Icono::Pegar, &TFormPpal::MPegarClick);
  BDeshacer = Boton("BDeshacer", "Deshacer", Icono::Deshacer, &TFormPpal::MDeshacerClick);
  BarraHerramientas->addSeparator();
  BAnalizar =
      Boton("BAnalizar", "Analizar fichero", Icono::Analizar, &TFormPpal::MAnalizarGramaticaClick);
  BGuardarAnalisis = Boton("BGuardarAnalisis", "Guardar mensajes de análisis",
                           Icono::GuardarAnalisis, &TFormPpal::MGuardarAnalisisClick);
  BImprimirAnalisis = Boton("BImprimirAnalisis", "Imprimir mensajes de análisis",
                            Icono::ImprimirAnalisis, &TFormPpal::MImprimirAnalisisClick);
  BVerTabla =
      Boton("BVerTabla", "Ver tabla sintáctica", Icono::VerTabla, &TFormPpal::MVerTablaClick);
  BGuardarTabla = Boton("BGuardarTabla", "Guardar tabla sintáctica", Icono::GuardarTabla,
                        &TFormPpal::MGuardarTablaClick);
}

void TFormPpal::CrearAreaTrabajo() {
  PFondo = new QWidget(this);
  PFondo->setObjectName("PFondo");
  setCentralWidget(PFondo);
  Separador = new QSplitter(Qt::Vertical, PFondo);
  Separador->setObjectName("Separador");
  Separador->setChildrenCollapsible(false);
  Separador->setOpaqueResize(false);
  auto* fondo = new QVBoxLayout(PFondo);
  fondo->setContentsMargins(2, 2, 2, 2);
  fondo->addWidget(Separador);

  // The editor sits in its own pane, so that without a document the pane stays empty and the
  // message area keeps its place at the bottom.
  auto* panelEditor = new QWidget(Separador);
  panelEditor->setMinimumHeight(kMinimoPanel);
  AreaEdicion = new TEditorGramatica(panelEditor);
  AreaEdicion->setObjectName("AreaEdicion");
  auto* disposicion = new QVBoxLayout(panelEditor);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->addWidget(AreaEdicion);

  AreaMensajes = new QTabWidget(Separador);
  AreaMensajes->setObjectName("AreaMensajes");
  AreaMensajes->setMinimumHeight(kMinimoPanel);
  ListaMensajes = Lista("ListaMensajes", QAbstractItemView::SingleSelection, AreaMensajes,
                        "HMensajes", "Mensajes");
  ListaAnalisis = Lista("ListaAnalisis", QAbstractItemView::ExtendedSelection, AreaMensajes,
                        "HAnalisis", "Análisis");
  ListErrores =
      Lista("ListErrores", QAbstractItemView::SingleSelection, AreaMensajes, "HErrores", "Errores");
  AreaMensajes->setCurrentIndex(kPestanaAnalisis);
  // A click on an error, or a move onto it with the keys, marks its lines.
  connect(ListErrores, &QListWidget::itemClicked, this, &TFormPpal::ListErroresClick);
  connect(ListErrores, &QListWidget::currentRowChanged, this, &TFormPpal::ListErroresClick);

  Separador->addWidget(panelEditor);
  Separador->addWidget(AreaMensajes);
  Separador->setStretchFactor(0, 1);
  Separador->setStretchFactor(1, 0);
  Separador->setSizes({kAlto, kAltoMensajes});
}

void TFormPpal::CrearMenusContextuales() {
  MenuContextual = new QMenu(this);
  MenuContextual->setObjectName("MenuContextual");
  PUDeshacer = Accion("PUDeshacer", "&Deshacer", Icono::Deshacer, &TFormPpal::MDeshacerClick);
  PUCortar = Accion("PUCortar", "Cor&tar", Icono::Cortar, &TFormPpal::MCortarClick);
  PUCopiar = Accion("PUCopiar", "&Copiar", Icono::Copiar, &TFormPpal::MCopiarClick);
  PUPegar = Accion("PUPegar", "&Pegar", Icono::Pegar, &TFormPpal::MPegarClick);
  PUSeleccionarTodo = Accion("PUSeleccionarTodo", "&Seleccionar todo", Icono::SeleccionarTodo,
                             &TFormPpal::MSeleccionarTodoClick);
  MenuContextual->addAction(PUDeshacer);
  MenuContextual->addSeparator();
  MenuContextual->addActions({PUCortar, PUCopiar, PUPegar});
  MenuContextual->addSeparator();
  MenuContextual->addAction(PUSeleccionarTodo);
  connect(MenuContextual, &QMenu::aboutToShow, this, &TFormPpal::MenuContextualPopup);
  AreaEdicion->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(AreaEdicion, &QWidget::customContextMenuRequested, this, [this](const QPoint& punto) {
    MenuContextual->exec(AreaEdicion->viewport()->mapToGlobal(punto));
  });

  MenuContAnalisis = new QMenu(this);
  MenuContAnalisis->setObjectName("MenuContAnalisis");
  MCCopiar =
      Accion("MCCopiar", "&Copiar lineas seleccionadas", Icono::Copiar, &TFormPpal::MCCopiarClick);
  MCGuardar = Accion("MCGuardar", "&Guardar análisis...", Icono::GuardarAnalisis,
                     &TFormPpal::MGuardarAnalisisClick);
  MCImprimir = Accion("MCImprimir", "&Imprimir análisis...", Icono::ImprimirAnalisis,
                      &TFormPpal::MImprimirAnalisisClick);
  MenuContAnalisis->addActions({MCCopiar, MCGuardar, MCImprimir});
  connect(MenuContAnalisis, &QMenu::aboutToShow, this, &TFormPpal::MenuContAnalisisPopup);
  ListaAnalisis->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListaAnalisis, &QWidget::customContextMenuRequested, this, [this](const QPoint& punto) {
    // The menu is armed only while there are analysis results to act on.
    if (resultadosHabilitados)
      MenuContAnalisis->exec(ListaAnalisis->viewport()->mapToGlobal(punto));
  });
}

void TFormPpal::CrearDialogos() {
  DlgBuscar = new TDialogoBusqueda(TDialogoBusqueda::Tipo::Buscar, this);
  DlgBuscar->PonerTextoBuscado("g");
  connect(DlgBuscar, &TDialogoBusqueda::BuscarSiguiente, this, &TFormPpal::DlgBuscarFind);
  DlgReemplazar = new TDialogoBusqueda(TDialogoBusqueda::Tipo::Reemplazar, this);
  connect(DlgReemplazar, &TDialogoBusqueda::BuscarSiguiente, this, &TFormPpal::DlgReemplazarFind);
  connect(DlgReemplazar, &TDialogoBusqueda::Reemplazar, this, &TFormPpal::DlgReemplazarReplace);

  using Modo = Dialogos::DialogoFichero::Modo;
  DlgAbrir = {"DlgAbrir", Modo::Abrir, "Abrir gramática", kFiltrosGramatica, {}, {}, {}};
  DlgGuardar = {"DlgGuardar", Modo::Guardar, "Guardar gramática", kFiltrosGramatica, "gra", {}, {}};
  DlgGuardAnalisis = {"DlgGuardAnalisis",
                      Modo::Guardar,
                      "Guardar resultado del análisis",
                      QStringList{"Archivos de texto (*.txt)", kFiltrosGramatica.constLast()},
                      "txt",
                      {},
                      {}};
  DlgGuardTabla = {"DlgGuardTabla",
                   Modo::Guardar,
                   "Guardar tabla sintáctica",
                   {"Página web (*.htm)", "Página web (*.html)"},
                   "htm",
                   {},
                   {}};
}

void TFormPpal::ConectarEditor() {
  connect(AreaEdicion, &QPlainTextEdit::textChanged, this, &TFormPpal::AreaEdicionChange);
  connect(AreaEdicion, &QPlainTextEdit::selectionChanged, this,
          &TFormPpal::AreaEdicionSelectionChange);
  connect(AreaEdicion, &QPlainTextEdit::cursorPositionChanged, this,
          &TFormPpal::AreaEdicionSelectionChange);
  // The Edición items follow the editor at all times, so their shortcuts do what the menu shows.
  connect(AreaEdicion, &QPlainTextEdit::undoAvailable, this, &TFormPpal::MEdicionClick);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TFormPpal::MEdicionClick);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState e) {
    if (e == Qt::ApplicationActive) AplicacionActivate();
  });

  QList<QAction*> atajos;
  for (const QMenu* menu : {MArchivo, MEdicion, MAnalisis, MHerramientas, MAyuda})
    for (QAction* accion : menu->actions())
      if (!accion->shortcut().isEmpty()) atajos.append(accion);
  AreaEdicion->CederAtajos(atajos);
}

// ---- State shown in the window ------------------------------------------------------------------

QString TFormPpal::NombreCorto() const { return QFileInfo(documento.NombreFichero).fileName(); }

void TFormPpal::PonerTitulo(const QString& sufijo) {
  // Qt reads "[*]" in a title as the place of its modified marker; doubled, it stands for itself.
  QString escapado = sufijo;
  escapado.replace("[*]", "[*][*]");
  setWindowTitle(sufijo.isEmpty() ? kTitulo : kTitulo + " - " + escapado);
}

void TFormPpal::AgregarMensaje(const QString& texto) {
  AgregarLinea(ListaMensajes, kPestanaMensajes, texto);
}

void TFormPpal::AgregarAnalisis(const QString& texto) {
  AgregarLinea(ListaAnalisis, kPestanaAnalisis, texto);
}

void TFormPpal::AgregarLinea(QListWidget* lista, int pestana, const QString& texto) {
  lista->addItem(texto);
  AreaMensajes->setCurrentIndex(pestana);
  // Scrolling lays the whole list out: it is done once, when the command that adds the lines
  // (an analysis may add a hundred thousand) is over.
  if (listasPorDesplazar.contains(lista)) return;
  listasPorDesplazar.append(lista);
  QMetaObject::invokeMethod(
      this,
      [this, lista] {
        listasPorDesplazar.removeOne(lista);
        lista->scrollToBottom();
      },
      Qt::QueuedConnection);
}

void TFormPpal::MostrarFallo(const QString& texto) {
  dialogos->Mostrar(Dialogos::Forma::Error, texto, kTitulo);
}

// ---- Enabling ---------------------------------------------------------------------------------

bool TFormPpal::PortapapelesConTexto() const {
  const QMimeData* datos = QGuiApplication::clipboard()->mimeData();
  return datos && datos->hasText();
}

void TFormPpal::HabilitarFichero() {
  Habilitar({BGuardar, BImprimir, BAnalizar, MCerrar, MGuardar, MGuardarComo, MImprimir}, true);
  MEdicion->setEnabled(true);
  MAnalisis->setEnabled(true);
  MAnalizarGramatica->setEnabled(true);
  MEdicionClick();
  PegarSegunPortapapeles();
  DeshabilitarDeshacer();
  AreaEdicion->setEnabled(true);
  AreaEdicion->show();
}

void TFormPpal::DeshabilitarFichero() {
  Habilitar({BGuardar, BImprimir, BCortar, BCopiar, BPegar, BDeshacer, BAnalizar, MCerrar, MGuardar,
             MGuardarComo, MImprimir, MAnalizarGramatica},
            false);
  MEdicion->setEnabled(false);
  MAnalisis->setEnabled(false);
  MEdicionClick();
  AreaEdicion->setEnabled(false);
  AreaEdicion->hide();
  HabilitarTabla(false);
  DeshabilitarResultados();
  HabilitarExplicaciones(false, false);
}

void TFormPpal::HabilitarTabla(bool habilitar) {
  Habilitar({BVerTabla, BGuardarTabla, MVerTabla, MGuardarTabla, MProbarCadena}, habilitar);
}

void TFormPpal::HabilitarExplicaciones(bool explicar, bool transformar) {
  MExplicar->setEnabled(explicar);
  MTransformar->setEnabled(transformar);
  // The explanations belong to the document's last analysis.
  if (!explicar && FormExplicacion) FormExplicacion->hide();
}

void TFormPpal::HabilitarResultados() {
  Habilitar({BGuardarAnalisis, BImprimirAnalisis, MGuardarAnalisis, MImprimirAnalisis}, true);
  resultadosHabilitados = true;
}

void TFormPpal::DeshabilitarResultados() {
  Habilitar({BGuardarAnalisis, BImprimirAnalisis, MGuardarAnalisis, MImprimirAnalisis}, false);
  resultadosHabilitados = false;
}

void TFormPpal::PegarSegunPortapapeles() { BPegar->setEnabled(PortapapelesConTexto()); }

void TFormPpal::HabilitarPegar() {
  // What was just copied or cut is on the clipboard: no need to ask it.
  BPegar->setEnabled(true);
}

void TFormPpal::DeshabilitarDeshacer() {
  // Undo starts again with a text just opened, created or saved.
  BDeshacer->setEnabled(false);
}

void TFormPpal::AreaEdicionChange() {
  // Clearing the hidden editor when a document closes is no change the user could undo.
  if (documento.FicheroAbierto) BDeshacer->setEnabled(true);
}

void TFormPpal::AreaEdicionSelectionChange() {
  const bool seleccion = AreaEdicion->textCursor().hasSelection();
  BCortar->setEnabled(seleccion);
  BCopiar->setEnabled(seleccion);
  MEdicionClick();
}

void TFormPpal::MEdicionClick() {
  const bool menu = MEdicion->isEnabled();
  const bool seleccion = AreaEdicion->textCursor().hasSelection();
  MDeshacer->setEnabled(menu && AreaEdicion->document()->isUndoAvailable());
  MCortar->setEnabled(menu && seleccion);
  MCopiar->setEnabled(menu && seleccion);
  MPegar->setEnabled(menu && PortapapelesConTexto());
  Habilitar({MSeleccionarTodo, MBuscar, MRepetirBusqueda, MReemplazar, MFuente}, menu);
}

void TFormPpal::MenuContextualPopup() {
  const bool seleccion = AreaEdicion->textCursor().hasSelection();
  PUDeshacer->setEnabled(AreaEdicion->document()->isUndoAvailable());
  PUCortar->setEnabled(seleccion);
  PUCopiar->setEnabled(seleccion);
  PUPegar->setEnabled(PortapapelesConTexto());
}

void TFormPpal::MenuContAnalisisPopup() {
  MCCopiar->setEnabled(!ListaAnalisis->selectedItems().isEmpty());
}

void TFormPpal::AplicacionActivate() {
  // Without a document there is nothing to paste into.
  if (documento.FicheroAbierto) PegarSegunPortapapeles();
}

void TFormPpal::closeEvent(QCloseEvent* evento) {
  if (AreaEdicion->Modificado()) CerrarFichero();
  if (AreaEdicion->Modificado())
    evento->ignore();
  else
    evento->accept();
}
