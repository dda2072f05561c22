// The window "Explicación de los conflictos": the LL(1) errors of the last analysis that have an
// explanation (a witness for a conflict, the cycle for left recursion) and the warnings about
// useless symbols. Choosing one shows it and marks the lines it concerns in the editor. It holds
// texts and line numbers only, so it may stay open while the user edits and analyses again.
#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>
#include <vector>

class QListWidget;
class QPlainTextEdit;

class TFormExplicacion : public QDialog {
  Q_OBJECT

 public:
  struct Entrada {
    QString titulo;       // the error's message, or the warning
    QStringList detalle;  // the whole explanation
    QList<int> lineas;    // the lines of the grammar text it concerns
  };

  // `marcar` marks lines of the editor.
  TFormExplicacion(std::function<void(const QList<int>&)> marcar, QWidget* padre);

  // Replaces what the window lists.
  void Poner(std::vector<Entrada> nuevas);
  const std::vector<Entrada>& Entradas() const { return entradas; }
  // Shows entry `indice` and marks its lines.
  void Elegir(int indice);

 private:
  std::function<void(const QList<int>&)> marcar;
  std::vector<Entrada> entradas;
  QListWidget* ListaExplicaciones;
  QPlainTextEdit* TextoExplicacion;
};
