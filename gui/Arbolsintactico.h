// The parse tree of a sentence drawn as a tree: laid out once for the whole tree, so that it
// grows in place as the parse goes step by step; zoom with Ctrl and the wheel, scroll by
// dragging or with the bars; saved as an SVG or PNG picture.
#pragma once

#include <QByteArray>
#include <QGraphicsView>
#include <vector>

#include "Reconocedor.h"

class QGraphicsItem;

// Where each node of a tree goes: one row per depth, every node centred over the span its
// subtree takes, siblings side by side without overlapping. `anchos` are the widths of the
// nodes' labels; the walk is over the array, so a tree of any depth is laid out.
std::vector<QPointF> DisponerArbol(const std::vector<Reconocimiento::Nodo>& nodos,
                                   const std::vector<qreal>& anchos, qreal separacion,
                                   qreal alturaFila);

class TVistaArbol : public QGraphicsView {
  Q_OBJECT

 public:
  explicit TVistaArbol(QWidget* padre = nullptr);
  ~TVistaArbol() override;

  // Draws the tree of `reconocimiento` (nothing when it has none); it must outlive the view's
  // use of it, until the next call.
  void MostrarArbol(const Reconocimiento* reconocimiento);
  // Shows the nodes the steps up to `paso` reached (-1: the axiom alone).
  void MostrarHastaPaso(int paso);

  void Acercar();
  void Alejar();
  // The whole tree, however small it gets (never larger than its own size).
  void Ajustar();
  // The whole tree when it can be read so; otherwise as small as can still be read, from the
  // root down, the rest reached by scrolling.
  void Encuadrar();

  QByteArray ComoSvg();
  QByteArray ComoPng();

 protected:
  void wheelEvent(QWheelEvent* evento) override;

 private:
  QRectF Visible() const;

  const Reconocimiento* reconocimiento = nullptr;
  // The parse's tree plus a "lambda" leaf under each lambda expansion, after the tree's nodes.
  std::vector<Reconocimiento::Nodo> dibujo;
  std::vector<QGraphicsItem*> nodos;  // one per node drawn
  std::vector<QGraphicsItem*> ramas;  // the line up to its parent; null for the root
  int pasoMostrado = -1;
};
