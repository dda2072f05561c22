// The modeless find and replace dialogs: the text to find (and its replacement), match case and
// whole word; the search always goes downwards. Buttons that search are offered only while there
// is a text to find.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TDialogoBusqueda : public QDialog {
  Q_OBJECT

 public:
  enum class Tipo { Buscar, Reemplazar };
  TDialogoBusqueda(Tipo tipo, QWidget* padre);

  QString TextoBuscado() const;
  QString TextoReemplazo() const;
  bool Mayusculas() const;
  bool PalabrasCompletas() const;

  void PonerTextoBuscado(const QString& texto);
  // Empties the texts and shows the dialog in front, ready for typing.
  void MostrarVacio();

 signals:
  void BuscarSiguiente();
  void Reemplazar(bool todo);

 private:
  void ActualizarBotones();

  QLineEdit* textoBuscado;
  QLineEdit* textoReemplazo = nullptr;
  QCheckBox* palabrasCompletas;
  QCheckBox* mayusculas;
  QList<QPushButton*> botonesDeBusqueda;
};
