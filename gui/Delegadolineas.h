// The lines of a message list shown whole: every line is laid out as wide as the widest one, so
// that none is cut short and the list scrolls sideways to the rest. The lists keep uniform item
// sizes, which lets one of a hundred thousand lines lay out at once; the widest line is found
// when the list lays out, from a table of character widths rather than by shaping each line.
#pragma once

#include <QFont>
#include <QHash>
#include <QStyledItemDelegate>
#include <array>
#include <climits>

class QListWidget;

class DelegadoLineas : public QStyledItemDelegate {
 public:
  // Becomes the delegate of `lista` and follows its lines, in its font.
  explicit DelegadoLineas(QListWidget* lista);

  QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;

 private:
  // The width of `texto` in the list's font: the sum of its characters' advances, rounded up
  // with a pixel to spare. Kerning only brings characters closer, so a line drawn is never
  // wider than this.
  int AnchoTexto(const QString& texto) const;
  void MedirPendientes() const;
  qreal AnchoCaracter(QChar caracter) const;

  QListWidget* lista;
  QFont fuente;
  qreal anchoMaximoCaracter;
  // A cache, filled as the list lays out: what has been measured and the widths found.
  mutable std::array<qreal, 256> anchosLatin1;  // negative: not measured yet
  mutable QHash<char16_t, qreal> otrosAnchos;
  mutable int anchoMaximo = 0;
  mutable int pendiente = 0;  // the first line not measured yet
};
