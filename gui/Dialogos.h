// Every modal interaction of the program: message boxes, the Yes/No/Cancel question, the file,
// print and font dialogs, and the program's own modal windows. The windows talk only to this
// interface; DialogosQt shows the real dialogs and the tests answer from a script.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

class Dialogos {
 public:
  enum class Forma { Error, Aviso, Informacion };
  enum class Respuesta { Si, No, Cancelar };

  // One file dialog of the window. It lives as long as the window, so it shows the file and
  // the file type chosen the last time it was confirmed.
  struct DialogoFichero {
    enum class Modo { Abrir, Guardar };
    QString nombre;  // component name, e.g. "DlgAbrir"
    Modo modo = Modo::Abrir;
    QString titulo;
    QStringList filtros;    // in the order offered; the first is chosen the first time
    QString extension;      // added to a typed name without one; empty for none
    QString ultimo;         // path confirmed last time; empty before the first use
    QString filtroElegido;  // file type confirmed last time; empty before the first use
  };

  virtual ~Dialogos() = default;

  // A box with an OK button and the icon of its form.
  virtual void Mostrar(Forma forma, const QString& texto, const QString& titulo) = 0;
  virtual Respuesta Preguntar(const QString& texto, const QString& titulo) = 0;
  // The confirmed full path, or nothing when the user cancels; updates `dialogo`'s memory.
  virtual std::optional<QString> ElegirFichero(DialogoFichero& dialogo) = 0;
  // Lets the user choose printer and copies on `impresora`; false when cancelled.
  virtual bool ElegirImpresora(QPrinter& impresora) = 0;
  virtual std::optional<QFont> ElegirFuente(const QFont& actual) = 0;
  // Shows one of the program's own modal windows and answers its result when it closes.
  virtual int Ejecutar(QDialog& ventana) = 0;
};

// The real dialogs, centred on `padre`.
class DialogosQt : public Dialogos {
 public:
  explicit DialogosQt(QWidget* padre) : padre(padre) {}

  void Mostrar(Forma forma, const QString& texto, const QString& titulo) override;
  Respuesta Preguntar(const QString& texto, const QString& titulo) override;
  std::optional<QString> ElegirFichero(DialogoFichero& dialogo) override;
  bool ElegirImpresora(QPrinter& impresora) override;
  std::optional<QFont> ElegirFuente(const QFont& actual) override;
  int Ejecutar(QDialog& ventana) override;

 private:
  QWidget* padre;
};

// Nobody at the keyboard, for headless tools (the manual's screenshots, the benchmarks): boxes
// are dropped, questions answered No, file, print and font dialogs cancelled, and the program's
// own windows shown, handed to `enVentana` while they are open, and closed.
class DialogosSinUsuario : public Dialogos {
 public:
  std::function<void(QDialog&)> enVentana;

  void Mostrar(Forma, const QString&, const QString&) override {}
  Respuesta Preguntar(const QString&, const QString&) override { return Respuesta::No; }
  std::optional<QString> ElegirFichero(DialogoFichero&) override { return std::nullopt; }
  bool ElegirImpresora(QPrinter&) override { return false; }
  std::optional<QFont> ElegirFuente(const QFont&) override { return std::nullopt; }
  int Ejecutar(QDialog& ventana) override;
};
