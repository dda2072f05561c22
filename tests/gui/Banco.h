// A main window on a scripted dialog interface, with a temporary folder for its files and short
// ways to reach its components.
#pragma once

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "DialogosGuion.h"
#include "Editorgramatica.h"
#include "Pantallappal.h"

struct Banco {
  QTemporaryDir carpeta;
  DialogosGuion* guion;
  std::unique_ptr<TFormPpal> ventana;

  explicit Banco(const QStringList& argumentos = {}) {
    auto dialogos = std::make_unique<DialogosGuion>();
    guion = dialogos.get();
    ventana = std::make_unique<TFormPpal>(argumentos, std::move(dialogos));
  }

  template <class T>
  T* Componente(const char* nombre) const {
    T* componente = ventana->findChild<T*>(nombre);
    if (!componente) qFatal("no hay componente %s", nombre);
    return componente;
  }
  QAction* Accion(const char* nombre) const { return Componente<QAction>(nombre); }
  QToolButton* Boton(const char* nombre) const { return Componente<QToolButton>(nombre); }
  TEditorGramatica* Editor() const { return Componente<TEditorGramatica>("AreaEdicion"); }
  const TFormPpal::Documento& Documento() const { return ventana->EstadoDocumento(); }

  QStringList Lineas(const char* lista) const {
    QStringList lineas;
    const auto* componente = Componente<QListWidget>(lista);
    for (int i = 0; i < componente->count(); ++i) lineas.append(componente->item(i)->text());
    return lineas;
  }
  QStringList Mensajes() const { return Lineas("ListaMensajes"); }

  QString Ruta(const QString& nombre) const { return carpeta.filePath(nombre); }
  QString CrearFichero(const QString& nombre, const QByteArray& bytes) const {
    QFile fichero(Ruta(nombre));
    if (!fichero.open(QIODevice::WriteOnly) || fichero.write(bytes) != bytes.size())
      qFatal("no se pudo preparar %s", qPrintable(nombre));
    return fichero.fileName();
  }
  static QByteArray Contenido(const QString& ruta) {
    QFile fichero(ruta);
    return fichero.open(QIODevice::ReadOnly) ? fichero.readAll() : QByteArray("<ausente>");
  }

  // A document with `texto` typed into it after Nuevo.
  void NuevoCon(const QString& texto) {
    ventana->NuevoFichero();
    Editor()->insertPlainText(texto);
  }
  // Shows the window, makes it active and gives the editor the focus, as a user sees it.
  bool MostrarConEditor() {
    ventana->show();
    ventana->activateWindow();
    if (!QTest::qWaitForWindowActive(ventana.get())) return false;
    Editor()->setFocus();
    return Editor()->hasFocus();
  }
  void Seleccionar(int desde, int hasta) {
    QTextCursor cursor = Editor()->textCursor();
    cursor.setPosition(desde);
    cursor.setPosition(hasta, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(cursor);
  }
  QPair<int, int> Seleccion() const {
    const QTextCursor cursor = Editor()->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd()};
  }
};
