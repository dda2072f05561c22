// The table window: the parse table of the last successful analysis as a grid, shown modally
// over the main window, with buttons to print it, save it as a web page, or close.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "Rejillatabla.h"

class CTablaSintactica;
class Dialogos;
class QPrinter;
class QPushButton;
class QTableView;
class ModeloRejilla;

class TFormTabla : public QDialog {
  Q_OBJECT

 public:
  // What the window needs from the main window.
  struct Servicios {
    Dialogos& dialogos;   // its modal interactions, the print dialog among them
    QPrinter& impresora;  // the printer that dialog sets up
    // The printing form's ImprimirTabla: prints the grid; false when the printer refuses.
    std::function<bool(const RejillaTabla&, int copias)> imprimirTabla;
    std::function<void()> guardarTabla;                  // the main window's save-table command
    std::function<void(const QString&)> agregarMensaje;  // a line in "Mensajes"
  };

  TFormTabla(Servicios servicios, QWidget* padre);
  ~TFormTabla() override;

  // Fills the grid with the table's texts and shows the window modally, centred on the main
  // window; returns when it closes. Nothing points into the table afterwards.
  void MostrarTabla(const CTablaSintactica& tabla);
  // Fills the grid and works out the size at which every column and row fits.
  void Rellenar(const CTablaSintactica& tabla);

  // The grid's texts; they stay after the window closes.
  const RejillaTabla& Rejilla() const { return rejilla; }
  int AnchoTabla() const { return anchoTabla; }
  int AltoTabla() const { return altoTabla; }

 protected:
  void showEvent(QShowEvent* evento) override;
  void resizeEvent(QResizeEvent* evento) override;

 private:
  void FormShow();
  void FormResize();
  void BImprimirClick();
  void BGuardarClick();
  void BSalirClick();
  int AltoBarraHorizontal() const;

  Servicios servicios;
  RejillaTabla rejilla;
  std::unique_ptr<ModeloRejilla> modelo;
  QTableView* ListaTabla;
  QWidget* PanelBotones;
  QPushButton* BImprimir;
  QPushButton* BGuardar;
  QPushButton* BSalir;
  int anchoTabla = 0;
  int altoTabla = 0;
};
