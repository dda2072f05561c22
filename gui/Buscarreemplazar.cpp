#include "Buscarreemplazar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* Boton(const QString& nombre, const QString& texto, QWidget* padre) {
  auto* boton = new QPushButton(texto, padre);
  boton->setObjectName(nombre);
  return boton;
}

}  // namespace

TDialogoBusqueda::TDialogoBusqueda(Tipo tipo, QWidget* padre) : QDialog(padre) {
  const bool reemplazar = tipo == Tipo::Reemplazar;
  setObjectName(reemplazar ? "DlgReemplazar" : "DlgBuscar");
  setWindowTitle(reemplazar ? "Reemplazar" : "Buscar");
  setModal(false);

  auto* campos = new QGridLayout;
  textoBuscado = new QLineEdit(this);
  textoBuscado->setObjectName("TextoBuscado");
  auto* etiquetaBuscado = new QLabel("&Buscar:", this);
  etiquetaBuscado->setBuddy(textoBuscado);
  campos->addWidget(etiquetaBuscado, 0, 0);
  campos->addWidget(textoBuscado, 0, 1);
  if (reemplazar) {
    textoReemplazo = new QLineEdit(this);
    textoReemplazo->setObjectName("TextoReemplazo");
    auto* etiquetaReemplazo = new QLabel("Reem&plazar por:", this);
    etiquetaReemplazo->setBuddy(textoReemplazo);
    campos->addWidget(etiquetaReemplazo, 1, 0);
    campos->addWidget(textoReemplazo, 1, 1);
  }
  palabrasCompletas = new QCheckBox("Sólo palabras &completas", this);
  palabrasCompletas->setObjectName("PalabrasCompletas");
  mayusculas = new QCheckBox("Coincidir &mayúsculas y minúsculas", this);
  mayusculas->setObjectName("Mayusculas");
  auto* izquierda = new QVBoxLayout;
  izquierda->addLayout(campos);
  izquierda->addSpacing(6);
  izquierda->addWidget(palabrasCompletas);
  izquierda->addWidget(mayusculas);
  izquierda->addStretch();

  auto* botones = new QVBoxLayout;
  auto* siguiente = Boton("BBuscarSiguiente", "Buscar &siguiente", this);
  siguiente->setDefault(true);
  botones->addWidget(siguiente);
  botonesDeBusqueda.append(siguiente);
  connect(siguiente, &QPushButton::clicked, this, &TDialogoBusqueda::BuscarSiguiente);
  if (reemplazar) {
    auto* uno = Boton("BReemplazar", "&Reemplazar", this);
    auto* todos = Boton("BReemplazarTodo", "Reemplazar &todo", this);
    botones->addWidget(uno);
    botones->addWidget(todos);
    botonesDeBusqueda.append({uno, todos});
    connect(uno, &QPushButton::clicked, this, [this] { emit Reemplazar(false); });
    connect(todos, &QPushButton::clicked, this, [this] { emit Reemplazar(true); });
  }
  auto* cancelar = Boton("BCancelar", "Cancelar", this);
  connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
  botones->addWidget(cancelar);
  botones->addStretch();

  auto* principal = new QHBoxLayout(this);
  principal->addLayout(izquierda, 1);
  principal->addSpacing(8);
  principal->addLayout(botones);
  principal->setSizeConstraint(QLayout::SetFixedSize);
  textoBuscado->setMinimumWidth(200);

  connect(textoBuscado, &QLineEdit::textChanged, this, &TDialogoBusqueda::ActualizarBotones);
  ActualizarBotones();
}

QString TDialogoBusqueda::TextoBuscado() const { return textoBuscado->text(); }

QString TDialogoBusqueda::TextoReemplazo() const {
  return textoReemplazo ? textoReemplazo->text() : QString();
}

bool TDialogoBusqueda::Mayusculas() const { return mayusculas->isChecked(); }

bool TDialogoBusqueda::PalabrasCompletas() const { return palabrasCompletas->isChecked(); }

void TDialogoBusqueda::PonerTextoBuscado(const QString& texto) { textoBuscado->setText(texto); }

void TDialogoBusqueda::MostrarVacio() {
  textoBuscado->clear();
  if (textoReemplazo) textoReemplazo->clear();
  show();
  raise();
  activateWindow();
  textoBuscado->setFocus();
}

void TDialogoBusqueda::ActualizarBotones() {
  const bool hayTexto = !textoBuscado->text().isEmpty();
  for (QPushButton* boton : botonesDeBusqueda) boton->setEnabled(hayTexto);
}
