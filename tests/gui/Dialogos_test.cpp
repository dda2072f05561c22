// The real dialogs behind the window's interface, each driven once from inside its own event
// loop: what they are opened with, and what they hand back.
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "Dialogos.h"
#include "Suites.h"

namespace {

// Runs `accion` on the next modal dialog, from inside its event loop. The timer dies with the
// object, so it cannot fire into a later test.
class AlAbrirse {
 public:
  explicit AlAbrirse(std::function<void(QWidget*)> accion) {
    QObject::connect(&temporizador, &QTimer::timeout, [this, accion = std::move(accion)] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        temporizador.stop();
        accion(modal);
      }
    });
    temporizador.start(5);
  }

 private:
  QTimer temporizador;
};

Dialogos::DialogoFichero DialogoGuardar() {
  return {"DlgGuardar",
          Dialogos::DialogoFichero::Modo::Guardar,
          "Guardar gramática",
          QStringList{"Archivos de gramática LL(1) (*.ll1)", "Archivos de texto (*.txt)",
                      "Todos los archivos (*)"},
          "gra",
          {},
          {}};
}

}  // namespace

class DialogosReales : public QObject {
  Q_OBJECT

 private slots:
  void preguntaConSiNoCancelarEnEspanol() {
    DialogosQt dialogos(nullptr);
    QString visto;
    AlAbrirse alAbrirse([&visto](QWidget* w) {
      auto* caja = qobject_cast<QMessageBox*>(w);
      if (!caja) return;
      visto = caja->windowTitle() + "|" + caja->text() + "|" +
              caja->button(QMessageBox::Yes)->text() + "|" +
              caja->button(QMessageBox::Cancel)->text();
      QCOMPARE(caja->icon(), QMessageBox::Question);
      caja->button(QMessageBox::No)->click();
    });
    QCOMPARE(dialogos.Preguntar("¿Guardar?", "Fichero modificado"), Dialogos::Respuesta::No);
    QCOMPARE(visto, QString("Fichero modificado|¿Guardar?|&Sí|Cancelar"));
  }

  void guardarRecuerdaElUltimoFicheroYTipo() {
    QTemporaryDir carpeta;
    DialogosQt dialogos(nullptr);
    Dialogos::DialogoFichero dialogo = DialogoGuardar();
    QStringList vistos;
    const auto mirar = [&vistos](QFileDialog* dlg) {
      vistos.append(dlg->objectName() + "|" + dlg->windowTitle() + "|" + dlg->selectedNameFilter() +
                    "|" + dlg->defaultSuffix() + "|" +
                    (dlg->acceptMode() == QFileDialog::AcceptSave ? "guardar" : "abrir"));
    };
    {
      AlAbrirse alAbrirse([&](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        if (!dlg) return;
        mirar(dlg);
        QCOMPARE(dlg->nameFilters(), dialogo.filtros);
        dlg->setDirectory(carpeta.path());
        dlg->selectNameFilter(dialogo.filtros.at(1));
        dlg->selectFile("nueva");
        QMetaObject::invokeMethod(dlg, "accept");
      });
      QCOMPARE(dialogos.ElegirFichero(dialogo), carpeta.filePath("nueva.gra"));
    }
    {
      AlAbrirse alAbrirse([&](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        if (!dlg) return;
        mirar(dlg);
        vistos.append(dlg->directory().path());
        dlg->reject();
      });
      QCOMPARE(dialogos.ElegirFichero(dialogo), std::nullopt);
    }
    QCOMPARE(
        vistos,
        QStringList({"DlgGuardar|Guardar gramática|Archivos de gramática LL(1) (*.ll1)|gra|guardar",
                     "DlgGuardar|Guardar gramática|Archivos de texto (*.txt)|gra|guardar",
                     carpeta.path()}));
    QCOMPARE(dialogo.ultimo, carpeta.filePath("nueva.gra"));
  }

  void fuenteSinEfectosYConElEstiloActual() {
    DialogosQt dialogos(nullptr);
    QFont actual("DejaVu Sans Mono", 10);
    AlAbrirse alAbrirse([](QWidget* w) {
      auto* dlg = qobject_cast<QFontDialog*>(w);
      if (!dlg) return;
      for (const QCheckBox* casilla : dlg->findChildren<QCheckBox*>())
        QVERIFY(!casilla->isVisible());
      dlg->accept();
    });
    const std::optional<QFont> elegida = dialogos.ElegirFuente(actual);
    QVERIFY(elegida.has_value());
    QCOMPARE(elegida->family(), actual.family());
    QCOMPARE(elegida->pointSize(), 10);
    QCOMPARE(elegida->italic(), false);
    QCOMPARE(elegida->bold(), false);
  }

  void imprimirCanceladoDevuelveFalso() {
    DialogosQt dialogos(nullptr);
    QPrinter impresora;
    bool visto = false;
    AlAbrirse alAbrirse([&visto](QWidget* w) {
      auto* dlg = qobject_cast<QPrintDialog*>(w);
      if (!dlg) return;
      visto = true;
      dlg->reject();
    });
    QVERIFY(!dialogos.ElegirImpresora(impresora));
    QVERIFY(visto);
  }
};

REGISTRAR_SUITE(DialogosReales, "Dialogos");
#include "Dialogos_test.moc"
