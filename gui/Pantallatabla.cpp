#include "Pantallatabla.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <numeric>

#include "Aplicacion.h"
#include "Dialogos.h"
#include "Paginacion.h"

// The grid's texts as a model, so that the view asks only for the cells it shows.
class ModeloRejilla : public QAbstractTableModel {
 public:
  explicit ModeloRejilla(const RejillaTabla& rejilla) : rejilla(rejilla) {}

  void Recargar() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& padre) const override {
    return padre.isValid() ? 0 : rejilla.NumFilas();
  }
  int columnCount(const QModelIndex& padre) const override {
    return padre.isValid() ? 0 : rejilla.NumColumnas();
  }
  QVariant data(const QModelIndex& indice, int rol) const override {
    if (rol == Qt::DisplayRole) return rejilla.Texto(indice.row(), indice.column());
    if (rol == Qt::TextAlignmentRole) return Alineacion(indice.column());
    return {};
  }
  // Across, the terminals; down, the non-terminals: the view shows those as its row header,
  // which stays in place while the cells scroll sideways.
  QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override {
    const bool filas = orientacion == Qt::Vertical;
    if (rol == Qt::DisplayRole)
      return filas ? rejilla.Texto(seccion, 0) : rejilla.Cabecera(seccion);
    if (rol == Qt::TextAlignmentRole) return Alineacion(filas ? 0 : seccion);
    return {};
  }

 private:
  // The row-header column reads from the left; the terminals' columns are centred.
  static QVariant Alineacion(int columna) {
    return QVariant::fromValue(Qt::AlignVCenter |
                               (columna == 0 ? Qt::AlignLeft : Qt::AlignHCenter));
  }

  const RejillaTabla& rejilla;
};

namespace {

constexpr int kAnchoMinimo = 390;
constexpr int kAltoPanel = 65;
constexpr int kHolguraAncho = 10;

// The grid spreads its width over the columns, none narrower than its minimum, and scrolls
// sideways when the minimums do not fit. The row-header column is the view's row header, so
// that the names stay in sight; the model's column 0, which holds them too, is not shown.
class VistaRejilla : public QTableView {
 public:
  using QTableView::QTableView;
  void PonerMinimos(std::vector<int> nuevos) {
    minimos = std::move(nuevos);
    setColumnHidden(0, true);
    Repartir();
  }

 protected:
  // Also called when the viewport alone changes size.
  void resizeEvent(QResizeEvent* evento) override {
    QTableView::resizeEvent(evento);
    Repartir();
  }

 private:
  void Repartir() {
    if (minimos.empty()) return;
    // The row header sits in the viewport's left margin: the two share the width.
    const std::vector<int> anchos =
        RepartirAnchos(minimos, viewport()->width() + viewportMargins().left());
    for (std::size_t c = 1; c < anchos.size() && c < std::size_t(horizontalHeader()->count()); ++c)
      horizontalHeader()->resizeSection(static_cast<int>(c), anchos[c]);
    if (verticalHeader()->minimumWidth() != anchos[0]) {
      verticalHeader()->setFixedWidth(anchos[0]);
      updateGeometries();
    }
  }

  std::vector<int> minimos;
};

QPushButton* Boton(const char* nombre, const QString& texto, int ancho, QWidget* padre) {
  auto* boton = new QPushButton(texto, padre);
  boton->setObjectName(nombre);
  // Wider than designed when the font needs it, so that no caption is cut.
  const QSize hueco = boton->sizeHint();
  boton->setFixedSize(std::max(ancho, hueco.width()), std::max(25, hueco.height()));
  // Enter in the grid presses nothing.
  boton->setAutoDefault(false);
  return boton;
}

}  // namespace

TFormTabla::TFormTabla(Servicios servicios, QWidget* padre)
    : QDialog(padre),
      servicios(std::move(servicios)),
      modelo(std::make_unique<ModeloRejilla>(rejilla)) {
  setObjectName("FormTabla");
  setWindowTitle("Tabla sintáctica");
  resize(386, 293);

  auto* vista = new VistaRejilla(this);
  ListaTabla = vista;
  ListaTabla->setObjectName("ListaTabla");
  ListaTabla->setModel(modelo.get());
  ListaTabla->setShowGrid(true);
  ListaTabla->setWordWrap(false);
  ListaTabla->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListaTabla->setSelectionMode(QAbstractItemView::SingleSelection);
  ListaTabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListaTabla->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // The window is sized to the rows, however few they are.
  ListaTabla->setMinimumHeight(1);
  // Tab leaves the grid for the buttons; the arrows move within it.
  ListaTabla->setTabKeyNavigation(false);
  ListaTabla->setCornerButtonEnabled(false);
  ListaTabla->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ListaTabla->verticalHeader()->setSectionsClickable(false);
  ListaTabla->horizontalHeader()->setSectionsClickable(false);
  ListaTabla->horizontalHeader()->setHighlightSections(false);
  ListaTabla->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ListaTabla->horizontalHeader()->setMinimumSectionSize(1);

  PanelBotones = new QWidget(this);
  PanelBotones->setObjectName("PanelBotones");
  PanelBotones->setFixedHeight(kAltoPanel);
  BImprimir = Boton("BImprimir", "&Imprimir tabla...", 97, PanelBotones);
  BGuardar = Boton("BGuardar", "&Guardar tabla...", 113, PanelBotones);
  BSalir = Boton("BSalir", "&Salir", 113, PanelBotones);
  // The buttons keep to the right-hand edge as the window grows; the gaps between them give
  // way first when a caption makes a button wider than designed.
  auto* botones = new QHBoxLayout(PanelBotones);
  botones->setContentsMargins(6, 24, 9, 16);
  botones->setSpacing(0);
  botones->addStretch();
  botones->addWidget(BImprimir);
  botones->addSpacerItem(new QSpacerItem(24, 0, QSizePolicy::Preferred));
  botones->addWidget(BGuardar);
  botones->addSpacerItem(new QSpacerItem(23, 0, QSizePolicy::Preferred));
  botones->addWidget(BSalir);
  connect(BImprimir, &QPushButton::clicked, this, &TFormTabla::BImprimirClick);
  connect(BGuardar, &QPushButton::clicked, this, &TFormTabla::BGuardarClick);
  connect(BSalir, &QPushButton::clicked, this, &TFormTabla::BSalirClick);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->setSpacing(0);
  disposicion->addWidget(ListaTabla, 1);
  disposicion->addWidget(PanelBotones);

  setTabOrder(ListaTabla, BGuardar);
  setTabOrder(BGuardar, BSalir);
  setTabOrder(BSalir, BImprimir);
}

TFormTabla::~TFormTabla() = default;

void TFormTabla::Rellenar(const CTablaSintactica& tabla) {
  rejilla = RejillaTabla(tabla);
  rejilla.Medir(ListaTabla->font());
  modelo->Recargar();
  ListaTabla->verticalHeader()->setDefaultSectionSize(rejilla.AltoFila());
  static_cast<VistaRejilla*>(ListaTabla)->PonerMinimos(rejilla.AnchosMinimos());
  // Each showing starts at the first row and the first terminal.
  ListaTabla->scrollToTop();
  ListaTabla->horizontalScrollBar()->setValue(0);

  const std::vector<int>& anchos = rejilla.AnchosMinimos();
  anchoTabla = std::accumulate(anchos.begin(), anchos.end(), 0) + kHolguraAncho;
  const int marcos = 2 * ListaTabla->frameWidth();
  altoTabla = rejilla.AltoFila() * rejilla.NumFilas() +
              ListaTabla->horizontalHeader()->sizeHint().height() + marcos + kAltoPanel;
}

void TFormTabla::MostrarTabla(const CTablaSintactica& tabla) {
  Rellenar(tabla);
  servicios.dialogos.Ejecutar(*this);
}

int TFormTabla::AltoBarraHorizontal() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ListaTabla);
}

void TFormTabla::showEvent(QShowEvent* evento) {
  FormShow();
  QDialog::showEvent(evento);
  ListaTabla->setFocus();
}

void TFormTabla::FormShow() {
  setWindowState(Qt::WindowNoState);
  const QRect pantalla =
      (parentWidget() ? parentWidget()->screen() : screen())->availableGeometry();
  QSize marco = frameGeometry().size() - size();
  // Before its first showing the window has no frame yet: the main window's is the best guess.
  if (marco.isEmpty() && parentWidget())
    marco = parentWidget()->frameGeometry().size() - parentWidget()->size();
  const int ancho = std::max(anchoTabla, kAnchoMinimo);
  int alto = altoTabla;
  int anchoCliente = ancho;
  if (ancho >= pantalla.width()) {
    anchoCliente = pantalla.width() - marco.width();
    alto += AltoBarraHorizontal();
  }
  const int altoCliente = alto < pantalla.height() ? alto : pantalla.height() - marco.height();
  setMaximumHeight(QWIDGETSIZE_MAX);
  resize(anchoCliente, altoCliente);
  // Centred on the main window, and kept on its screen.
  QRect destino(QPoint(), size() + marco);
  destino.moveCenter(parentWidget() ? parentWidget()->frameGeometry().center() : pantalla.center());
  destino.moveLeft(std::clamp(destino.left(), pantalla.left(),
                              std::max(pantalla.left(), pantalla.right() + 1 - destino.width())));
  destino.moveTop(std::clamp(destino.top(), pantalla.top(),
                             std::max(pantalla.top(), pantalla.bottom() + 1 - destino.height())));
  move(destino.topLeft());
  FormResize();
}

void TFormTabla::resizeEvent(QResizeEvent* evento) {
  QDialog::resizeEvent(evento);
  FormResize();
}

void TFormTabla::FormResize() {
  // Never taller than the content (with room for the scroll bar when the columns do not fit);
  // shorter is allowed.
  int alto = altoTabla;
  if (width() < anchoTabla) alto += AltoBarraHorizontal();
  if (alto > 0 && maximumHeight() != alto)
    setMaximumHeight(std::max(alto, minimumSizeHint().height()));
}

void TFormTabla::BImprimirClick() {
  if (!servicios.dialogos.ElegirImpresora(servicios.impresora)) return;
  if (!servicios.imprimirTabla(rejilla, servicios.impresora.copyCount())) {
    servicios.dialogos.Mostrar(
        Dialogos::Forma::Error,
        "No se ha podido imprimir en la impresora " + NombreImpresora(servicios.impresora),
        Aplicacion::kTitulo);
    return;
  }
  servicios.agregarMensaje("Tabla sintactica impresa en la impresora " +
                           NombreImpresora(servicios.impresora));
}

void TFormTabla::BGuardarClick() { servicios.guardarTabla(); }

void TFormTabla::BSalirClick() { accept(); }
