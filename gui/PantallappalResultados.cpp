// The main window's commands on the results of the last analysis: save and print the trace,
// view and save the parse table, and the Herramientas menu (try a sentence, explain the
// conflicts, propose a grammar); and the Ayuda menu (the user manual and the about box).
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPrinter>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <sstream>

#include "Acercade.h"
#include "Avisos.h"
#include "Cgramatica.h"
#include "Editorgramatica.h"
#include "Errores.h"
#include "Explicacion.h"
#include "Ficherogramatica.h"
#include "Impresion.h"
#include "Paginacion.h"
#include "Pantallacadena.h"
#include "Pantallaexplicacion.h"
#include "Pantallappal.h"
#include "Pantallatabla.h"
#include "Tablasintactica.h"
#include "Texto1252.h"
#include "Transformacion.h"

namespace {

// The error records of the last analysis.
std::vector<Error> RegistrosErrores() {
  std::vector<Error> registros;
  registros.reserve(static_cast<std::size_t>(listaErrores.NumErrores()));
  for (int i = 0; i < listaErrores.NumErrores(); ++i) registros.push_back(listaErrores.Obtener(i));
  return registros;
}

bool TextoLeido(const std::vector<Error>& registros) {
  return std::none_of(registros.begin(), registros.end(), [](const Error& e) {
    return static_cast<int>(e.Codigo()) < static_cast<int>(kPrimerCodigoLL1);
  });
}

// Errors whose witness or cycle can be shown.
bool Explicable(const Error& error) {
  switch (error.Codigo()) {
    case CodigoError::RecursividadIzquierda:
    case CodigoError::FirstCompartido:
    case CodigoError::DosProduccionesAnulables:
    case CodigoError::EnFirstYFollow:
      return true;
    default:
      return false;
  }
}

QStringList Unicode(const std::vector<std::string>& lineas) {
  QStringList texto;
  for (const std::string& linea : lineas) texto.append(AUnicode(linea));
  return texto;
}

// What the explanation window lists for the grammar and errors of an analysis.
std::vector<TFormExplicacion::Entrada> Entradas(const CGramatica* gramatica,
                                                const std::vector<Error>& registros) {
  std::vector<TFormExplicacion::Entrada> entradas;
  for (const Explicacion& explicacion : Explicar(gramatica, registros)) {
    TFormExplicacion::Entrada entrada{
        AUnicode(explicacion.registro.Mensaje()), Unicode(LineasExplicacion(explicacion)), {}};
    for (const CProduccion* produccion : explicacion.producciones)
      entrada.lineas.append(produccion->Linea());
    for (const PasoCiclo& paso : explicacion.ciclo) entrada.lineas.append(paso.produccion->Linea());
    entradas.push_back(std::move(entrada));
  }
  for (const Aviso& aviso : BuscarAvisos(gramatica, registros)) {
    const QString texto = AUnicode(TextoAviso(aviso));
    entradas.push_back({texto, {texto}, {aviso.simbolo->Linea()}});
  }
  return entradas;
}

}  // namespace

// Beside the main window, on the side with more room, so that the lines it marks in the editor
// stay in sight.
void TFormPpal::ColocarAlLado(QWidget& ventana) const {
  const QRect pantalla = screen()->availableGeometry();
  const QRect principal = frameGeometry();
  const int derecha = pantalla.right() - principal.right();
  const int izquierda = principal.left() - pantalla.left();
  // Narrower, down to a width that still reads well, where the room beside is short.
  const QSize marco = ventana.frameGeometry().size() - ventana.size();
  const int ancho = std::clamp(std::max(derecha, izquierda) - marco.width(), 380, ventana.width());
  ventana.resize(ancho, ventana.height());
  QRect destino(QPoint(), ventana.size() + marco);
  if (derecha >= izquierda)
    destino.moveLeft(std::min(principal.right() + 1, pantalla.right() + 1 - destino.width()));
  else
    destino.moveRight(std::max(principal.left() - 1, pantalla.left() + destino.width() - 1));
  destino.moveTop(std::clamp(principal.top(), pantalla.top(),
                             std::max(pantalla.top(), pantalla.bottom() + 1 - destino.height())));
  ventana.move(destino.topLeft());
}

void TFormPpal::ActualizarExplicaciones() {
  const std::vector<Error> registros = RegistrosErrores();
  const bool leido = Gramatica && TextoLeido(registros);
  bool explicable = std::any_of(registros.begin(), registros.end(), Explicable);
  if (leido && !explicable) explicable = !BuscarAvisos(Gramatica.get(), registros).empty();
  HabilitarExplicaciones(leido && explicable, leido && !registros.empty());
  // An open window follows each new analysis.
  if (FormExplicacion->isVisible()) FormExplicacion->Poner(Entradas(Gramatica.get(), registros));
}

void TFormPpal::MExplicarClick() {
  if (!Gramatica) return;
  FormExplicacion->Poner(Entradas(Gramatica.get(), RegistrosErrores()));
  // It opens on the first explanation, its lines marked, as if the user had chosen it.
  FormExplicacion->Elegir(0);
  if (!FormExplicacion->isVisible()) ColocarAlLado(*FormExplicacion);
  FormExplicacion->show();
  FormExplicacion->raise();
  FormExplicacion->activateWindow();
}

void TFormPpal::MTransformarClick() {
  if (!Gramatica) return;
  const QString nombre = NombreCorto();
  const Propuesta propuesta = ProponerGramatica(Gramatica.get(), RegistrosErrores());
  if (!propuesta.texto) {
    const QString motivo = "No se puede proponer una gramática: " + AUnicode(propuesta.motivo);
    dialogos->Mostrar(Dialogos::Forma::Informacion, motivo, "Transformar gramática");
    AgregarMensaje(motivo);
    return;
  }
  // The proposal is a new document; the user's own file is never touched.
  if (!NuevoFichero()) return;
  AreaEdicion->PonerTexto(DecodificarGramatica(QByteArray::fromStdString(*propuesta.texto)));
  AreaEdicion->PonerModificado(true);
  DeshabilitarDeshacer();
  AgregarMensaje("Gramática propuesta a partir de " + nombre);
  for (const std::string& paso : propuesta.pasos) AgregarMensaje(AUnicode(paso));
}

QStringList TFormPpal::LineasAnalisis() const {
  QStringList lineas;
  lineas.reserve(ListaAnalisis->count());
  for (int i = 0; i < ListaAnalisis->count(); ++i) lineas.append(ListaAnalisis->item(i)->text());
  return lineas;
}

QString TFormPpal::TituloAnalisis() const { return "Análisis LL1 de " + NombreCorto(); }

void TFormPpal::MGuardarAnalisisClick() {
  if (const auto ruta = dialogos->ElegirFichero(DlgGuardAnalisis)) GuardarAnalisisEn(*ruta);
}

void TFormPpal::GuardarAnalisisEn(const QString& ruta) {
  if (!FrmImpresion->GuardarTexto(LineasAnalisis(), TituloAnalisis(), ruta)) {
    ErrorAlGuardar(ruta);
    return;
  }
  AgregarMensaje("Análisis guardado en el fichero " + ruta);
}

void TFormPpal::MImprimirAnalisisClick() {
  if (!dialogos->ElegirImpresora(*DlgImprimir)) return;
  // One copy, whatever the dialog says: the copies are for the grammar's own printout.
  if (!FrmImpresion->ImprimirTexto(LineasAnalisis(), TituloAnalisis(), 1)) {
    MostrarFallo("No se ha podido imprimir en la impresora " + NombreImpresora(*DlgImprimir));
    return;
  }
  AgregarMensaje("Análisis impreso en la impresora " + NombreImpresora(*DlgImprimir));
}

void TFormPpal::MVerTablaClick() {
  if (Tabla) FormTabla->MostrarTabla(*Tabla);
}

void TFormPpal::MGuardarTablaClick() {
  if (const auto ruta = dialogos->ElegirFichero(DlgGuardTabla)) GuardarTablaEn(*ruta);
}

void TFormPpal::GuardarTablaEn(const QString& ruta) {
  if (!Tabla) return;
  std::ostringstream pagina;
  Tabla->EscribirHTML(pagina, ACp1252(NombreCorto()));
  if (!EscribirFichero(ruta, QByteArray::fromStdString(pagina.str()))) {
    ErrorAlGuardar(ruta);
    return;
  }
  AgregarMensaje("Tabla sintáctica guardada en " + ruta);
}

void TFormPpal::MUsuarioClick() {
  // The manual lives beside the program; without it, or without a viewer, nothing happens.
  const QString manual =
      QDir(QCoreApplication::applicationDirPath()).filePath("Manual de usuario.pdf");
  if (QFileInfo::exists(manual)) QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

void TFormPpal::MAcercaClick() { dialogos->Ejecutar(*FrAcerca); }

void TFormPpal::MProbarCadenaClick() {
  if (Tabla && Gramatica) FormCadena->MostrarCadena(*Gramatica, *Tabla);
}
