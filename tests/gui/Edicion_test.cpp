// Editing: find, repeat find, replace and replace all with their messages; font; cut, copy and
// paste of plain text; coloured marks that leave text, undo and the modified flag alone.
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTextDocument>

#include "Banco.h"
#include "Buscarreemplazar.h"
#include "Suites.h"

namespace {

TDialogoBusqueda* Dialogo(const Banco& banco, const char* nombre) {
  return banco.Componente<TDialogoBusqueda>(nombre);
}

void Rellenar(TDialogoBusqueda* dialogo, const QString& buscado, const QString& reemplazo,
              bool mayusculas, bool palabras) {
  dialogo->findChild<QLineEdit*>("TextoBuscado")->setText(buscado);
  if (auto* campo = dialogo->findChild<QLineEdit*>("TextoReemplazo")) campo->setText(reemplazo);
  dialogo->findChild<QCheckBox*>("Mayusculas")->setChecked(mayusculas);
  dialogo->findChild<QCheckBox*>("PalabrasCompletas")->setChecked(palabras);
}

void Pulsar(TDialogoBusqueda* dialogo, const char* boton) {
  dialogo->findChild<QPushButton*>(boton)->click();
}

const QString kNoEncontrado = "info|Texto no encontrado|No se ha encontrado el texto ";

struct Reemplazado {
  QString texto;
  int reemplazos;
  int desde;
  int hasta;
};

// Replace-all the slow way, on a document of its own: replace the selection when it is the
// text searched, find the next one after it, and so on. The editor's one pass must agree.
Reemplazado UnoTrasOtro(const QString& texto, int desde, int hasta, const QString& buscado,
                        const QString& reemplazo, bool mayusculas, bool palabras) {
  QTextDocument documento;
  QTextCursor(&documento).insertText(texto);
  QTextCursor cursor(&documento);
  cursor.setPosition(desde);
  cursor.setPosition(hasta, QTextCursor::KeepAnchor);
  QTextDocument::FindFlags opciones;
  if (mayusculas) opciones |= QTextDocument::FindCaseSensitively;
  if (palabras) opciones |= QTextDocument::FindWholeWords;
  int reemplazos = 0;
  for (;;) {
    if (cursor.hasSelection() &&
        cursor.selectedText().compare(buscado,
                                      mayusculas ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0) {
      cursor.insertText(reemplazo);
      ++reemplazos;
    }
    const QTextCursor hallado = documento.find(buscado, cursor.selectionEnd(), opciones);
    if (hallado.isNull()) break;
    cursor = hallado;
  }
  return {documento.toRawText().replace(QChar::ParagraphSeparator, u'\n'), reemplazos,
          cursor.selectionStart(), cursor.selectionEnd()};
}

QString Azar(QRandomGenerator& azar, const QString& letras, int largoMaximo) {
  QString texto;
  const int largo = azar.bounded(largoMaximo + 1);
  for (int i = 0; i < largo; ++i) texto += letras.at(azar.bounded(letras.size()));
  return texto;
}

}  // namespace

class Edicion : public QObject {
  Q_OBJECT

 private slots:
  void repetirBusquedaBuscaGAlEmpezar_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("inicio");
    QTest::newRow("sin g") << "abc" << -1;
    QTest::newRow("con g") << "xgy" << 1;
  }
  void repetirBusquedaBuscaGAlEmpezar() {
    QFETCH(QString, texto);
    QFETCH(int, inicio);
    Banco banco;
    banco.NuevoCon(texto);
    banco.Seleccionar(0, 0);
    banco.Accion("MRepetirBusqueda")->trigger();
    if (inicio < 0) {
      QCOMPARE(banco.guion->registro, QStringList{kNoEncontrado + "\"g\""});
      QCOMPARE(banco.Seleccion(), qMakePair(0, 0));
    } else {
      QVERIFY(banco.guion->registro.isEmpty());
      QCOMPARE(banco.Seleccion(), qMakePair(inicio, inicio + 1));
    }
  }

  void busquedaVaciaAvisaYReabreElDialogo() {
    Banco banco;
    banco.NuevoCon("abc");
    auto* buscar = Dialogo(banco, "DlgBuscar");
    banco.Accion("MBuscar")->trigger();
    QVERIFY(buscar->isVisible());
    QCOMPARE(buscar->TextoBuscado(), QString());
    buscar->reject();
    QVERIFY(!buscar->isVisible());
    banco.Accion("MRepetirBusqueda")->trigger();
    QCOMPARE(banco.guion->registro,
             QStringList({"aviso|Búsqueda vacía|No se ha indicado el texto a buscar\n"
                          "Introduzca el texto que desea buscar",
                          kNoEncontrado + "\"\""}));
    QVERIFY(buscar->isVisible());
  }

  void busquedasSucesivasHaciaAbajo_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("buscado");
    QTest::addColumn<bool>("mayusculas");
    QTest::addColumn<bool>("palabras");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QList<int>>("hallados");
    QTest::newRow("sin mayúsculas") << "Abc abc ABC"
                                    << "abc" << false << false << 0 << QList<int>{0, 4, 8};
    QTest::newRow("con mayúsculas") << "Abc abc ABC"
                                    << "abc" << true << false << 0 << QList<int>{4};
    QTest::newRow("palabra completa") << "ab abc"
                                      << "ab" << false << true << 0 << QList<int>{0};
    QTest::newRow("desde el cursor, sin dar la vuelta")
        << "ab ab ab"
        << "ab" << false << false << 4 << QList<int>{6};
    QTest::newRow("acentos sin mayúsculas")
        << QString::fromUtf8("ÁRBOL árbol") << QString::fromUtf8("árbol") << false << false << 0
        << QList<int>{0, 6};
  }
  void busquedasSucesivasHaciaAbajo() {
    QFETCH(QString, texto);
    QFETCH(QString, buscado);
    QFETCH(bool, mayusculas);
    QFETCH(bool, palabras);
    QFETCH(int, cursor);
    QFETCH(QList<int>, hallados);
    Banco banco;
    banco.NuevoCon(texto);
    banco.Seleccionar(cursor, cursor);
    Rellenar(Dialogo(banco, "DlgBuscar"), buscado, {}, mayusculas, palabras);
    for (const int inicio : hallados) {
      banco.ventana->BuscarSiguiente();
      QCOMPARE(banco.Seleccion(), qMakePair(inicio, inicio + int(buscado.size())));
    }
    QVERIFY(banco.guion->registro.isEmpty());
    const auto ultima = banco.Seleccion();
    banco.ventana->BuscarSiguiente();
    QCOMPARE(banco.guion->registro, QStringList{kNoEncontrado + "\"" + buscado + "\""});
    QCOMPARE(banco.Seleccion(), ultima);
  }

  void dialogoBuscarSeCierraYBusca() {
    Banco banco;
    banco.NuevoCon("uno dos");
    banco.Seleccionar(0, 0);
    auto* buscar = Dialogo(banco, "DlgBuscar");
    banco.Accion("MBuscar")->trigger();
    Rellenar(buscar, "dos", {}, false, false);
    Pulsar(buscar, "BBuscarSiguiente");
    QVERIFY(!buscar->isVisible());
    QCOMPARE(banco.Seleccion(), qMakePair(4, 7));
    // Its text and choices stay for Repetir búsqueda.
    banco.Seleccionar(0, 0);
    banco.Accion("MRepetirBusqueda")->trigger();
    QCOMPARE(banco.Seleccion(), qMakePair(4, 7));
  }

  void botonesSoloConTextoABuscar_data() {
    QTest::addColumn<QString>("dialogo");
    QTest::addColumn<QStringList>("botones");
    QTest::newRow("buscar") << "DlgBuscar" << QStringList{"BBuscarSiguiente"};
    QTest::newRow("reemplazar") << "DlgReemplazar"
                                << QStringList{"BBuscarSiguiente", "BReemplazar",
                                               "BReemplazarTodo"};
  }
  void botonesSoloConTextoABuscar() {
    QFETCH(QString, dialogo);
    QFETCH(QStringList, botones);
    Banco banco;
    banco.ventana->NuevoFichero();
    auto* ventana = Dialogo(banco, qPrintable(dialogo));
    Rellenar(ventana, "viejo", "otro", false, false);
    banco.Accion(dialogo == "DlgBuscar" ? "MBuscar" : "MReemplazar")->trigger();
    QCOMPARE(ventana->TextoBuscado(), QString());
    QCOMPARE(ventana->TextoReemplazo(), QString());
    for (const QString& boton : botones)
      QVERIFY(!ventana->findChild<QPushButton*>(boton)->isEnabled());
    QVERIFY(ventana->findChild<QPushButton*>("BCancelar")->isEnabled());
    QTest::keyClicks(ventana->findChild<QLineEdit*>("TextoBuscado"), "a");
    for (const QString& boton : botones)
      QVERIFY(ventana->findChild<QPushButton*>(boton)->isEnabled());
  }

  void reemplazarTodo_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("buscado");
    QTest::addColumn<QString>("reemplazo");
    QTest::addColumn<bool>("mayusculas");
    QTest::addColumn<QString>("resultado");
    QTest::addColumn<QString>("informe");
    QTest::newRow("el reemplazo contiene lo buscado") << "aaa" << 0 << "a"
                                                      << "aa" << false << "aaaaaa"
                                                      << "Realizados 3 reemplazos";
    QTest::newRow("solo antes del cursor") << "xa b" << 3 << "a"
                                           << "z" << false << "xa b"
                                           << "No se ha encontrado el texto \"a\"";
    QTest::newRow("uno solo") << "foo bar" << 0 << "bar"
                              << "baz" << false << "foo baz"
                              << QString::fromUtf8("Realizado un único reemplazo");
    QTest::newRow("sin mayúsculas") << "Ab ab AB" << 0 << "ab"
                                    << "x" << false << "x x x"
                                    << "Realizados 3 reemplazos";
    QTest::newRow("con mayúsculas")
        << "Ab ab AB" << 0 << "ab"
        << "x" << true << "Ab x AB" << QString::fromUtf8("Realizado un único reemplazo");
    QTest::newRow("por nada") << "a-b-c" << 0 << "-"
                              << "" << false << "abc"
                              << "Realizados 2 reemplazos";
  }
  void reemplazarTodo() {
    QFETCH(QString, texto);
    QFETCH(int, cursor);
    QFETCH(QString, buscado);
    QFETCH(QString, reemplazo);
    QFETCH(bool, mayusculas);
    QFETCH(QString, resultado);
    QFETCH(QString, informe);
    Banco banco;
    banco.NuevoCon(texto);
    banco.Seleccionar(cursor, cursor);
    auto* reemplazar = Dialogo(banco, "DlgReemplazar");
    banco.Accion("MReemplazar")->trigger();
    Rellenar(reemplazar, buscado, reemplazo, mayusculas, false);
    Pulsar(reemplazar, "BReemplazarTodo");
    QCOMPARE(banco.Editor()->Texto(), resultado);
    QCOMPARE(banco.guion->registro, QStringList{"info|Reemplazar|" + informe});
    QVERIFY(reemplazar->isVisible());
  }

  void reemplazarTodoDeUnaPasadaComoUnoTrasOtro() {
    Banco banco;
    banco.ventana->NuevoFichero();
    QRandomGenerator azar(2026);
    const QString letras = QString("aAb -_1\n") + QChar(QChar::Nbsp);
    for (int caso = 0; caso < 3000; ++caso) {
      const QString texto = Azar(azar, letras, 24);
      QString buscado = Azar(azar, letras.left(7), 3);
      if (buscado.isEmpty()) buscado = "a";
      const QString reemplazo = Azar(azar, "ab -", 3);
      const bool mayusculas = azar.bounded(2);
      const bool palabras = azar.bounded(2);
      const int desde = azar.bounded(int(texto.size()) + 1);
      const int hasta = desde + azar.bounded(int(texto.size()) - desde + 1);
      const Reemplazado esperado =
          UnoTrasOtro(texto, desde, hasta, buscado, reemplazo, mayusculas, palabras);

      banco.Editor()->PonerTexto(texto);
      banco.Seleccionar(desde, hasta);
      banco.guion->registro.clear();
      banco.ventana->ReemplazarTexto(buscado, reemplazo, true, mayusculas, palabras);
      const QString caso_ = QString("«%1» «%2» → «%3» [%4,%5] %6%7")
                                .arg(texto, buscado, reemplazo)
                                .arg(desde)
                                .arg(hasta)
                                .arg(mayusculas)
                                .arg(palabras);
      QVERIFY2(banco.Editor()->Texto() == esperado.texto, qPrintable(caso_));
      QVERIFY2(banco.Seleccion() == qMakePair(esperado.desde, esperado.hasta), qPrintable(caso_));
      QVERIFY2(banco.guion->registro.size() == 1, qPrintable(caso_));
      const QString informe = banco.guion->registro.constFirst();
      QVERIFY2(esperado.reemplazos == 0 ? informe.contains("No se ha encontrado")
               : esperado.reemplazos == 1
                   ? informe.endsWith("Realizado un único reemplazo")
                   : informe.endsWith(QString("Realizados %1 reemplazos").arg(esperado.reemplazos)),
               qPrintable(caso_ + " " + informe));
    }
  }

  void reemplazarTodoSeDeshaceDeUnaVez() {
    Banco banco;
    banco.NuevoCon("a a a");
    banco.Seleccionar(0, 0);
    banco.ventana->ReemplazarTexto("a", "b", true, false, false);
    QCOMPARE(banco.Editor()->Texto(), QString("b b b"));
    banco.Accion("MDeshacer")->trigger();
    QCOMPARE(banco.Editor()->Texto(), QString("a a a"));
  }

  void reemplazarUnoAUno() {
    Banco banco;
    banco.NuevoCon("ab ab");
    banco.Seleccionar(0, 0);
    auto* reemplazar = Dialogo(banco, "DlgReemplazar");
    Rellenar(reemplazar, "ab", "x", false, false);
    QStringList pasos;
    for (int i = 0; i < 4; ++i) {
      Pulsar(reemplazar, "BReemplazar");
      const auto seleccion = banco.Seleccion();
      pasos << QString("%1 [%2,%3] %4")
                   .arg(banco.Editor()->Texto())
                   .arg(seleccion.first)
                   .arg(seleccion.second)
                   .arg(banco.guion->registro.size());
    }
    // Nothing selected: it only finds; then each press replaces the selected occurrence and
    // selects the next; the box comes only when it neither replaced nor found anything.
    QCOMPARE(pasos, QStringList({"ab ab [0,2] 0", "x ab [2,4] 0", "x x [3,3] 0", "x x [3,3] 1"}));
    QCOMPARE(banco.guion->registro, QStringList{kNoEncontrado + "\"ab\""});
  }

  void buscarSiguienteDelReemplazoNoCierra() {
    Banco banco;
    banco.NuevoCon("ab cd");
    banco.Seleccionar(0, 0);
    auto* reemplazar = Dialogo(banco, "DlgReemplazar");
    banco.Accion("MReemplazar")->trigger();
    Rellenar(reemplazar, "cd", "x", false, false);
    Pulsar(reemplazar, "BBuscarSiguiente");
    QCOMPARE(banco.Seleccion(), qMakePair(3, 5));
    QVERIFY(reemplazar->isVisible());
    Pulsar(reemplazar, "BBuscarSiguiente");
    QCOMPARE(banco.guion->registro, QStringList{kNoEncontrado + "\"cd\""});
    QCOMPARE(banco.Editor()->Texto(), QString("ab cd"));
  }

  void fuenteParaTodoElTextoYColapsaLaSeleccion() {
    Banco banco;
    banco.NuevoCon("uno dos tres");
    banco.Editor()->PonerModificado(false);
    banco.Seleccionar(4, 7);
    banco.Accion("MFuente")->trigger();
    QCOMPARE(banco.Seleccion(), qMakePair(4, 7));

    QFont elegida("DejaVu Serif", 14);
    elegida.setBold(true);
    banco.guion->fuentes = {elegida};
    banco.Accion("MFuente")->trigger();
    QCOMPARE(banco.Editor()->font(), elegida);
    QCOMPARE(banco.Editor()->document()->defaultFont(), elegida);
    QCOMPARE(banco.Seleccion(), qMakePair(4, 4));
    QVERIFY(!banco.Editor()->Modificado());
    QCOMPARE(banco.guion->Titulos(), QStringList({"fuente|", "fuente|"}));
  }

  void editorDeTextoPlanoConLetraDeAnchoFijo() {
    Banco banco;
    banco.ventana->NuevoFichero();
    QVERIFY(QFontInfo(banco.Editor()->font()).fixedPitch());
    QCOMPARE(banco.Editor()->font().pointSize(), 10);
    QCOMPARE(banco.Editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
    QTest::keyClick(banco.Editor(), Qt::Key_Tab);
    QCOMPARE(banco.Editor()->Texto(), QString("\t"));
  }

  void cortarCopiarYPegarTextoPlano() {
    Banco banco;
    banco.NuevoCon(QString::fromUtf8("uno\u00A0dos\ntres"));
    banco.Seleccionar(0, 8);
    banco.Boton("BCopiar")->click();
    const QMimeData* datos = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(datos->formats(), QStringList{"text/plain"});
    QCOMPARE(datos->text(), QString::fromUtf8("uno\u00A0dos\n"));
    QVERIFY(banco.Boton("BPegar")->isEnabled());

    banco.Seleccionar(8, 12);
    banco.Boton("BPegar")->click();
    QCOMPARE(banco.Editor()->Texto(), QString::fromUtf8("uno\u00A0dos\nuno\u00A0dos\n"));
    banco.Seleccionar(0, 4);
    banco.Accion("PUCortar")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8("uno\u00A0"));
    banco.Boton("BDeshacer")->click();
    QCOMPARE(banco.Editor()->Texto(), QString::fromUtf8("uno\u00A0dos\nuno\u00A0dos\n"));
    banco.Accion("PUSeleccionarTodo")->trigger();
    QCOMPARE(banco.Seleccion(), qMakePair(0, 16));
  }

  void coloresNoTocanTextoDeshacerNiModificado_data() {
    QTest::addColumn<bool>("modificado");
    QTest::newRow("recién guardado") << false;
    QTest::newRow("con cambios") << true;
  }
  void coloresNoTocanTextoDeshacerNiModificado() {
    QFETCH(bool, modificado);
    Banco banco;
    banco.NuevoCon("S -> a\nA -> b\n");
    banco.Editor()->PonerModificado(modificado);
    banco.Seleccionar(2, 2);
    const bool deshacer = banco.Editor()->document()->isUndoAvailable();
    const int pasos = banco.Editor()->document()->availableUndoSteps();
    QSignalSpy cambios(banco.Editor(), &QPlainTextEdit::textChanged);

    banco.Editor()->Colorear(0, 6, Qt::red);
    banco.Editor()->Colorear(7, 6, Qt::red);
    QCOMPARE(banco.Editor()->extraSelections().size(), 2);
    QCOMPARE(banco.Editor()->extraSelections().at(1).cursor.selectedText(), QString("A -> b"));
    banco.Editor()->Colorear(40, 10, Qt::red);  // beyond the text: marks nothing, fails nothing
    banco.Editor()->RestaurarColor();
    QVERIFY(banco.Editor()->extraSelections().isEmpty());

    QCOMPARE(cambios.count(), 0);
    QCOMPARE(banco.Editor()->Modificado(), modificado);
    QCOMPARE(banco.Editor()->document()->isUndoAvailable(), deshacer);
    QCOMPARE(banco.Editor()->document()->availableUndoSteps(), pasos);
    QCOMPARE(banco.Seleccion(), qMakePair(2, 2));
  }

  void copiaParaImprimirLlevaLosColores() {
    Banco banco;
    banco.NuevoCon("S -> a\nA -> b");
    banco.Editor()->Colorear(7, 6, Qt::red);
    const auto copia = banco.Editor()->CopiaParaImprimir();
    QTextCursor cursor(copia.get());
    cursor.setPosition(8);
    QCOMPARE(cursor.charFormat().foreground().color(), QColor(Qt::red));
    cursor.setPosition(3);
    QVERIFY(cursor.charFormat().foreground().color() != QColor(Qt::red));
    QCOMPARE(copia->defaultFont(), banco.Editor()->font());
    QVERIFY(!banco.Editor()->Modificado() || banco.Editor()->document()->isModified());
  }
};

REGISTRAR_SUITE(Edicion, "Edicion");
#include "Edicion_test.moc"
