#include "Iconos.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Every icon is drawn on a 24 x 24 grid and scaled to the size asked.
constexpr qreal kRejilla = 24.0;

const QColor kTrazo(70, 74, 82);
const QColor kPapel(255, 255, 255);
const QColor kAzul(52, 101, 164);
const QColor kAzulClaro(114, 159, 207);
const QColor kVerde(78, 154, 6);
const QColor kRojo(204, 0, 0);
const QColor kCarpeta(233, 185, 80);
const QColor kCarpetaClara(250, 215, 120);
const QColor kGris(136, 138, 133);

QPen Trazo(const QColor& color = kTrazo, qreal ancho = 1.2) {
  QPen pluma(color, ancho);
  pluma.setJoinStyle(Qt::RoundJoin);
  pluma.setCapStyle(Qt::RoundCap);
  return pluma;
}

void Pagina(QPainter& p, const QRectF& r) {
  const qreal doblez = r.width() * 0.35;
  QPainterPath hoja;
  hoja.moveTo(r.topLeft());
  hoja.lineTo(r.right() - doblez, r.top());
  hoja.lineTo(r.right(), r.top() + doblez);
  hoja.lineTo(r.bottomRight());
  hoja.lineTo(r.bottomLeft());
  hoja.closeSubpath();
  p.setPen(Trazo());
  p.setBrush(kPapel);
  p.drawPath(hoja);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({{r.right() - doblez, r.top()},
                            {r.right() - doblez, r.top() + doblez},
                            {r.right(), r.top() + doblez}}));
}

void Renglones(QPainter& p, const QRectF& r, int cuantos, const QColor& color = kGris) {
  p.setPen(Trazo(color, 1.2));
  const qreal paso = r.height() / qMax(1, cuantos - 1);
  for (int i = 0; i < cuantos; ++i) {
    const qreal y = r.top() + i * paso;
    const qreal fin = (i % 3 == 2) ? r.left() + r.width() * 0.6 : r.right();
    p.drawLine(QPointF(r.left(), y), QPointF(fin, y));
  }
}

void PaginaEscrita(QPainter& p, const QRectF& r) {
  Pagina(p, r);
  Renglones(p, QRectF(r.left() + 3, r.top() + r.height() * 0.4, r.width() - 6, r.height() * 0.45),
            4);
}

void Disquete(QPainter& p, const QRectF& r) {
  const qreal u = r.width() / 18.0;
  p.setPen(Trazo(kAzul.darker(140)));
  p.setBrush(kAzul);
  p.drawRoundedRect(r, 1.5 * u, 1.5 * u);
  p.setBrush(QColor(220, 222, 225));
  p.setPen(Trazo(kAzul.darker(140), 1.0));
  const QRectF cierre(r.left() + 4 * u, r.top(), 9 * u, 6 * u);
  p.drawRect(cierre);
  p.setBrush(kAzul.darker(130));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(cierre.left() + 6 * u, cierre.top() + 1 * u, 2 * u, 4 * u));
  p.setBrush(kPapel);
  p.setPen(Trazo(kAzul.darker(140), 1.0));
  const QRectF etiqueta(r.left() + 3 * u, r.top() + 9 * u, 12 * u, 9 * u);
  p.drawRect(etiqueta);
  Renglones(p, etiqueta.adjusted(2 * u, 2.5 * u, -2 * u, -3 * u), 2, kAzulClaro);
}

void Impresora(QPainter& p, const QRectF& r) {
  const qreal u = r.width() / 20.0;
  p.setPen(Trazo());
  p.setBrush(kPapel);
  p.drawRect(QRectF(r.left() + 4 * u, r.top(), 12 * u, 7 * u));
  p.setBrush(QColor(186, 189, 182));
  p.drawRoundedRect(QRectF(r.left(), r.top() + 6 * u, 20 * u, 9 * u), 2 * u, 2 * u);
  p.setBrush(kPapel);
  QRectF salida(r.left() + 4 * u, r.top() + 12 * u, 12 * u, 8 * u);
  p.drawRect(salida);
  Renglones(p, salida.adjusted(2 * u, 2.5 * u, -2 * u, -2.5 * u), 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kVerde);
  p.drawEllipse(QPointF(r.left() + 16.5 * u, r.top() + 9 * u), 1.2 * u, 1.2 * u);
}

void Carpeta(QPainter& p) {
  p.setPen(Trazo(kCarpeta.darker(160)));
  p.setBrush(kCarpeta);
  QPainterPath fondo;
  fondo.moveTo(2, 20);
  fondo.lineTo(2, 5);
  fondo.lineTo(9, 5);
  fondo.lineTo(11, 7);
  fondo.lineTo(20, 7);
  fondo.lineTo(20, 20);
  fondo.closeSubpath();
  p.drawPath(fondo);
  p.setBrush(kCarpetaClara);
  p.drawPolygon(QPolygonF({{5, 11}, {23, 11}, {20, 20}, {2, 20}}));
}

void Tabla(QPainter& p, const QRectF& r) {
  p.setPen(Trazo());
  p.setBrush(kPapel);
  p.drawRect(r);
  const qreal alto = r.height() / 4, ancho = r.width() / 3;
  p.setPen(Qt::NoPen);
  p.setBrush(kAzulClaro);
  p.drawRect(QRectF(r.left(), r.top(), r.width(), alto));
  p.setBrush(QColor(211, 215, 207));
  p.drawRect(QRectF(r.left(), r.top() + alto, ancho, r.height() - alto));
  p.setPen(Trazo(kTrazo, 0.9));
  for (int i = 1; i < 4; ++i)
    p.drawLine(QPointF(r.left(), r.top() + i * alto), QPointF(r.right(), r.top() + i * alto));
  for (int i = 1; i < 3; ++i)
    p.drawLine(QPointF(r.left() + i * ancho, r.top()), QPointF(r.left() + i * ancho, r.bottom()));
  p.setPen(Trazo());
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
}

void Lupa(QPainter& p, const QPointF& centro, qreal radio) {
  p.setPen(Trazo(kTrazo, radio * 0.55));
  p.drawLine(centro + QPointF(radio * 0.75, radio * 0.75),
             centro + QPointF(radio * 1.9, radio * 1.9));
  p.setPen(Trazo(kTrazo, radio * 0.28));
  p.setBrush(QColor(220, 235, 250));
  p.drawEllipse(centro, radio, radio);
}

void Flecha(QPainter& p, const QPointF& desde, const QPointF& hasta, const QColor& color,
            qreal ancho) {
  p.setPen(Trazo(color, ancho));
  p.drawLine(desde, hasta);
  const QLineF linea(hasta, desde);
  const qreal punta = ancho * 2.2;
  QLineF ala1 = QLineF::fromPolar(punta, linea.angle() + 40).translated(hasta);
  QLineF ala2 = QLineF::fromPolar(punta, linea.angle() - 40).translated(hasta);
  p.drawLine(ala1);
  p.drawLine(ala2);
}

void Letra(QPainter& p, const QRectF& r, const QString& letra, const QColor& color, bool serif) {
  QFont fuente(serif ? "DejaVu Serif" : "DejaVu Sans");
  fuente.setBold(true);
  fuente.setPixelSize(qRound(r.height()));
  p.setFont(fuente);
  p.setPen(color);
  p.drawText(r, Qt::AlignCenter, letra);
}

// A small sign at the lower right corner of a bigger icon.
void Insignia(QPainter& p, const QColor& fondo) {
  p.setPen(Trazo(kPapel, 1.2));
  p.setBrush(fondo);
  p.drawEllipse(QPointF(17, 17), 6, 6);
}

void Dibujar(QPainter& p, Icono icono) {
  switch (icono) {
    case Icono::Programa: {
      p.setPen(Qt::NoPen);
      p.setBrush(kAzul);
      p.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
      p.setPen(Trazo(kPapel, 1.6));
      p.drawLine(QPointF(12, 6), QPointF(6, 17));
      p.drawLine(QPointF(12, 6), QPointF(18, 17));
      p.setBrush(kPapel);
      p.setPen(Qt::NoPen);
      for (const QPointF nodo : {QPointF(12, 6), QPointF(6, 17), QPointF(18, 17)})
        p.drawEllipse(nodo, 3, 3);
      break;
    }
    case Icono::Nuevo:
      Pagina(p, QRectF(4, 2, 15, 20));
      Insignia(p, kVerde);
      p.setPen(Trazo(kPapel, 2));
      p.drawLine(QPointF(17, 14), QPointF(17, 20));
      p.drawLine(QPointF(14, 17), QPointF(20, 17));
      break;
    case Icono::Abrir:
      Carpeta(p);
      break;
    case Icono::Cerrar:
      PaginaEscrita(p, QRectF(4, 2, 15, 20));
      Insignia(p, kRojo);
      p.setPen(Trazo(kPapel, 2));
      p.drawLine(QPointF(15, 15), QPointF(19, 19));
      p.drawLine(QPointF(19, 15), QPointF(15, 19));
      break;
    case Icono::Guardar:
      Disquete(p, QRectF(3, 3, 18, 18));
      break;
    case Icono::GuardarComo: {
      Disquete(p, QRectF(2, 2, 16, 16));
      p.setPen(Trazo(QColor(143, 89, 2), 1.2));
      p.setBrush(QColor(252, 175, 62));
      p.drawPolygon(QPolygonF({{22, 12}, {23.5, 13.5}, {15, 22}, {12.5, 22.5}, {13, 20}}));
      break;
    }
    case Icono::Imprimir:
      Impresora(p, QRectF(2, 2, 20, 20));
      break;
    case Icono::Salir:
      p.setPen(Trazo(QColor(143, 89, 2)));
      p.setBrush(QColor(193, 125, 17));
      p.drawRect(QRectF(3, 2, 11, 20));
      p.setPen(Qt::NoPen);
      p.setBrush(kCarpetaClara);
      p.drawEllipse(QPointF(11.5, 12), 1, 1);
      Flecha(p, QPointF(11, 12), QPointF(22, 12), kVerde, 2.2);
      break;
    case Icono::Deshacer: {
      QPainterPath curva;
      curva.moveTo(19, 19);
      curva.cubicTo(22, 10, 14, 5, 6, 9);
      p.setPen(Trazo(kAzul, 2.4));
      p.setBrush(Qt::NoBrush);
      p.drawPath(curva);
      p.setPen(Qt::NoPen);
      p.setBrush(kAzul);
      p.drawPolygon(QPolygonF({{2, 10}, {9, 4}, {10, 14}}));
      break;
    }
    case Icono::Cortar:
      p.setPen(Trazo(kGris.darker(130), 1.8));
      p.drawLine(QPointF(9, 15), QPointF(16, 2));
      p.drawLine(QPointF(15, 15), QPointF(8, 2));
      p.setPen(Trazo(kRojo, 1.8));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(7.5, 18), 3.2, 3.2);
      p.drawEllipse(QPointF(16.5, 18), 3.2, 3.2);
      break;
    case Icono::Copiar:
      PaginaEscrita(p, QRectF(3, 2, 12, 15));
      PaginaEscrita(p, QRectF(9, 7, 12, 15));
      break;
    case Icono::Pegar:
      p.setPen(Trazo(QColor(143, 89, 2)));
      p.setBrush(QColor(193, 125, 17));
      p.drawRoundedRect(QRectF(3, 4, 14, 18), 1.5, 1.5);
      p.setBrush(kGris);
      p.setPen(Trazo());
      p.drawRoundedRect(QRectF(6.5, 2, 7, 4), 1, 1);
      PaginaEscrita(p, QRectF(10, 9, 11, 13));
      break;
    case Icono::SeleccionarTodo: {
      p.setPen(Qt::NoPen);
      p.setBrush(kAzulClaro.lighter(125));
      p.drawRect(QRectF(3, 3, 18, 18));
      QPen puntos = Trazo(kAzul, 1.2);
      puntos.setDashPattern({2, 2});
      p.setPen(puntos);
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(3, 3, 18, 18));
      Renglones(p, QRectF(6, 7.5, 12, 9), 4, kAzul.darker(120));
      break;
    }
    case Icono::Buscar:
      Lupa(p, QPointF(10, 10), 6);
      break;
    case Icono::RepetirBusqueda:
      Lupa(p, QPointF(9, 9), 5.5);
      Flecha(p, QPointF(14, 21), QPointF(22, 21), kVerde, 2);
      break;
    case Icono::Reemplazar:
      Letra(p, QRectF(1, 1, 11, 12), "a", kAzul, false);
      Letra(p, QRectF(12, 11, 11, 12), "b", kRojo, false);
      Flecha(p, QPointF(5, 15), QPointF(10, 20), kTrazo, 1.6);
      break;
    case Icono::Fuente:
      Letra(p, QRectF(0, 1, 16, 20), "A", kTrazo, true);
      Letra(p, QRectF(12, 9, 12, 14), "a", kAzul, true);
      break;
    case Icono::Analizar:
      p.setPen(Trazo(kVerde.darker(140)));
      p.setBrush(kVerde);
      p.drawEllipse(QPointF(12, 12), 10, 10);
      p.setPen(Qt::NoPen);
      p.setBrush(kPapel);
      p.drawPolygon(QPolygonF({{9, 6.5}, {18, 12}, {9, 17.5}}));
      break;
    case Icono::GuardarAnalisis:
      PaginaEscrita(p, QRectF(2, 1, 14, 18));
      Disquete(p, QRectF(11, 11, 12, 12));
      break;
    case Icono::ImprimirAnalisis:
      PaginaEscrita(p, QRectF(2, 1, 14, 18));
      Impresora(p, QRectF(10, 10, 13, 13));
      break;
    case Icono::VerTabla:
      Tabla(p, QRectF(2, 4, 20, 16));
      break;
    case Icono::GuardarTabla:
      Tabla(p, QRectF(1, 2, 17, 14));
      Disquete(p, QRectF(11, 11, 12, 12));
      break;
    case Icono::Manual:
      p.setPen(Trazo(kAzul.darker(140)));
      p.setBrush(kPapel);
      p.drawRect(QRectF(6, 3, 15, 19));
      p.setBrush(kAzul);
      p.drawRoundedRect(QRectF(3, 2, 15, 19), 1.5, 1.5);
      Letra(p, QRectF(3, 4, 15, 15), "?", kPapel, false);
      break;
    case Icono::Acerca:
      p.setPen(Qt::NoPen);
      p.setBrush(kAzul);
      p.drawEllipse(QPointF(12, 12), 10, 10);
      p.setBrush(kPapel);
      p.drawEllipse(QPointF(12, 7), 1.8, 1.8);
      p.drawRoundedRect(QRectF(10.4, 10, 3.2, 9), 1, 1);
      break;
  }
}

class MotorIcono : public QIconEngine {
 public:
  explicit MotorIcono(Icono icono) : icono(icono) {}

  void paint(QPainter* pintor, const QRect& rect, QIcon::Mode modo, QIcon::State) override {
    const qreal escala = pintor->device() ? pintor->device()->devicePixelRatioF() : 1.0;
    QImage imagen(rect.size() * escala, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    {
      QPainter p(&imagen);
      p.setRenderHint(QPainter::Antialiasing);
      p.scale(imagen.width() / kRejilla, imagen.height() / kRejilla);
      Dibujar(p, icono);
    }
    if (modo == QIcon::Disabled) {
      imagen = imagen.convertToFormat(QImage::Format_ARGB32);
      Agrisar(imagen);
    }
    imagen.setDevicePixelRatio(escala);
    pintor->drawImage(rect, imagen);
  }

  QPixmap pixmap(const QSize& tamano, QIcon::Mode modo, QIcon::State estado) override {
    QPixmap mapa(tamano);
    mapa.fill(Qt::transparent);
    QPainter pintor(&mapa);
    paint(&pintor, QRect(QPoint(0, 0), tamano), modo, estado);
    return mapa;
  }

  QIconEngine* clone() const override { return new MotorIcono(icono); }

 private:
  // The greyed image of a disabled command: grey levels, faded.
  static void Agrisar(QImage& imagen) {
    for (int y = 0; y < imagen.height(); ++y) {
      auto* fila = reinterpret_cast<QRgb*>(imagen.scanLine(y));
      for (int x = 0; x < imagen.width(); ++x) {
        const QRgb color = fila[x];
        const int nivel = qGray(color) * 2 / 5 + 130;
        fila[x] = qRgba(nivel, nivel, nivel, qAlpha(color) / 2);
      }
    }
  }

  Icono icono;
};

}  // namespace

QIcon CrearIcono(Icono icono) { return QIcon(new MotorIcono(icono)); }
