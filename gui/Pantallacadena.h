// The window "Probar cadena": runs the parse table of the last analysis on a sentence the user
// types, all at once or a step at a time, with the parser's stack, input and action at each step,
// the verdict, and the parse tree growing as the steps go.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "Dialogos.h"
#include "Reconocedor.h"

class CGramatica;
class CTablaSintactica;
class ModeloPasos;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class TVistaArbol;

class TFormCadena : public QDialog {
  Q_OBJECT

 public:
  struct Servicios {
    Dialogos& dialogos;
    // Writes a file whole or not at all; false on failure.
    std::function<bool(const QString& ruta, const QByteArray& bytes)> escribir;
    std::function<void(const QString&)> agregarMensaje;
    // The main window's box and line for a file that could not be written.
    std::function<void(const QString& ruta)> errorAlGuardar;
  };

  TFormCadena(Servicios servicios, QWidget* padre);
  ~TFormCadena() override;

  // Shows the window modally for the grammar and table of the last analysis; returns when it
  // closes. Nothing points into them afterwards.
  void MostrarCadena(const CGramatica& gramatica, const CTablaSintactica& tabla);

  // The commands of the window's buttons.
  void Reconocer();
  void Paso();
  void Reiniciar();
  void GuardarArbol();

  const Reconocimiento* Resultado() const { return reconocimiento ? &*reconocimiento : nullptr; }
  int PasoActual() const { return pasoActual; }

 private:
  bool Preparar();
  void MostrarPaso(int paso);
  void HabilitarGuardarArbol();

  Servicios servicios;
  const CGramatica* gramatica = nullptr;
  const CTablaSintactica* tabla = nullptr;
  std::optional<Reconocimiento> reconocimiento;
  QString fraseReconocida;
  int pasoActual = -1;
  std::unique_ptr<ModeloPasos> modelo;
  Dialogos::DialogoFichero DlgGuardArbol;

  QComboBox* Frase;
  QPushButton* BReconocer;
  QPushButton* BPaso;
  QPushButton* BReiniciar;
  QPushButton* BGuardarArbol;
  QTableView* ListaPasos;
  QLabel* Veredicto;
  TVistaArbol* Arbol;
};
