// The grammar editor: plain text without wrapping, which gives way to the window's shortcuts,
// copies plain text only, and marks ranges in colour without touching the text, its undo
// history or its modified flag.
#pragma once

#include <QList>
#include <QPlainTextEdit>
#include <memory>

class QAction;
class QTextDocument;

class TEditorGramatica : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TEditorGramatica(QWidget* padre = nullptr);

  // The whole text with '\n' between lines and every character as stored (no-break spaces
  // stay no-break spaces).
  QString Texto() const;
  // Replaces the whole text; the undo history starts again and the text counts as unmodified.
  void PonerTexto(const QString& texto);
  bool Modificado() const;
  void PonerModificado(bool modificado);

  // Key sequences of these actions reach the actions even while the editor has the focus,
  // whenever the action is enabled.
  void CederAtajos(QList<QAction*> acciones);

  // Shows the characters [inicio, inicio + longitud) in `color`.
  void Colorear(int inicio, int longitud, const QColor& color);
  // Shows every character in the normal text colour again.
  void RestaurarColor();

  // A copy of the document as shown (font and coloured ranges), for printing.
  std::unique_ptr<QTextDocument> CopiaParaImprimir() const;

 protected:
  bool event(QEvent* evento) override;
  QMimeData* createMimeDataFromSelection() const override;

 private:
  QList<QAction*> accionesCedidas;
};

// The font the editor starts with: "Courier New" 10 pt, or the system's fixed-pitch font at
// 10 pt where that typeface is missing.
QFont FuenteInicialEditor();
