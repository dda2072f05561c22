#include "Delegadolineas.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QListWidget>
#include <QStyle>
#include <cmath>

DelegadoLineas::DelegadoLineas(QListWidget* lista)
    : QStyledItemDelegate(lista),
      lista(lista),
      fuente(lista->font()),
      anchoMaximoCaracter(QFontMetricsF(fuente).maxWidth()) {
  anchosLatin1.fill(-1);
  lista->setItemDelegate(this);
  // Lines are only noted here, one by one as they come; they are measured all together when
  // the list next lays out.
  const QAbstractItemModel* modelo = lista->model();
  connect(
      modelo, &QAbstractItemModel::rowsInserted, this,
      [this](const QModelIndex&, int primera, int) { pendiente = std::min(pendiente, primera); });
  // A line less, or a line changed, may have been the widest.
  const auto todas = [this] {
    anchoMaximo = 0;
    pendiente = 0;
  };
  connect(modelo, &QAbstractItemModel::rowsRemoved, this, todas);
  connect(modelo, &QAbstractItemModel::modelReset, this, todas);
  connect(modelo, &QAbstractItemModel::dataChanged, this, todas);
}

QSize DelegadoLineas::sizeHint(const QStyleOptionViewItem& opcion,
                               const QModelIndex& indice) const {
  MedirPendientes();
  QSize tamano = QStyledItemDelegate::sizeHint(opcion, indice);
  // The room the style leaves on each side of an item's text.
  const QWidget* vista = opcion.widget;
  const QStyle* estilo = vista ? vista->style() : QApplication::style();
  const int margen = 2 * (estilo->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, vista) + 1);
  tamano.setWidth(std::max(tamano.width(), anchoMaximo + margen));
  return tamano;
}

void DelegadoLineas::MedirPendientes() const {
  const int lineas = lista->count();
  for (int fila = pendiente; fila < lineas; ++fila) {
    const QString texto = lista->item(fila)->text();
    // No line this short can be the widest: most lines are not measured at all.
    if (texto.size() * anchoMaximoCaracter <= anchoMaximo) continue;
    anchoMaximo = std::max(anchoMaximo, AnchoTexto(texto));
  }
  pendiente = INT_MAX;
}

qreal DelegadoLineas::AnchoCaracter(QChar caracter) const {
  const char16_t codigo = caracter.unicode();
  if (codigo < anchosLatin1.size()) {
    qreal& ancho = anchosLatin1[codigo];
    if (ancho < 0) ancho = QFontMetricsF(fuente).horizontalAdvance(caracter);
    return ancho;
  }
  const auto encontrado = otrosAnchos.constFind(codigo);
  if (encontrado != otrosAnchos.constEnd()) return *encontrado;
  return otrosAnchos.insert(codigo, QFontMetricsF(fuente).horizontalAdvance(caracter)).value();
}

int DelegadoLineas::AnchoTexto(const QString& texto) const {
  qreal ancho = 0;
  for (const QChar caracter : texto) ancho += AnchoCaracter(caracter);
  return static_cast<int>(std::ceil(ancho)) + 1;
}
