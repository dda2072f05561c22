// The main window: the editor of one grammar document at a time, its menus, tool bar and context
// menus, and the tabbed lists of messages, analysis trace and errors below the editor.
// Pantallappal.cpp builds it and keeps its enabling rules; its commands live in
// PantallappalDocumentos.cpp (files and printing), PantallappalEdicion.cpp (editing, find and
// replace), PantallappalAnalisis.cpp (the analysis and its lists) and PantallappalResultados.cpp
// (the trace and the table, the Herramientas menu, the manual and the about box).
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <iosfwd>
#include <memory>

#include "Dialogos.h"
#include "Iconos.h"

class CGramatica;
class CTablaSintactica;
class QAction;
class QListWidget;
class QMenu;
class QPrinter;
class QSplitter;
class QTabWidget;
class QToolBar;
class TDialogoBusqueda;
class TEditorGramatica;
class TFormCadena;
class TFormExplicacion;
class TFormTabla;
class TFrAcerca;
class TFrmImpresion;

class TFormPpal : public QMainWindow {
  Q_OBJECT

 public:
  // `argumentos` are the command-line arguments after the program's name: joined with single
  // blanks they name a grammar file to open. Without `dialogos` the real Qt dialogs are used.
  explicit TFormPpal(const QStringList& argumentos = {},
                     std::unique_ptr<Dialogos> dialogos = nullptr, QWidget* padre = nullptr);
  ~TFormPpal() override;

  struct Documento {
    QString NombreFichero;  // full path, or "nuevo" for a document never saved
    bool FicheroAbierto = false;
    bool FicheroNuevo = false;  // no file of its own yet: Guardar behaves as Guardar como
  };
  const Documento& EstadoDocumento() const { return documento; }

  // Message lists.
  void AgregarMensaje(const QString& texto);
  void AgregarAnalisis(const QString& texto);

  // Enabling of commands.
  void HabilitarFichero();
  void DeshabilitarFichero();
  void HabilitarResultados();
  void DeshabilitarResultados();

  // Documents.
  // False when the open document stays (its question was cancelled or its save failed).
  bool NuevoFichero();
  void AbrirFichero(const QString& ruta);
  void CerrarFichero();
  void GuardarFichero();
  void GuardarFicheroComo(const QString& ruta);
  void ImprimirFichero(int copias);

  // Editing.
  bool BuscarTexto(const QString& texto, bool mayusculas, bool palabras);
  void BuscarSiguiente();
  void ReemplazarTexto(const QString& buscado, const QString& reemplazo, bool todo, bool mayusculas,
                       bool palabras);

  // Analysis and its results.
  // What "Analizar gramática" runs on the editor's text: the analysis driver, unless a test puts
  // in another (one that runs out of memory, say).
  using Analizador =
      std::function<std::unique_ptr<CTablaSintactica>(std::unique_ptr<CGramatica>&, std::istream&)>;
  void PonerAnalizador(Analizador analizador);
  void AnalizarFichero();
  void MostrarErrores();
  void ResaltarError(int indice);
  // Marks the lines (from 1) in red and leaves the caret at the start of the last one; lines
  // the text no longer has are left out.
  void MarcarLineas(const QList<int>& lineas);
  void RestaurarColor();
  void GuardarAnalisisEn(const QString& ruta);
  void GuardarTablaEn(const QString& ruta);
  // The grammar and the parse table of the last analysis; the table is null when it found errors.
  const CGramatica* GramaticaActual() const { return Gramatica.get(); }
  const CTablaSintactica* TablaActual() const { return Tabla.get(); }

  // The program became the active application again.
  void AplicacionActivate();
  // Shows a failure that no command handled, with its own text.
  void MostrarFallo(const QString& texto);

 protected:
  // Closing the window asks to save unsaved changes first (FormCloseQuery).
  void closeEvent(QCloseEvent* evento) override;
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  enum Pestana { kPestanaMensajes = 0, kPestanaAnalisis = 1, kPestanaErrores = 2 };

  void CrearComponentes();
  void CrearMenuArchivo();
  void CrearMenuEdicion();
  void CrearMenuAnalisis();
  void CrearMenuHerramientas();
  void CrearMenuAyuda();
  void CrearBarraHerramientas();
  void CrearMenusContextuales();
  void CrearAreaTrabajo();
  void CrearDialogos();
  void CrearVentanas();
  void ConectarEditor();
  void FormCreate(const QStringList& argumentos);

  using Manejador = void (TFormPpal::*)();
  QAction* Accion(const char* nombre, const QString& texto, Icono icono, Manejador manejador,
                  const QKeySequence& atajo = {});
  QAction* Boton(const char* nombre, const QString& pista, Icono icono, Manejador manejador);

  QString NombreCorto() const;
  void PonerTitulo(const QString& sufijo);
  bool PortapapelesConTexto() const;
  void HabilitarTabla(bool habilitar);
  void AnalisisSinMemoria();
  void PegarSegunPortapapeles();
  void HabilitarPegar();
  void DeshabilitarDeshacer();
  void HabilitarExplicaciones(bool explicar, bool transformar);
  void ActualizarExplicaciones();
  void ColocarAlLado(QWidget& ventana) const;
  void AgregarLinea(QListWidget* lista, int pestana, const QString& texto);
  QStringList LineasAnalisis() const;
  QString TituloAnalisis() const;
  bool Escribir(const QString& ruta);
  void FicheroGuardado();
  void ErrorAlGuardar(const QString& ruta, const QString& detalle = {});
  void NoEncontrado(const QString& texto, const QString& titulo);
  int ReemplazarTodo(const QString& buscado, const QString& reemplazo,
                     Qt::CaseSensitivity sensibilidad, bool palabras);

  // Handlers of the commands (the tool-bar buttons run those of their menu items).
  void MNuevoClick();
  void MAbrirClick();
  void MCerrarClick();
  void MGuardarClick();
  void MGuardarComoClick();
  void MImprimirClick();
  void MSalirClick();
  void MDeshacerClick();
  void MCortarClick();
  void MCopiarClick();
  void MPegarClick();
  void MSeleccionarTodoClick();
  void MBuscarClick();
  void MRepetirBusquedaClick();
  void MReemplazarClick();
  void MFuenteClick();
  void MAnalizarGramaticaClick();
  void MGuardarAnalisisClick();
  void MImprimirAnalisisClick();
  void MVerTablaClick();
  void MGuardarTablaClick();
  void MUsuarioClick();
  void MAcercaClick();
  void MProbarCadenaClick();
  void MExplicarClick();
  void MTransformarClick();
  void MCCopiarClick();
  void DlgBuscarFind();
  void DlgReemplazarFind();
  void DlgReemplazarReplace(bool todo);
  void AreaEdicionChange();
  void AreaEdicionSelectionChange();
  void MEdicionClick();
  void MenuContextualPopup();
  void MenuContAnalisisPopup();
  void ListErroresClick();

  std::unique_ptr<Dialogos> dialogos;
  Documento documento;
  // The table points into the grammar, so it goes first.
  std::unique_ptr<CGramatica> Gramatica;
  std::unique_ptr<CTablaSintactica> Tabla;
  Analizador analizar;  // empty: the analysis driver
  bool lineaComandosConsumida = false;
  bool resultadosHabilitados = false;

  // Menu bar and its items.
  QMenu* MArchivo;
  QMenu* MEdicion;
  QMenu* MAnalisis;
  QMenu* MAyuda;
  QAction *MNuevo, *MAbrir, *MCerrar, *MGuardar, *MGuardarComo, *MImprimir, *MSalir;
  QAction *MDeshacer, *MCortar, *MCopiar, *MPegar, *MSeleccionarTodo, *MBuscar, *MRepetirBusqueda,
      *MReemplazar, *MFuente;
  QAction *MAnalizarGramatica, *MGuardarAnalisis, *MImprimirAnalisis, *MVerTabla, *MGuardarTabla;
  QAction *MUsuario, *MAcerca;
  // Tools beyond the analysis itself, in a menu of their own.
  QMenu* MHerramientas;
  QAction *MProbarCadena, *MExplicar, *MTransformar;
  // Tool bar.
  QToolBar* BarraHerramientas;
  QAction *BNuevo, *BAbrir, *BGuardar, *BImprimir, *BCortar, *BCopiar, *BPegar, *BDeshacer,
      *BAnalizar, *BGuardarAnalisis, *BImprimirAnalisis, *BVerTabla, *BGuardarTabla;
  // Context menus.
  QMenu* MenuContextual;
  QAction *PUDeshacer, *PUCortar, *PUCopiar, *PUPegar, *PUSeleccionarTodo;
  QMenu* MenuContAnalisis;
  QAction *MCCopiar, *MCGuardar, *MCImprimir;
  // Editor and message area.
  QWidget* PFondo;
  QSplitter* Separador;
  TEditorGramatica* AreaEdicion;
  QTabWidget* AreaMensajes;
  QListWidget* ListaMensajes;
  QListWidget* ListaAnalisis;
  QListWidget* ListErrores;
  // Dialogs.
  TDialogoBusqueda* DlgBuscar;
  TDialogoBusqueda* DlgReemplazar;
  std::unique_ptr<QPrinter> DlgImprimir;  // the printer the print dialog sets up
  Dialogos::DialogoFichero DlgAbrir;
  Dialogos::DialogoFichero DlgGuardar;
  Dialogos::DialogoFichero DlgGuardAnalisis;
  Dialogos::DialogoFichero DlgGuardTabla;
  // The program's other windows, created after this one in this order.
  TFrAcerca* FrAcerca = nullptr;
  TFormTabla* FormTabla = nullptr;
  TFrmImpresion* FrmImpresion = nullptr;
  TFormCadena* FormCadena = nullptr;
  TFormExplicacion* FormExplicacion = nullptr;
  QList<QListWidget*> listasPorDesplazar;
};
