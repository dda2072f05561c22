// The main window's commands on the results of the last analysis (save and print the trace,
// view and save the parse table) and the Ayuda menu (the user manual and the about box).
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPrinter>
#include <QUrl>
#include <sstream>

#include "Acercade.h"
#include "Cgramatica.h"
#include "Ficherogramatica.h"
#include "Impresion.h"
#include "Paginacion.h"
#include "Pantallacadena.h"
#include "Pantallappal.h"
#include "Pantallatabla.h"
#include "Tablasintactica.h"
#include "Texto1252.h"

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
