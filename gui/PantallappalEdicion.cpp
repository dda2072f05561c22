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

// What a replace-all changes: the text [inicio, fin) of the editor becomes `texto`, and the
// selection ends up on [marcaInicio, marcaFin) of that new text.
struct Reemplazo {
  int inicio = 0;
  int fin = 0;
  QString texto;
  int reemplazos = 0;
  int hallados = 0;  // by searching, the selection aside
  int marcaInicio = 0;
  int marcaFin = 0;
};

// A replace-all worked out in one pass over the text. It gives what replacing the selection
// when it is the text searched, then finding the next occurrence after it, and so on, would
// give, with the editor's own search rules: a search stays within a line, a no-break space in
// the text matches a blank of the searched text (but is not then replaced, since the selection
// differs from it), and a whole word may not touch a letter or digit, the one before it being
// the last character written so far.
Reemplazo CalcularReemplazo(const QString& texto, const QString& seleccionado, int desde, int hasta,
                            const QString& buscado, const QString& reemplazo,
                            Qt::CaseSensitivity sensibilidad, bool palabras) {
  Reemplazo cambio;
  cambio.inicio = desde;
  int posicion = hasta;
  bool empezado = false;
  if (!seleccionado.isEmpty() && seleccionado.compare(buscado, sensibilidad) == 0) {
    cambio.texto = reemplazo;
    cambio.reemplazos = 1;
    cambio.marcaInicio = cambio.marcaFin = static_cast<int>(reemplazo.size());
    empezado = true;
  }
  if (buscado.contains(u'\n')) {
    cambio.fin = posicion;
    return cambio;
  }
  QString buscable = texto;
  buscable.replace(QChar::Nbsp, u' ');
  const auto letra = [](QChar c) { return c.isLetterOrNumber(); };
  const int largo = static_cast<int>(buscado.size());
  for (int desdeBusqueda = posicion;;) {
    const int hallado = static_cast<int>(buscable.indexOf(buscado, desdeBusqueda, sensibilidad));
    if (hallado < 0) break;
    const int final = hallado + largo;
    if (palabras) {
      // Right after what was written, the character before is the last one written (or, when
      // nothing was, the one before the changed stretch).
      const int antes = hallado == posicion && empezado ? cambio.inicio - 1 : hallado - 1;
      const bool pegadoAntes = hallado == posicion && empezado && !cambio.texto.isEmpty()
                                   ? letra(cambio.texto.back())
                                   : antes >= 0 && letra(buscable.at(antes));
      if (pegadoAntes || (final < buscable.size() && letra(buscable.at(final)))) {
        desdeBusqueda = final + 1;
        continue;
      }
    }
    if (!empezado) {
      cambio.inicio = hallado;
      empezado = true;
    } else {
      cambio.texto += QStringView(texto).mid(posicion, hallado - posicion);
    }
    ++cambio.hallados;
    cambio.marcaInicio = static_cast<int>(cambio.texto.size());
    const QStringView encontrado = QStringView(texto).mid(hallado, largo);
    if (encontrado.compare(buscado, sensibilidad) == 0) {
      cambio.texto += reemplazo;
      ++cambio.reemplazos;
      cambio.marcaInicio = static_cast<int>(cambio.texto.size());
      cambio.marcaFin = cambio.marcaInicio;
    } else {
      cambio.texto += encontrado;
      cambio.marcaFin = static_cast<int>(cambio.texto.size());
    }
    posicion = desdeBusqueda = final;
  }
  cambio.fin = empezado ? posicion : cambio.inicio;
  return cambio;
}

}  // namespace

void TFormPpal::MDeshacerClick() { AreaEdicion->undo(); }

void TFormPpal::MCortarClick() {
  AreaEdicion->cut();
  HabilitarPegar();
}

void TFormPpal::MCopiarClick() {
  AreaEdicion->copy();
  HabilitarPegar();
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
  if (todo && !buscado.isEmpty()) {
    reemplazos = ReemplazarTodo(buscado, reemplazo, sensibilidad, palabras);
  } else {
    QTextCursor cursor = AreaEdicion->textCursor();
    if (cursor.hasSelection() && cursor.selectedText().compare(buscado, sensibilidad) == 0) {
      cursor.insertText(reemplazo);
      AreaEdicion->setTextCursor(cursor);
      ++reemplazos;
    }
    hallado = BuscarTexto(buscado, mayusculas, palabras);
  }

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

int TFormPpal::ReemplazarTodo(const QString& buscado, const QString& reemplazo,
                              Qt::CaseSensitivity sensibilidad, bool palabras) {
  const QTextCursor actual = AreaEdicion->textCursor();
  const Reemplazo cambio = CalcularReemplazo(
      AreaEdicion->Texto(), actual.hasSelection() ? actual.selectedText() : QString(),
      actual.selectionStart(), actual.selectionEnd(), buscado, reemplazo, sensibilidad, palabras);
  if (cambio.reemplazos == 0 && cambio.hallados == 0) return 0;
  if (cambio.hallados > 0) AreaEdicion->setFocus();
  QTextCursor cursor(AreaEdicion->document());
  if (cambio.reemplazos > 0) {
    // One edit, so one undo takes back everything a replace-all did.
    cursor.setPosition(cambio.inicio);
    cursor.setPosition(cambio.fin, QTextCursor::KeepAnchor);
    cursor.insertText(cambio.texto);
  }
  cursor.setPosition(cambio.inicio + cambio.marcaInicio);
  cursor.setPosition(cambio.inicio + cambio.marcaFin, QTextCursor::KeepAnchor);
  AreaEdicion->setTextCursor(cursor);
  return cambio.reemplazos;
}
