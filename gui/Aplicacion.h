// The application object: its title, Qt's standard dialogs in Spanish, and the last resort for a
// failure that no command handled, which is shown with its own text while the program goes on.
#pragma once

#include <QApplication>
#include <functional>

class Aplicacion : public QApplication {
  Q_OBJECT

 public:
  static const QString kTitulo;

  Aplicacion(int& argc, char** argv);

  bool notify(QObject* receptor, QEvent* evento) override;

  // Shows `texto` in an error box; the main window installs its own way of showing it.
  void InformarFallo(const QString& texto);
  void PonerInformador(std::function<void(const QString&)> informador);

 private:
  std::function<void(const QString&)> informador;
};

// The text of the exception being handled: its message as the core writes it (Windows-1252),
// or nothing for a failure that carries no text.
QString TextoDelFallo(std::exception_ptr fallo);
