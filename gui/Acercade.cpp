#include "Acercade.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Iconos.h"

namespace {

constexpr int kLadoIcono = 49;

QLabel* Etiqueta(const char* nombre, const QString& texto, bool negrita, QWidget* padre) {
  auto* etiqueta = new QLabel(texto, padre);
  etiqueta->setObjectName(nombre);
  if (negrita) {
    QFont fuente = etiqueta->font();
    fuente.setBold(true);
    etiqueta->setFont(fuente);
  }
  return etiqueta;
}

}  // namespace

TFrAcerca::TFrAcerca(QWidget* padre) : QDialog(padre) {
  setObjectName("FrAcerca");
  setWindowTitle("Acerca de Quindel(1)");

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setMinimumSize(321, 113);

  auto* icono = new QLabel(panel);
  icono->setObjectName("Icono");
  icono->setFixedSize(kLadoIcono, kLadoIcono);
  icono->setPixmap(CrearIcono(Icono::Programa).pixmap(kLadoIcono, kLadoIcono));
  auto* producto = Etiqueta("ProductName", "Quindel(1): análisis de gramáticas LL(1)", true, panel);
  auto* version = Etiqueta("Version", "versión 1.0", true, panel);
  version->setAlignment(Qt::AlignCenter);
  version->setFixedWidth(216);
  auto* autor = Etiqueta("Autor", "Equipo de desarrollo de Quindel(1)", false, panel);
  auto* grupo = Etiqueta("Grupo", "Herramientas para la enseñanza de compiladores", false, panel);

  auto* rejilla = new QGridLayout(panel);
  rejilla->setContentsMargins(8, 8, 12, 8);
  rejilla->setHorizontalSpacing(14);
  rejilla->addWidget(icono, 0, 0, 4, 1, Qt::AlignTop);
  rejilla->addWidget(producto, 0, 1);
  rejilla->addWidget(version, 1, 1, Qt::AlignLeft);
  rejilla->addWidget(autor, 2, 1);
  rejilla->addWidget(grupo, 3, 1);

  auto* aceptar = new QPushButton("&Aceptar", this);
  aceptar->setObjectName("OKButton");
  aceptar->setFixedSize(75, 25);
  aceptar->setDefault(true);
  connect(aceptar, &QPushButton::clicked, this, &TFrAcerca::OKButtonClick);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->setContentsMargins(8, 8, 8, 10);
  disposicion->setSpacing(12);
  disposicion->addWidget(panel);
  disposicion->addWidget(aceptar, 0, Qt::AlignHCenter);
  disposicion->setSizeConstraint(QLayout::SetFixedSize);
}

void TFrAcerca::OKButtonClick() { accept(); }
