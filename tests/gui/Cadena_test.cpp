// Trying a sentence in the desktop program: the Herramientas menu, the window's steps, verdict,
// history and saved tree, and the layout of the tree.
#include <QComboBox>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>

#include "Arbolsintactico.h"
#include "Banco.h"
#include "Pantallacadena.h"
#include "Suites.h"

namespace {

const QString kExpresiones =
    "Terminales = { + * ( ) id }\nNoTerminales = { E Eprima T Tprima F }\nAxioma = E\n"
    "Producciones = {\nE -> T Eprima\nEprima -> + T Eprima\nEprima -> lambda\n"
    "T -> F Tprima\nTprima -> * F Tprima\nTprima -> lambda\nF -> ( E )\nF -> id\n}\n";

void Analizar(Banco& banco, const QString& texto) {
  banco.NuevoCon(texto);
  banco.Editor()->PonerModificado(false);
  banco.ventana->AnalizarFichero();
}

QStringList Filas(QDialog& ventana) {
  const QAbstractItemModel* modelo = ventana.findChild<QTableView*>("ListaPasos")->model();
  QStringList filas;
  for (int f = 0; f < modelo->rowCount(); ++f)
    filas.append(modelo->index(f, 0).data().toString() + " | " +
                 modelo->index(f, 1).data().toString() + " | " +
                 modelo->index(f, 2).data().toString());
  return filas;
}

void Escribir(QDialog& ventana, const QString& frase) {
  ventana.findChild<QComboBox*>("Frase")->setEditText(frase);
}

void Pulsar(QDialog& ventana, const char* boton) {
  ventana.findChild<QPushButton*>(boton)->click();
}

QString Veredicto(QDialog& ventana) { return ventana.findChild<QLabel*>("Veredicto")->text(); }

int NodosVisibles(QDialog& ventana) {
  int visibles = 0;
  for (const QGraphicsItem* item : ventana.findChild<TVistaArbol*>("Arbol")->scene()->items())
    visibles += item->isVisible() && item->type() != QGraphicsLineItem::Type;
  return visibles;
}

// Whether the grid draws the cell cut the way `corte` says, whatever the view asks for.
bool Cortada(const QTableView& vista, const QModelIndex& indice, Qt::TextElideMode corte) {
  const auto pintada = [&](const QAbstractItemDelegate& delegado, Qt::TextElideMode pedido) {
    QStyleOptionViewItem opcion;
    opcion.initFrom(&vista);
    opcion.rect = QRect(0, 0, 120, 24);
    opcion.textElideMode = pedido;
    QImage imagen(opcion.rect.size(), QImage::Format_ARGB32);
    imagen.fill(Qt::white);
    QPainter pintor(&imagen);
    delegado.paint(&pintor, opcion, indice);
    return imagen;
  };
  const Qt::TextElideMode otro = corte == Qt::ElideLeft ? Qt::ElideRight : Qt::ElideLeft;
  return pintada(*vista.itemDelegateForIndex(indice), otro) ==
         pintada(QStyledItemDelegate(), corte);
}

}  // namespace

class Cadena : public QObject {
  Q_OBJECT

 private slots:
  void probarCadenaSigueALaTabla() {
    Banco banco;
    QVERIFY(!banco.Accion("MProbarCadena")->isEnabled());
    Analizar(banco, kExpresiones);
    QVERIFY(banco.Accion("MProbarCadena")->isEnabled());
    QCOMPARE(banco.Accion("MProbarCadena")->shortcut(), QKeySequence("Ctrl+P"));
    banco.Editor()->PonerTexto("Terminales = { a }\n");
    banco.ventana->AnalizarFichero();
    QVERIFY(!banco.Accion("MProbarCadena")->isEnabled());
  }

  void reconocerEntera() {
    Banco banco;
    Analizar(banco, kExpresiones);
    QStringList filas;
    QString veredicto;
    banco.guion->ventanas = {[&](QDialog& ventana) {
      Escribir(ventana, "id + id");
      Pulsar(ventana, "BReconocer");
      filas = Filas(ventana);
      veredicto = Veredicto(ventana);
      return QDialog::Accepted;
    }};
    banco.Accion("MProbarCadena")->trigger();
    QCOMPARE(banco.guion->Titulos(), QStringList{"ventana|Probar cadena"});
    const QString fin = QString(QChar(0xA0)) + "$ (final de cadena)";
    QCOMPARE(filas, QStringList({fin + " E | id + id " + fin + " | E -> T Eprima",
                                 fin + " Eprima T | id + id " + fin + " | T -> F Tprima",
                                 fin + " Eprima Tprima F | id + id " + fin + " | F -> id",
                                 fin + " Eprima Tprima id | id + id " + fin + " | emparejar id",
                                 fin + " Eprima Tprima | + id " + fin + " | Tprima -> lambda",
                                 fin + " Eprima | + id " + fin + " | Eprima -> + T Eprima",
                                 fin + " Eprima T + | + id " + fin + " | emparejar +",
                                 fin + " Eprima T | id " + fin + " | T -> F Tprima",
                                 fin + " Eprima Tprima F | id " + fin + " | F -> id",
                                 fin + " Eprima Tprima id | id " + fin + " | emparejar id",
                                 fin + " Eprima Tprima | " + fin + " | Tprima -> lambda",
                                 fin + " Eprima | " + fin + " | Eprima -> lambda",
                                 fin + " | " + fin + " | aceptar"}));
    QCOMPARE(veredicto, QString("Cadena aceptada."));
  }

  void pasoAPasoYRechazo() {
    Banco banco;
    Analizar(banco, kExpresiones);
    banco.guion->ventanas = {[&](QDialog& ventana) {
      Escribir(ventana, "id + * id");
      Pulsar(ventana, "BReiniciar");
      [&] {
        QCOMPARE(Filas(ventana).size(), 0);
        QCOMPARE(NodosVisibles(ventana), 1);
        for (int i = 0; i < 3; ++i) Pulsar(ventana, "BPaso");
        QCOMPARE(Filas(ventana).size(), 3);
        QCOMPARE(ventana.findChild<QTableView*>("ListaPasos")->currentIndex().row(), 2);
        // E, then T Eprima, F Tprima and id: the tree grows with each expansion.
        QCOMPARE(NodosVisibles(ventana), 6);
        QVERIFY(Veredicto(ventana).isEmpty());
        Pulsar(ventana, "BReconocer");
        QCOMPARE(Filas(ventana).last().section(" | ", 2),
                 QString("se esperaba uno de { ( id } y se encontró *"));
        QCOMPARE(Veredicto(ventana),
                 QString("Cadena rechazada: se esperaba uno de { ( id } y se encontró * "
                         "(posición 3)."));
        // A name that is no terminal stops before any step.
        Escribir(ventana, "id + x");
        Pulsar(ventana, "BPaso");
        QCOMPARE(Filas(ventana).size(), 0);
        QCOMPARE(Veredicto(ventana),
                 QString("Cadena rechazada: el símbolo x no es un terminal de la gramática "
                         "(posición 3)."));
        // The sentences tried stay in the list, the last one first.
        auto* frases = ventana.findChild<QComboBox*>("Frase");
        QCOMPARE(frases->count(), 2);
        QCOMPARE(frases->itemText(0), QString("id + x"));
        // Intro runs what is typed, never a sentence of the list that it begins.
        frases->lineEdit()->clear();
        QTest::keyClicks(frases->lineEdit(), "id +");
        QTest::keyClick(frases->lineEdit(), Qt::Key_Return);
        QCOMPARE(static_cast<TFormCadena&>(ventana).Resultado()->Nombres().size(), std::size_t{2});
      }();
      return QDialog::Accepted;
    }};
    banco.Accion("MProbarCadena")->trigger();
  }

  void arbolConHojasLambda() {
    Banco banco;
    Analizar(banco, kExpresiones);
    const QString svg = banco.Ruta("arbol.svg");
    banco.guion->ficheros = {svg};
    QList<int> visibles;
    QString guardable;
    banco.guion->ventanas = {[&](QDialog& ventana) {
      const auto* guardar = ventana.findChild<QPushButton*>("BGuardarArbol");
      guardable += guardar->isEnabled() ? '1' : '0';
      Escribir(ventana, "id");
      Pulsar(ventana, "BReiniciar");
      // E, T Eprima, F Tprima, id, then Tprima and Eprima go empty: a lambda leaf each.
      for (int i = 0; i < 6; ++i) {
        Pulsar(ventana, "BPaso");
        visibles.append(NodosVisibles(ventana));
      }
      guardable += guardar->isEnabled() ? '1' : '0';
      Pulsar(ventana, "BGuardarArbol");
      // A name that is no terminal leaves no tree to save.
      Escribir(ventana, "x");
      Pulsar(ventana, "BReconocer");
      guardable += guardar->isEnabled() ? '1' : '0';
      return QDialog::Accepted;
    }};
    banco.Accion("MProbarCadena")->trigger();
    QCOMPARE(visibles, QList<int>({3, 5, 6, 6, 7, 8}));
    QCOMPARE(Banco::Contenido(svg).count(">lambda<"), 2);
    QCOMPARE(guardable, QString("010"));
  }

  void pilaLargaConservaLaCima() {
    Banco banco;
    Analizar(banco,
             "Terminales = { a b }\nNoTerminales = { S }\nAxioma = S\nProducciones = {\n"
             "S -> a S b\nS -> lambda\n}\n");
    QStringList celdas;
    bool pilaPorLaIzquierda = false;
    banco.guion->ventanas = {[&](QDialog& ventana) {
      // Each a pushes a b: before the last a is matched the stack ends "b b S a".
      Escribir(ventana, QString("a ").repeated(30) + QString("b ").repeated(30));
      Pulsar(ventana, "BReconocer");
      const auto* vista = ventana.findChild<QTableView*>("ListaPasos");
      for (int c = 0; c < 3; ++c) {
        const QModelIndex celda = vista->model()->index(59, c);
        celdas << celda.data().toString() << celda.data(Qt::ToolTipRole).toString();
      }
      pilaPorLaIzquierda = Cortada(*vista, vista->model()->index(59, 0), Qt::ElideLeft);
      return QDialog::Accepted;
    }};
    banco.Accion("MProbarCadena")->trigger();
    QVERIFY(pilaPorLaIzquierda);
    // The tool tip is the whole cell, however the grid cuts it.
    QVERIFY(celdas[0].endsWith(" b b S a"));
    QCOMPARE(celdas[1], celdas[0]);
    QCOMPARE(celdas[3], celdas[2]);
    QCOMPARE(celdas[5], QString("emparejar a"));
  }

  void arbolLegibleEnPocoSitio() {
    Banco banco;
    Analizar(banco, kExpresiones);
    qreal escala = 0;
    bool raizALaVista = false;
    banco.guion->ventanas = {[&](QDialog& ventana) {
      // Little room, as on a small screen or at a large scale factor.
      ventana.resize(560, 420);
      Escribir(ventana, "id + id * id + ( id * id )");
      Pulsar(ventana, "BReconocer");
      const auto* arbol = ventana.findChild<TVistaArbol*>("Arbol");
      escala = arbol->transform().m11();
      const QGraphicsItem* raiz = nullptr;  // the topmost node
      for (const QGraphicsItem* item : arbol->scene()->items())
        if (item->type() != QGraphicsLineItem::Type && (!raiz || item->y() < raiz->y()))
          raiz = item;
      raizALaVista = arbol->viewport()->rect().contains(arbol->mapFromScene(raiz->pos()));
      return QDialog::Accepted;
    }};
    banco.Accion("MProbarCadena")->trigger();
    QVERIFY2(escala >= 0.75, qPrintable(QString::number(escala)));
    QVERIFY(raizALaVista);
  }

  void guardarArbol() {
    Banco banco;
    Analizar(banco, kExpresiones);
    const QString svg = banco.Ruta("arbol.svg");
    const QString png = banco.Ruta("arbol.png");
    banco.guion->ficheros = {svg, png};
    banco.guion->ventanas = {[&](QDialog& ventana) {
      Escribir(ventana, "( id )");
      Pulsar(ventana, "BReconocer");
      Pulsar(ventana, "BGuardarArbol");
      Pulsar(ventana, "BGuardarArbol");
      return QDialog::Accepted;
    }};
    banco.Accion("MProbarCadena")->trigger();
    QVERIFY(Banco::Contenido(svg).contains("<svg"));
    QVERIFY(Banco::Contenido(png).startsWith("\x89PNG"));
    QCOMPARE(banco.Mensajes().mid(banco.Mensajes().size() - 2),
             QStringList(
                 {"Árbol sintáctico guardado en " + svg, "Árbol sintáctico guardado en " + png}));
  }

  void disposicionDelArbol() {
    // A root with three children, the middle one with two children of its own.
    std::vector<Reconocimiento::Nodo> nodos(6);
    nodos[0] = {nullptr, nullptr, -1, 1, 3, 0};
    nodos[1] = {nullptr, nullptr, 0, -1, 0, 1};
    nodos[2] = {nullptr, nullptr, 0, 4, 2, 2};
    nodos[3] = {nullptr, nullptr, 0, -1, 0, 3};
    nodos[4] = {nullptr, nullptr, 2, -1, 0, 4};
    nodos[5] = {nullptr, nullptr, 2, -1, 0, 5};
    const std::vector<qreal> anchos = {10, 20, 60, 20, 10, 10};
    const auto p = DisponerArbol(nodos, anchos, 4, 50);
    // Subtree spans: 20, 60 (wider than its children's 24), 20; the root spans 108.
    QCOMPARE(p[0], QPointF(54, 0));
    QCOMPARE(p[1], QPointF(10, 50));
    QCOMPARE(p[2], QPointF(54, 50));
    QCOMPARE(p[3], QPointF(98, 50));
    QCOMPARE(p[4], QPointF(47, 100));
    QCOMPARE(p[5], QPointF(61, 100));

    // A chain 200,000 deep is laid out without recursing.
    std::vector<Reconocimiento::Nodo> cadena(200000);
    for (int i = 0; i < 200000; ++i)
      cadena[i] = {nullptr, nullptr, i - 1, i + 1 < 200000 ? i + 1 : -1, i + 1 < 200000, i};
    const auto q = DisponerArbol(cadena, std::vector<qreal>(200000, 10), 4, 50);
    QCOMPARE(q.back(), QPointF(5, 50.0 * 199999));
  }
};

REGISTRAR_SUITE(Cadena, "Cadena");
#include "Cadena_test.moc"
