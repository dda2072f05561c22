// Scripted modal interactions: every box and dialog the window asks for is recorded, and the
// answers come from queues the test fills beforehand. An unscripted question is answered with
// Cancel (and shows up in the record).
#pragma once

#include <QDialog>
#include <QList>
#include <QPrinter>
#include <QStringList>
#include <functional>

#include "Dialogos.h"

class DialogosGuion : public Dialogos {
 public:
  // One line per interaction: "kind|caption|text".
  QStringList registro;
  QList<DialogoFichero> dialogosFichero;  // what each file dialog was opened with
  QPrinter* impresora = nullptr;          // the printer the print dialog was opened on

  QList<Respuesta> respuestas;
  QList<std::optional<QString>> ficheros;
  QList<std::function<bool(QPrinter&)>> impresoras;
  QList<std::optional<QFont>> fuentes;
  // What the user does in each of the program's own modal windows while it is shown; without
  // a script the window is shown and closed at once.
  QList<std::function<int(QDialog&)>> ventanas;

  void Mostrar(Forma forma, const QString& texto, const QString& titulo) override {
    const char* tipo = forma == Forma::Error ? "error" : forma == Forma::Aviso ? "aviso" : "info";
    registro.append(QString(tipo) + "|" + titulo + "|" + texto);
  }

  Respuesta Preguntar(const QString& texto, const QString& titulo) override {
    registro.append("pregunta|" + titulo + "|" + texto);
    return respuestas.isEmpty() ? Respuesta::Cancelar : respuestas.takeFirst();
  }

  std::optional<QString> ElegirFichero(DialogoFichero& dialogo) override {
    registro.append("fichero|" + dialogo.titulo + "|");
    dialogosFichero.append(dialogo);
    return ficheros.isEmpty() ? std::nullopt : ficheros.takeFirst();
  }

  bool ElegirImpresora(QPrinter& elegida) override {
    registro.append("impresora||");
    impresora = &elegida;
    return !impresoras.isEmpty() && impresoras.takeFirst()(elegida);
  }

  std::optional<QFont> ElegirFuente(const QFont&) override {
    registro.append("fuente||");
    return fuentes.isEmpty() ? std::nullopt : fuentes.takeFirst();
  }

  int Ejecutar(QDialog& ventana) override {
    registro.append("ventana|" + ventana.windowTitle() + "|");
    ventana.show();
    const int resultado = ventanas.isEmpty() ? QDialog::Rejected : ventanas.takeFirst()(ventana);
    ventana.hide();
    return resultado;
  }

  // The kinds and captions only, for tests that do not care about the texts.
  QStringList Titulos() const {
    QStringList titulos;
    for (const QString& linea : registro) titulos.append(linea.section('|', 0, 1));
    return titulos;
  }
};
