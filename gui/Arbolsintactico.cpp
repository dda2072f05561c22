#include "Arbolsintactico.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QSvgGenerator>
#include <QWheelEvent>
#include <algorithm>

#include "Simbolos.h"
#include "Texto1252.h"

namespace {

constexpr qreal kSeparacion = 14;
constexpr qreal kAlturaFila = 56;
constexpr qreal kRelleno = 8;
constexpr qreal kPasoZoom = 1.25;
// Below this scale the labels are too small to read (with the usual 9-point font).
constexpr qreal kEscalaLegible = 0.75;

const QColor kTerminal(221, 238, 214);
const QColor kNoTerminal(214, 228, 245);
const QColor kSinAlcanzar(240, 240, 240);

enum class Clase { Terminal, NoTerminal, Lambda };

// One node: its symbol in a rounded box, coloured by what the parse did with it. The empty
// string of a lambda expansion is its word in italics, in a dashed box without fill.
class NodoArbol : public QGraphicsItem {
 public:
  NodoArbol(const QString& texto, qreal ancho, qreal alto, Clase clase)
      : texto(texto), caja(-ancho / 2, -alto / 2, ancho, alto), clase(clase) {}

  QRectF boundingRect() const override { return caja.adjusted(-1, -1, 1, 1); }
  void paint(QPainter* pintor, const QStyleOptionGraphicsItem*, QWidget*) override {
    const bool lambda = clase == Clase::Lambda;
    pintor->setPen(QPen(alcanzado ? QColor(90, 90, 90) : QColor(170, 170, 170), 1,
                        lambda ? Qt::DashLine : Qt::SolidLine));
    if (lambda)
      pintor->setBrush(Qt::NoBrush);
    else
      pintor->setBrush(!alcanzado                 ? kSinAlcanzar
                       : clase == Clase::Terminal ? kTerminal
                                                  : kNoTerminal);
    pintor->drawRoundedRect(caja, 5, 5);
    QFont fuente = pintor->font();
    fuente.setItalic(lambda);
    pintor->setFont(fuente);
    pintor->setPen(alcanzado ? Qt::black : Qt::gray);
    pintor->drawText(caja, Qt::AlignCenter, texto);
  }
  void PonerAlcanzado(bool valor) {
    if (valor == alcanzado) return;
    alcanzado = valor;
    update();
  }

 private:
  QString texto;
  QRectF caja;
  Clase clase;
  bool alcanzado = false;
};

// The tree as drawn: a lambda expansion gets one child, the empty string, as textbooks draw
// it. The leaves go after the tree's own nodes, so that every child still follows its parent.
std::vector<Reconocimiento::Nodo> ConHojasLambda(const std::vector<Reconocimiento::Nodo>& arbol) {
  std::vector<Reconocimiento::Nodo> dibujo(arbol);
  for (std::size_t i = 0; i < arbol.size(); ++i) {
    if (!arbol[i].produccion || arbol[i].numHijos != 0) continue;
    dibujo[i].primerHijo = static_cast<int>(dibujo.size());
    dibujo[i].numHijos = 1;
    Reconocimiento::Nodo hoja;
    hoja.padre = static_cast<int>(i);
    hoja.paso = arbol[i].paso;
    dibujo.push_back(hoja);
  }
  return dibujo;
}

}  // namespace

std::vector<QPointF> DisponerArbol(const std::vector<Reconocimiento::Nodo>& nodos,
                                   const std::vector<qreal>& anchos, qreal separacion,
                                   qreal alturaFila) {
  const std::size_t n = nodos.size();
  // Children always come after their parent in the array: widths are summed from the end,
  // places handed out from the start.
  std::vector<qreal> subarbol(anchos);
  for (std::size_t i = n; i-- > 0;) {
    const auto& nodo = nodos[i];
    if (nodo.numHijos == 0) continue;
    qreal hijos = separacion * (nodo.numHijos - 1);
    for (int h = nodo.primerHijo; h < nodo.primerHijo + nodo.numHijos; ++h) hijos += subarbol[h];
    subarbol[i] = std::max(subarbol[i], hijos);
  }
  std::vector<qreal> izquierda(n, 0);
  std::vector<QPointF> posiciones(n);
  for (std::size_t i = 0; i < n; ++i) {
    const auto& nodo = nodos[i];
    const qreal fila = nodo.padre < 0 ? 0 : posiciones[nodo.padre].y() + alturaFila;
    posiciones[i] = QPointF(izquierda[i] + subarbol[i] / 2, fila);
    if (nodo.numHijos == 0) continue;
    qreal hijos = separacion * (nodo.numHijos - 1);
    for (int h = nodo.primerHijo; h < nodo.primerHijo + nodo.numHijos; ++h) hijos += subarbol[h];
    qreal x = izquierda[i] + (subarbol[i] - hijos) / 2;
    for (int h = nodo.primerHijo; h < nodo.primerHijo + nodo.numHijos; ++h) {
      izquierda[h] = x;
      x += subarbol[h] + separacion;
    }
  }
  return posiciones;
}

TVistaArbol::TVistaArbol(QWidget* padre) : QGraphicsView(padre) {
  setScene(new QGraphicsScene(this));
  setDragMode(QGraphicsView::ScrollHandDrag);
  setRenderHint(QPainter::Antialiasing);
  setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  setBackgroundBrush(Qt::white);
}

TVistaArbol::~TVistaArbol() = default;

void TVistaArbol::MostrarArbol(const Reconocimiento* nuevo) {
  reconocimiento = nuevo;
  scene()->clear();
  dibujo.clear();
  nodos.clear();
  ramas.clear();
  pasoMostrado = -1;
  if (!reconocimiento || reconocimiento->Arbol().empty()) {
    scene()->setSceneRect(QRectF());
    return;
  }
  dibujo = ConHojasLambda(reconocimiento->Arbol());
  const auto& arbol = dibujo;
  const QFontMetricsF medidas(font());
  QFont cursiva = font();
  cursiva.setItalic(true);
  const QString lambda = QStringLiteral("lambda");
  const qreal anchoLambda = QFontMetricsF(cursiva).horizontalAdvance(lambda) + 2 * kRelleno;
  std::vector<QString> textos(arbol.size(), lambda);
  std::vector<qreal> anchos(arbol.size(), anchoLambda);
  for (std::size_t i = 0; i < arbol.size() && arbol[i].simbolo; ++i) {
    textos[i] = AUnicode(arbol[i].simbolo->Nombre());
    anchos[i] = medidas.horizontalAdvance(textos[i]) + 2 * kRelleno;
  }
  const std::vector<QPointF> posiciones = DisponerArbol(arbol, anchos, kSeparacion, kAlturaFila);
  const qreal alto = medidas.height() + kRelleno;
  nodos.resize(arbol.size());
  ramas.resize(arbol.size(), nullptr);
  for (std::size_t i = 0; i < arbol.size(); ++i) {
    const Clase clase = !arbol[i].simbolo                ? Clase::Lambda
                        : arbol[i].simbolo->EsTerminal() ? Clase::Terminal
                                                         : Clase::NoTerminal;
    auto* nodo = new NodoArbol(textos[i], anchos[i], alto, clase);
    nodo->setPos(posiciones[i]);
    nodo->setZValue(1);
    scene()->addItem(nodo);
    nodos[i] = nodo;
    if (arbol[i].padre >= 0) {
      const QPointF desde = posiciones[arbol[i].padre] + QPointF(0, alto / 2);
      const QPointF hasta = posiciones[i] - QPointF(0, alto / 2);
      ramas[i] = scene()->addLine(QLineF(desde, hasta), QPen(QColor(120, 120, 120), 1));
    }
  }
  scene()->setSceneRect(scene()->itemsBoundingRect().adjusted(-20, -20, 20, 20));
  MostrarHastaPaso(-1);
}

void TVistaArbol::MostrarHastaPaso(int paso) {
  if (!reconocimiento) return;
  pasoMostrado = paso;
  const auto& arbol = dibujo;
  for (std::size_t i = 0; i < nodos.size(); ++i) {
    // A node is there once its parent was expanded; it counts as reached once the parse
    // expanded or matched it.
    const bool visible = arbol[i].padre < 0 ||
                         (arbol[arbol[i].padre].paso >= 0 && arbol[arbol[i].padre].paso <= paso);
    nodos[i]->setVisible(visible);
    if (ramas[i]) ramas[i]->setVisible(visible);
    static_cast<NodoArbol*>(nodos[i])->PonerAlcanzado(
        arbol[i].padre < 0 || (arbol[i].paso >= 0 && arbol[i].paso <= paso));
  }
}

void TVistaArbol::Acercar() { scale(kPasoZoom, kPasoZoom); }

void TVistaArbol::Alejar() { scale(1 / kPasoZoom, 1 / kPasoZoom); }

void TVistaArbol::Ajustar() {
  if (scene()->items().isEmpty()) return;
  fitInView(Visible(), Qt::KeepAspectRatio);
  // A small tree is shown at its own size rather than blown up.
  if (transform().m11() > 1) resetTransform();
}

void TVistaArbol::Encuadrar() {
  Ajustar();
  if (nodos.empty() || transform().m11() >= kEscalaLegible) return;
  setTransform(QTransform::fromScale(kEscalaLegible, kEscalaLegible));
  // The root at the top, as a tree is read.
  const qreal altoVisto = viewport()->height() / kEscalaLegible;
  centerOn(nodos[0]->pos().x(), Visible().top() + altoVisto / 2);
}

void TVistaArbol::wheelEvent(QWheelEvent* evento) {
  if (!(evento->modifiers() & Qt::ControlModifier)) {
    QGraphicsView::wheelEvent(evento);
    return;
  }
  if (evento->angleDelta().y() > 0)
    Acercar();
  else if (evento->angleDelta().y() < 0)
    Alejar();
  evento->accept();
}

QRectF TVistaArbol::Visible() const {
  QRectF zona;
  for (const QGraphicsItem* nodo : nodos)
    if (nodo->isVisible()) zona |= nodo->sceneBoundingRect();
  return zona.adjusted(-10, -10, 10, 10);
}

QByteArray TVistaArbol::ComoSvg() {
  QByteArray bytes;
  QBuffer destino(&bytes);
  const QRectF zona = Visible();
  QSvgGenerator svg;
  svg.setOutputDevice(&destino);
  svg.setSize(zona.size().toSize());
  svg.setViewBox(QRectF(QPointF(), zona.size()));
  svg.setTitle("Árbol sintáctico");
  QPainter pintor(&svg);
  scene()->render(&pintor, QRectF(QPointF(), zona.size()), zona);
  pintor.end();
  return bytes;
}

QByteArray TVistaArbol::ComoPng() {
  const QRectF zona = Visible();
  QImage imagen(zona.size().toSize(), QImage::Format_ARGB32);
  imagen.fill(Qt::white);
  QPainter pintor(&imagen);
  pintor.setRenderHint(QPainter::Antialiasing);
  scene()->render(&pintor, QRectF(imagen.rect()), zona);
  pintor.end();
  QByteArray bytes;
  QBuffer destino(&bytes);
  destino.open(QIODevice::WriteOnly);
  imagen.save(&destino, "PNG");
  return bytes;
}
