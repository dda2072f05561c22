#include "Editorgramatica.h"

#include <QAction>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>
#include <algorithm>

namespace {

QString SinSeparadoresDeParrafo(QString texto) {
  return texto.replace(QChar::ParagraphSeparator, u'\n');
}

}  // namespace

QFont FuenteInicialEditor() {
  const QFont pedida("Courier New", 10);
  if (QFontInfo(pedida).family() == pedida.family()) return pedida;
  // Named by the typeface actually found, so that the font dialog shows it as chosen.
  const QFont sistema = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  return QFont(QFontInfo(sistema).family(), 10);
}

TEditorGramatica::TEditorGramatica(QWidget* padre) : QPlainTextEdit(padre) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(false);
  setFont(FuenteInicialEditor());
  // The selection stays as visible as with the focus when the focus goes to a dialog.
  QPalette paleta = palette();
  for (const auto rol : {QPalette::Highlight, QPalette::HighlightedText})
    paleta.setColor(QPalette::Inactive, rol, paleta.color(QPalette::Active, rol));
  setPalette(paleta);
}

QString TEditorGramatica::Texto() const { return SinSeparadoresDeParrafo(document()->toRawText()); }

void TEditorGramatica::PonerTexto(const QString& texto) {
  RestaurarColor();
  setPlainText(texto);
  document()->clearUndoRedoStacks();
  document()->setModified(false);
}

bool TEditorGramatica::Modificado() const { return document()->isModified(); }

void TEditorGramatica::PonerModificado(bool modificado) { document()->setModified(modificado); }

void TEditorGramatica::CederAtajos(QList<QAction*> acciones) {
  accionesCedidas = std::move(acciones);
}

bool TEditorGramatica::event(QEvent* evento) {
  if (evento->type() == QEvent::ShortcutOverride) {
    const QKeySequence tecla(static_cast<QKeyEvent*>(evento)->keyCombination());
    for (const QAction* accion : accionesCedidas) {
      if (accion->isEnabled() && accion->shortcuts().contains(tecla)) {
        evento->ignore();
        return true;
      }
    }
  }
  return QPlainTextEdit::event(evento);
}

QMimeData* TEditorGramatica::createMimeDataFromSelection() const {
  auto* datos = new QMimeData;
  datos->setText(SinSeparadoresDeParrafo(textCursor().selectedText()));
  return datos;
}

void TEditorGramatica::Colorear(int inicio, int longitud, const QColor& color) {
  // Positions outside the current text are brought inside it, so a stale range marks less
  // rather than failing.
  const int ultima = document()->characterCount() - 1;
  QTextEdit::ExtraSelection marca;
  marca.cursor = QTextCursor(document());
  marca.cursor.setPosition(std::clamp(inicio, 0, ultima));
  marca.cursor.setPosition(std::clamp(inicio + longitud, 0, ultima), QTextCursor::KeepAnchor);
  marca.format.setForeground(color);
  QList<QTextEdit::ExtraSelection> marcas = extraSelections();
  marcas.append(marca);
  setExtraSelections(marcas);
}

void TEditorGramatica::RestaurarColor() { setExtraSelections({}); }

std::unique_ptr<QTextDocument> TEditorGramatica::CopiaParaImprimir() const {
  std::unique_ptr<QTextDocument> copia(document()->clone());
  copia->setDefaultFont(font());
  for (const QTextEdit::ExtraSelection& marca : extraSelections()) {
    QTextCursor cursor(copia.get());
    cursor.setPosition(marca.cursor.selectionStart());
    cursor.setPosition(marca.cursor.selectionEnd(), QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(marca.format);
  }
  return copia;
}
