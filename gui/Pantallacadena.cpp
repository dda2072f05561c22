#include "Pantallacadena.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "Arbolsintactico.h"
#include "Simbolos.h"
#include "Texto1252.h"

namespace {

// A column shows at most this many symbols; the rest is cut with an ellipsis.
constexpr std::size_t kSimbolosPorCelda = 200;
constexpr int kFrasesRecordadas = 20;

QString Unir(const std::vector<const CSimbolo*>& simbolos, std::size_t desde, std::size_t hasta,
             bool alPrincipio, bool alFinal) {
  QString texto = alPrincipio ? QStringLiteral("… ") : QString();
  for (std::size_t i = desde; i < hasta; ++i) {
    if (i > desde) texto += ' ';
    texto += AUnicode(simbolos[i]->Nombre());
  }
  if (alFinal) texto += QStringLiteral(" …");
  return texto;
}

// Each column of the steps is cut where it matters least: the stack keeps its top, on the
// right; the input its next terminals and the action its beginning, on the left. A cell shows
// its tool tip only when it is cut.
class DelegadoPasos : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  bool helpEvent(QHelpEvent* evento, QAbstractItemView* vista, const QStyleOptionViewItem& opcion,
                 const QModelIndex& indice) override {
    if (evento->type() == QEvent::ToolTip && !Cortada(opcion, indice)) {
      QToolTip::hideText();
      return true;
    }
    return QStyledItemDelegate::helpEvent(evento, vista, opcion, indice);
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& indice) const override {
    QStyledItemDelegate::initStyleOption(opcion, indice);
    opcion->textElideMode = indice.column() == 0 ? Qt::ElideLeft : Qt::ElideRight;
  }

 private:
  bool Cortada(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const {
    return sizeHint(opcion, indice).width() > opcion.rect.width();
  }
};

}  // namespace

// The steps shown so far, computed row by row as the grid asks for them: a step's stack and
// input are rebuilt from the parse's shared stack, so a long parse costs nothing until seen.
class ModeloPasos : public QAbstractTableModel {
 public:
  void Poner(const Reconocimiento* nuevo, int filas) {
    beginResetModel();
    reconocimiento = nuevo;
    mostradas = filas;
    endResetModel();
  }
  int rowCount(const QModelIndex& padre) const override { return padre.isValid() ? 0 : mostradas; }
  int columnCount(const QModelIndex& padre) const override { return padre.isValid() ? 0 : 3; }
  QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override {
    if (rol != Qt::DisplayRole) return {};
    if (orientacion == Qt::Vertical) return seccion + 1;
    static const char* const kTitulos[] = {"Pila", "Entrada", "Acción"};
    return QString::fromUtf8(kTitulos[seccion]);
  }
  // The tool tip is the whole cell, for when the grid cuts it short.
  QVariant data(const QModelIndex& indice, int rol) const override {
    if (!reconocimiento || (rol != Qt::DisplayRole && rol != Qt::ToolTipRole)) return {};
    const auto& paso = reconocimiento->Pasos()[static_cast<std::size_t>(indice.row())];
    switch (indice.column()) {
      case 0: {
        const auto pila = reconocimiento->Pila(paso);
        // The top, on the right, is what matters: a tall stack loses its bottom.
        const std::size_t desde =
            pila.size() > kSimbolosPorCelda ? pila.size() - kSimbolosPorCelda : 0;
        return Unir(pila, desde, pila.size(), desde > 0, false);
      }
      case 1: {
        const auto& entrada = reconocimiento->Entrada();
        const auto desde = static_cast<std::size_t>(paso.entrada);
        const std::size_t hasta = std::min(entrada.size(), desde + kSimbolosPorCelda);
        return Unir(entrada, desde, hasta, false, hasta < entrada.size());
      }
      default:
        return AUnicode(TextoAccion(*reconocimiento, paso));
    }
  }

 private:
  const Reconocimiento* reconocimiento = nullptr;
  int mostradas = 0;
};

TFormCadena::TFormCadena(Servicios servicios, QWidget* padre)
    : QDialog(padre), servicios(std::move(servicios)), modelo(std::make_unique<ModeloPasos>()) {
  setObjectName("FormCadena");
  setWindowTitle("Probar cadena");
  setSizeGripEnabled(true);
  resize(900, 640);

  Frase = new QComboBox(this);
  Frase->setObjectName("Frase");
  Frase->setEditable(true);
  // The sentences analysed join the list, the last one first (see Preparar).
  Frase->setInsertPolicy(QComboBox::NoInsert);
  Frase->setMaxCount(kFrasesRecordadas);
  // The list offers the sentences tried before, but what is typed is run as typed: completing
  // it from the list would run another sentence.
  Frase->setCompleter(nullptr);
  Frase->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  Frase->lineEdit()->setPlaceholderText(
      "Terminales separados por blancos, por ejemplo: id + id * id");
  auto* etiqueta = new QLabel("&Cadena:", this);
  etiqueta->setBuddy(Frase);

  const auto boton = [this](const char* nombre, const QString& texto,
                            void (TFormCadena::*orden)()) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, orden);
    return b;
  };
  BReconocer = boton("BReconocer", "&Reconocer", &TFormCadena::Reconocer);
  connect(Frase->lineEdit(), &QLineEdit::returnPressed, this, &TFormCadena::Reconocer);
  BPaso = boton("BPaso", "&Paso", &TFormCadena::Paso);
  BReiniciar = boton("BReiniciar", "R&einiciar", &TFormCadena::Reiniciar);
  BGuardarArbol = boton("BGuardarArbol", "&Guardar árbol...", &TFormCadena::GuardarArbol);
  auto* salir = boton("BSalir", "&Salir", &TFormCadena::accept);

  ListaPasos = new QTableView(this);
  ListaPasos->setObjectName("ListaPasos");
  ListaPasos->setModel(modelo.get());
  ListaPasos->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListaPasos->setSelectionMode(QAbstractItemView::SingleSelection);
  ListaPasos->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListaPasos->setWordWrap(false);
  ListaPasos->setItemDelegate(new DelegadoPasos(ListaPasos));
  ListaPasos->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ListaPasos->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  ListaPasos->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  ListaPasos->horizontalHeader()->setHighlightSections(false);

  Veredicto = new QLabel(this);
  Veredicto->setObjectName("Veredicto");
  Veredicto->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Veredicto->setWordWrap(true);

  Arbol = new TVistaArbol(this);
  Arbol->setObjectName("Arbol");
  const auto zoom = [this](const char* nombre, const QString& texto, const QString& pista,
                           void (TVistaArbol::*orden)()) {
    auto* b = new QToolButton(this);
    b->setObjectName(nombre);
    b->setText(texto);
    b->setToolTip(pista);
    connect(b, &QToolButton::clicked, Arbol, orden);
    return b;
  };

  auto* arriba = new QHBoxLayout;
  arriba->addWidget(etiqueta);
  arriba->addWidget(Frase, 1);
  arriba->addWidget(BReconocer);
  arriba->addWidget(BPaso);
  arriba->addWidget(BReiniciar);

  auto* herramientasArbol = new QHBoxLayout;
  herramientasArbol->addWidget(new QLabel("Árbol sintáctico", this));
  herramientasArbol->addStretch();
  herramientasArbol->addWidget(
      zoom("BAcercar", "+", "Acercar (Ctrl y la rueda del ratón)", &TVistaArbol::Acercar));
  herramientasArbol->addWidget(zoom("BAlejar", "−", "Alejar", &TVistaArbol::Alejar));
  herramientasArbol->addWidget(
      zoom("BAjustar", "Ajustar", "Ver el árbol entero", &TVistaArbol::Ajustar));
  auto* panelArbol = new QWidget(this);
  auto* columnaArbol = new QVBoxLayout(panelArbol);
  columnaArbol->setContentsMargins(0, 0, 0, 0);
  columnaArbol->addLayout(herramientasArbol);
  columnaArbol->addWidget(Arbol, 1);

  auto* separador = new QSplitter(Qt::Vertical, this);
  separador->addWidget(ListaPasos);
  separador->addWidget(panelArbol);
  separador->setStretchFactor(0, 1);
  separador->setStretchFactor(1, 2);
  separador->setChildrenCollapsible(false);

  auto* abajo = new QHBoxLayout;
  abajo->addWidget(Veredicto, 1);
  abajo->addWidget(BGuardarArbol);
  abajo->addWidget(salir);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->addLayout(arriba);
  disposicion->addWidget(separador, 1);
  disposicion->addLayout(abajo);

  using Modo = Dialogos::DialogoFichero::Modo;
  DlgGuardArbol = {"DlgGuardArbol",
                   Modo::Guardar,
                   "Guardar árbol sintáctico",
                   QStringList{"Imagen SVG (*.svg)", "Imagen PNG (*.png)"},
                   "svg",
                   {},
                   {}};
}

TFormCadena::~TFormCadena() = default;

void TFormCadena::MostrarCadena(const CGramatica& nuevaGramatica,
                                const CTablaSintactica& nuevaTabla) {
  gramatica = &nuevaGramatica;
  tabla = &nuevaTabla;
  reconocimiento.reset();
  fraseReconocida.clear();
  pasoActual = -1;
  modelo->Poner(nullptr, 0);
  Arbol->MostrarArbol(nullptr);
  Veredicto->clear();
  HabilitarGuardarArbol();
  Frase->setFocus();
  Frase->lineEdit()->selectAll();
  servicios.dialogos.Ejecutar(*this);
  // The grammar and its table go with the next analysis.
  modelo->Poner(nullptr, 0);
  Arbol->MostrarArbol(nullptr);
  reconocimiento.reset();
  gramatica = nullptr;
  tabla = nullptr;
}

bool TFormCadena::Preparar() {
  if (!gramatica || !tabla) return false;
  const QString frase = Frase->currentText();
  if (reconocimiento && frase == fraseReconocida) return true;
  reconocimiento = ::Reconocer(*gramatica, *tabla, ACp1252(frase));
  fraseReconocida = frase;
  pasoActual = -1;
  Arbol->MostrarArbol(&*reconocimiento);
  HabilitarGuardarArbol();
  // The sentence joins the ones typed before, first in the list.
  const int anterior = Frase->findText(frase);
  if (anterior != 0) {
    if (anterior > 0) Frase->removeItem(anterior);
    Frase->insertItem(0, frase);
    Frase->setCurrentIndex(0);
  }
  return true;
}

void TFormCadena::Reconocer() {
  if (!Preparar()) return;
  MostrarPaso(static_cast<int>(reconocimiento->Pasos().size()) - 1);
  Arbol->Encuadrar();
}

void TFormCadena::Paso() {
  if (!Preparar()) return;
  if (pasoActual + 1 < static_cast<int>(reconocimiento->Pasos().size()))
    MostrarPaso(pasoActual + 1);
  else
    MostrarPaso(pasoActual);
}

void TFormCadena::Reiniciar() {
  if (!Preparar()) return;
  MostrarPaso(-1);
}

void TFormCadena::MostrarPaso(int paso) {
  pasoActual = paso;
  modelo->Poner(&*reconocimiento, paso + 1);
  Arbol->MostrarHastaPaso(paso);
  if (paso >= 0) {
    ListaPasos->selectRow(paso);
    ListaPasos->scrollTo(modelo->index(paso, 0));
  }
  // The verdict once the parse has come to its end (at once for a name that is no terminal).
  const bool final = paso + 1 >= static_cast<int>(reconocimiento->Pasos().size());
  Veredicto->setText(final ? AUnicode(TextoVeredicto(*reconocimiento)) : QString());
}

void TFormCadena::HabilitarGuardarArbol() {
  BGuardarArbol->setEnabled(reconocimiento && !reconocimiento->Arbol().empty());
}

void TFormCadena::GuardarArbol() {
  if (!reconocimiento || reconocimiento->Arbol().empty()) return;
  const auto ruta = servicios.dialogos.ElegirFichero(DlgGuardArbol);
  if (!ruta) return;
  const bool png = QFileInfo(*ruta).suffix().compare("png", Qt::CaseInsensitive) == 0;
  if (!servicios.escribir(*ruta, png ? Arbol->ComoPng() : Arbol->ComoSvg())) {
    servicios.errorAlGuardar(*ruta);
    return;
  }
  servicios.agregarMensaje("Árbol sintáctico guardado en " + *ruta);
}
