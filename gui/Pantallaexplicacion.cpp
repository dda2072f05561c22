#include "Pantallaexplicacion.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

TFormExplicacion::TFormExplicacion(std::function<void(const QList<int>&)> marcar, QWidget* padre)
    : QDialog(padre), marcar(std::move(marcar)) {
  setObjectName("FormExplicacion");
  setWindowTitle("Explicación de los conflictos");
  setModal(false);
  setSizeGripEnabled(true);
  resize(420, 460);

  ListaExplicaciones = new QListWidget(this);
  ListaExplicaciones->setObjectName("ListaExplicaciones");
  ListaExplicaciones->setWordWrap(true);
  TextoExplicacion = new QPlainTextEdit(this);
  TextoExplicacion->setObjectName("TextoExplicacion");
  TextoExplicacion->setReadOnly(true);
  TextoExplicacion->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  TextoExplicacion->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* separador = new QSplitter(Qt::Vertical, this);
  separador->addWidget(ListaExplicaciones);
  separador->addWidget(TextoExplicacion);
  separador->setStretchFactor(0, 1);
  separador->setStretchFactor(1, 2);
  separador->setChildrenCollapsible(false);

  auto* cerrar = new QPushButton("&Cerrar", this);
  cerrar->setObjectName("BCerrar");
  cerrar->setAutoDefault(false);
  connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
  auto* abajo = new QHBoxLayout;
  abajo->addStretch();
  abajo->addWidget(cerrar);
  auto* disposicion = new QVBoxLayout(this);
  disposicion->addWidget(separador, 1);
  disposicion->addLayout(abajo);

  // A click, or a move with the keys, chooses an entry; a click again marks its lines again.
  connect(ListaExplicaciones, &QListWidget::currentRowChanged, this, &TFormExplicacion::Elegir);
  connect(ListaExplicaciones, &QListWidget::itemClicked, this,
          [this] { Elegir(ListaExplicaciones->currentRow()); });
}

void TFormExplicacion::Poner(std::vector<Entrada> nuevas) {
  entradas = std::move(nuevas);
  const QSignalBlocker sinAvisar(ListaExplicaciones);
  ListaExplicaciones->clear();
  TextoExplicacion->clear();
  for (const Entrada& entrada : entradas) ListaExplicaciones->addItem(entrada.titulo);
  if (entradas.empty()) {
    auto* nada = new QListWidgetItem("El último análisis no tiene nada que explicar.");
    nada->setFlags(Qt::NoItemFlags);
    ListaExplicaciones->addItem(nada);
  }
}

void TFormExplicacion::Elegir(int indice) {
  if (indice < 0 || indice >= static_cast<int>(entradas.size())) return;
  if (ListaExplicaciones->currentRow() != indice) {
    const QSignalBlocker sinAvisar(ListaExplicaciones);
    ListaExplicaciones->setCurrentRow(indice);
  }
  const Entrada& entrada = entradas[static_cast<std::size_t>(indice)];
  TextoExplicacion->setPlainText(entrada.detalle.join('\n'));
  marcar(entrada.lineas);
}
