#include "Dialogos.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

void DialogosQt::Mostrar(Forma forma, const QString& texto, const QString& titulo) {
  switch (forma) {
    case Forma::Error:
      QMessageBox::critical(padre, titulo, texto);
      break;
    case Forma::Aviso:
      QMessageBox::warning(padre, titulo, texto);
      break;
    case Forma::Informacion:
      QMessageBox::information(padre, titulo, texto);
      break;
  }
}

Dialogos::Respuesta DialogosQt::Preguntar(const QString& texto, const QString& titulo) {
  const auto boton = QMessageBox::question(padre, titulo, texto,
                                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                           QMessageBox::Yes);
  if (boton == QMessageBox::Yes) return Respuesta::Si;
  if (boton == QMessageBox::No) return Respuesta::No;
  return Respuesta::Cancelar;
}

std::optional<QString> DialogosQt::ElegirFichero(DialogoFichero& dialogo) {
  QFileDialog dlg(padre, dialogo.titulo);
  dlg.setObjectName(dialogo.nombre);
  const bool guardar = dialogo.modo == DialogoFichero::Modo::Guardar;
  dlg.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dlg.setNameFilters(dialogo.filtros);
  dlg.selectNameFilter(dialogo.filtroElegido.isEmpty() ? dialogo.filtros.value(0)
                                                       : dialogo.filtroElegido);
  dlg.setDefaultSuffix(dialogo.extension);
  if (!dialogo.ultimo.isEmpty()) {
    const QFileInfo ultimo(dialogo.ultimo);
    dlg.setDirectory(ultimo.absolutePath());
    dlg.selectFile(ultimo.fileName());
  }
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  dialogo.ultimo = dlg.selectedFiles().constFirst();
  dialogo.filtroElegido = dlg.selectedNameFilter();
  return dialogo.ultimo;
}

bool DialogosQt::ElegirImpresora(QPrinter& impresora) {
  QPrintDialog dlg(&impresora, padre);
  dlg.setObjectName("DlgImprimir");
  // Every printout honours a range of pages, so the dialog may offer it.
  dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
  return dlg.exec() == QDialog::Accepted;
}

std::optional<QFont> DialogosQt::ElegirFuente(const QFont& actual) {
  // Without its style name the dialog would preselect the first style it lists (often an
  // oblique one) rather than the style the editor shows.
  QFont inicial = actual;
  if (inicial.styleName().isEmpty()) inicial.setStyleName(QFontInfo(actual).styleName());
  QFontDialog dlg(inicial, padre);
  dlg.setObjectName("DlgFuente");
  dlg.setOption(QFontDialog::DontUseNativeDialog);
  // Typeface, style and size only: the group of effects (underline, strike-out) is hidden, and
  // keeps its place so that the lists above keep their height.
  for (QGroupBox* grupo : dlg.findChildren<QGroupBox*>()) {
    if (grupo->findChildren<QCheckBox*>().isEmpty()) continue;
    QSizePolicy politica = grupo->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    grupo->setSizePolicy(politica);
    grupo->hide();
  }
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.selectedFont();
}

int DialogosQt::Ejecutar(QDialog& ventana) { return ventana.exec(); }

int DialogosSinUsuario::Ejecutar(QDialog& ventana) {
  ventana.show();
  QApplication::processEvents();
  if (enVentana) enVentana(ventana);
  ventana.hide();
  return QDialog::Accepted;
}
