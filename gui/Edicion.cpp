// The editing commands of the main window: undo, cut, copy, paste, select all, font, and the
// forward-only find, repeat find and replace.
#include <QAction>
#include <QTextDocument>

#include "Buscarreemplazar.h"
#include "Editorgramatica.h"
#include "Pantallappal.h"

namespace {

QString TextoNoEncontrado(const QString& texto) {
  return "No se ha encontrado el texto \"" + texto + "\"";
}

}  // namespace

void TFormPpal::MDeshacerClick() { AreaEdicion->undo(); }

void TFormPpal::MCortarClick() {
  AreaEdicion->cut();
  BPegar->setEnabled(true);
}

void TFormPpal::MCopiarClick() {
  AreaEdicion->copy();
  BPegar->setEnabled(true);
}

void TFormPpal::MPegarClick() { AreaEdicion->paste(); }

void TFormPpal::MSeleccionarTodoClick() { AreaEdicion->selectAll(); }

void TFormPpal::MFuenteClick() {
  const std::optional<QFont> fuente = dialogos->ElegirFuente(AreaEdicion->font());
  if (!fuente) return;
  const int caret = AreaEdicion->textCursor().selectionStart();
  AreaEdicion->setFont(*fuente);
  QTextCursor cursor = AreaEdicion->textCursor();
  cursor.setPosition(caret);
  AreaEdicion->setTextCursor(cursor);
}

void TFormPpal::MBuscarClick() { DlgBuscar->MostrarVacio(); }

void TFormPpal::MRepetirBusquedaClick() { BuscarSiguiente(); }

void TFormPpal::MReemplazarClick() { DlgReemplazar->MostrarVacio(); }

void TFormPpal::DlgBuscarFind() {
  DlgBuscar->hide();
  BuscarSiguiente();
}

void TFormPpal::DlgReemplazarFind() {
  const QString texto = DlgReemplazar->TextoBuscado();
  if (!BuscarTexto(texto, DlgReemplazar->Mayusculas(), DlgReemplazar->PalabrasCompletas()))
    NoEncontrado(texto, "Texto no encontrado");
}

void TFormPpal::DlgReemplazarReplace(bool todo) {
  ReemplazarTexto(DlgReemplazar->TextoBuscado(), DlgReemplazar->TextoReemplazo(), todo,
                  DlgReemplazar->Mayusculas(), DlgReemplazar->PalabrasCompletas());
}

void TFormPpal::NoEncontrado(const QString& texto, const QString& titulo) {
  dialogos->Mostrar(Dialogos::Forma::Informacion, TextoNoEncontrado(texto), titulo);
}

bool TFormPpal::BuscarTexto(const QString& texto, bool mayusculas, bool palabras) {
  if (texto.isEmpty()) {
    dialogos->Mostrar(Dialogos::Forma::Aviso,
                      "No se ha indicado el texto a buscar\nIntroduzca el texto que desea buscar",
                      "Búsqueda vacía");
    MBuscarClick();
    return false;
  }
  QTextDocument::FindFlags opciones;
  if (mayusculas) opciones |= QTextDocument::FindCaseSensitively;
  if (palabras) opciones |= QTextDocument::FindWholeWords;
  // Downwards from the end of the selection, never wrapping round to the beginning.
  const QTextCursor hallado =
      AreaEdicion->document()->find(texto, AreaEdicion->textCursor().selectionEnd(), opciones);
  if (hallado.isNull()) return false;
  AreaEdicion->setFocus();
  QTextCursor seleccion = AreaEdicion->textCursor();
  seleccion.setPosition(hallado.selectionStart());
  seleccion.setPosition(hallado.selectionEnd(), QTextCursor::KeepAnchor);
  AreaEdicion->setTextCursor(seleccion);
  return true;
}

void TFormPpal::BuscarSiguiente() {
  const QString texto = DlgBuscar->TextoBuscado();
  if (!BuscarTexto(texto, DlgBuscar->Mayusculas(), DlgBuscar->PalabrasCompletas()))
    NoEncontrado(texto, "Texto no encontrado");
}

void TFormPpal::ReemplazarTexto(const QString& buscado, const QString& reemplazo, bool todo,
                                bool mayusculas, bool palabras) {
  const Qt::CaseSensitivity sensibilidad = mayusculas ? Qt::CaseSensitive : Qt::CaseInsensitive;
  int reemplazos = 0;
  bool hallado = false;
  // One undo takes back everything a replace-all did.
  QTextCursor bloque(AreaEdicion->document());
  bloque.beginEditBlock();
  do {
    QTextCursor cursor = AreaEdicion->textCursor();
    if (cursor.hasSelection() && cursor.selectedText().compare(buscado, sensibilidad) == 0) {
      cursor.insertText(reemplazo);
      AreaEdicion->setTextCursor(cursor);
      ++reemplazos;
    }
    // Each search starts after the text just inserted, so the loop ends even when the
    // replacement contains what is searched.
    hallado = BuscarTexto(buscado, mayusculas, palabras);
  } while (todo && hallado);
  bloque.endEditBlock();

  if (todo) {
    const QString informe = reemplazos == 0 ? TextoNoEncontrado(buscado)
                            : reemplazos == 1
                                ? QString("Realizado un único reemplazo")
                                : "Realizados " + QString::number(reemplazos) + " reemplazos";
    dialogos->Mostrar(Dialogos::Forma::Informacion, informe, "Reemplazar");
  } else if (reemplazos == 0 && !hallado) {
    NoEncontrado(buscado, "Texto no encontrado");
  }
}
