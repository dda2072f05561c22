// What the results of an analysis turn into: the trace saved and printed, the table window with
// its grid, sizes and buttons, the table page, the printed table; and the Ayuda menu.
#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>

#include "Banco.h"
#include "Ejecucion.h"
#include "Impresion.h"
#include "Pantallatabla.h"
#include "Suites.h"

namespace {

const QString kGramatica =
    "Terminales = { a b }\r\nNoTerminales = { S }\r\nAxioma = S\r\nProducciones = {\r\n"
    "S -> a S b\r\nS -> lambda\r\n}\r\n";

// A grammar whose table has `terminales` columns of wide productions besides the end of input.
QByteArray Ancha(int terminales) {
  QByteArray texto = "Terminales = {";
  for (int t = 0; t < terminales; ++t) texto += " terminal_" + QByteArray::number(t);
  texto += " }\r\nNoTerminales = { S Resto }\r\nAxioma = S\r\nProducciones = {\r\n";
  for (int t = 0; t < terminales; ++t)
    texto += "S -> terminal_" + QByteArray::number(t) + " Resto\r\n";
  texto += "Resto -> lambda\r\n}\r\n";
  return texto;
}

QString TextoPdf(const QString& ruta) {
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", ruta, "-"});
  pdftotext.waitForFinished();
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

std::function<bool(QPrinter&)> APdf(const QString& ruta, int copias = 1) {
  return [ruta, copias](QPrinter& impresora) {
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(ruta);
    impresora.setCopyCount(copias);
    return true;
  };
}

// A window with `texto` open from a file called `nombre`, analysed.
void AbrirYAnalizar(Banco& banco, const QString& nombre, const QByteArray& texto) {
  banco.ventana->AbrirFichero(banco.CrearFichero(nombre, texto));
  banco.ventana->AnalizarFichero();
}

TFormTabla* VentanaTabla(const Banco& banco) { return banco.Componente<TFormTabla>("FormTabla"); }

QStringList Rejilla(const TFormTabla* ventana) {
  const auto* vista = ventana->findChild<QTableView*>("ListaTabla");
  const QAbstractItemModel* modelo = vista->model();
  QStringList filas;
  QString cabecera;
  for (int c = 0; c < modelo->columnCount(); ++c)
    cabecera += modelo->headerData(c, Qt::Horizontal).toString() + "|";
  filas.append(cabecera);
  for (int f = 0; f < modelo->rowCount(); ++f) {
    QString fila;
    for (int c = 0; c < modelo->columnCount(); ++c)
      fila += modelo->index(f, c).data().toString() + "|";
    filas.append(fila);
  }
  return filas;
}

}  // namespace

// Takes the documents the program asks the desktop to open, for as long as it lives.
class Abridor : public QObject {
  Q_OBJECT

 public:
  explicit Abridor(QList<QUrl>& abiertas) : abiertas(abiertas) {
    QDesktopServices::setUrlHandler("file", this, "Abrir");
  }
  ~Abridor() override { QDesktopServices::unsetUrlHandler("file"); }

 public slots:
  void Abrir(const QUrl& url) { abiertas.append(url); }

 private:
  QList<QUrl>& abiertas;
};

class Resultados : public QObject {
  Q_OBJECT

 private slots:
  void ficherosComoLosDeLaHerramienta() {
    Banco banco;
    // A name with characters inside and outside Windows-1252.
    const QString nombre = "gramática €α.ll1";
    AbrirYAnalizar(banco, nombre, kGramatica.toLatin1());
    const QString traza = banco.Ruta("traza.txt");
    const QString pagina = banco.Ruta("tabla.htm");
    const QString desdeLaVentana = banco.Ruta("ventana.htm");
    banco.guion->ficheros = {traza, pagina, desdeLaVentana};
    banco.Accion("MGuardarAnalisis")->trigger();
    banco.Accion("MGuardarTabla")->trigger();
    banco.guion->ventanas = {[](QDialog& ventana) {
      ventana.findChild<QPushButton*>("BGuardar")->click();
      return QDialog::Accepted;
    }};
    banco.Accion("MVerTabla")->trigger();
    QCOMPARE(
        banco.guion->Titulos(),
        QStringList({"fichero|Guardar resultado del análisis", "fichero|Guardar tabla sintáctica",
                     "ventana|Tabla sintáctica", "fichero|Guardar tabla sintáctica"}));
    QCOMPARE(banco.Mensajes().mid(2),
             QStringList({"Análisis guardado en el fichero " + traza,
                          "Tabla sintáctica guardada en " + pagina,
                          "Tabla sintáctica guardada en " + desdeLaVentana}));
    const Dialogos::DialogoFichero& dialogoTabla = banco.guion->dialogosFichero.at(1);
    QCOMPARE(dialogoTabla.filtros, QStringList({"Página web (*.htm)", "Página web (*.html)"}));
    QCOMPARE(dialogoTabla.extension, QString("htm"));
    QCOMPARE(banco.guion->dialogosFichero.at(0).extension, QString("txt"));

    OpcionesCli opciones;
    opciones.fichero = QFile::encodeName(banco.Ruta(nombre)).toStdString();
    opciones.conHtml = opciones.conTraza = true;
    opciones.rutaHtml = QFile::encodeName(banco.Ruta("cli.htm")).toStdString();
    opciones.rutaTraza = QFile::encodeName(banco.Ruta("cli.txt")).toStdString();
    QCOMPARE(EjecutarCli(opciones).estado, kSalidaLL1);
    QCOMPARE(Banco::Contenido(traza), Banco::Contenido(banco.Ruta("cli.txt")));
    QCOMPARE(Banco::Contenido(pagina), Banco::Contenido(banco.Ruta("cli.htm")));
    QCOMPARE(Banco::Contenido(desdeLaVentana), Banco::Contenido(pagina));
    QVERIFY(Banco::Contenido(pagina).contains("gram\xE1tica \x80?.ll1"));
  }

  void guardarEnUnaCarpetaQueNoExiste() {
    Banco banco;
    AbrirYAnalizar(banco, "g.ll1", kGramatica.toLatin1());
    for (const char* orden : {"MGuardarTabla", "MGuardarAnalisis"}) {
      const QString ruta = banco.Ruta("no/existe.htm");
      banco.guion->registro.clear();
      banco.guion->ficheros = {ruta};
      banco.Accion(orden)->trigger();
      QCOMPARE(banco.guion->registro.last(),
               "error|Error al guardar|Error al escribir en el fichero " + ruta +
                   "\nCompruebe que el nombre del fichero es válido y que el disco no está "
                   "protegido contra escritura");
      QCOMPARE(banco.Mensajes().last(), "Error al escribir en el fichero " + ruta);
    }
  }

  void trazaImpresaUnaVezConSuTitulo() {
    Banco banco;
    banco.NuevoCon(kGramatica);
    banco.Editor()->PonerModificado(false);
    banco.ventana->AnalizarFichero();
    const QString pdf = banco.Ruta("traza.pdf");
    banco.guion->impresoras = {APdf(pdf, 3)};
    banco.Accion("MImprimirAnalisis")->trigger();
    QCOMPARE(banco.Mensajes().last(), "Análisis impreso en la impresora " + pdf);
    QCOMPARE(banco.guion->impresora->docName(), QString("Analisis"));
    const QString texto = TextoPdf(pdf);
    QCOMPARE(texto.count("Análisis LL1 de nuevo"), 1);
    QVERIFY(!texto.contains("Iniciando análisis\n"));
    QVERIFY(texto.contains("Análisis concluido satisfactoriamente"));
    QCOMPARE(texto.count('\f'), 1);  // one page, one copy

    // The same text and title the saved trace has: two empty lines, the title, the rest.
    const QString guardada = banco.Ruta("t.txt");
    banco.guion->ficheros = {guardada};
    banco.Accion("MGuardarAnalisis")->trigger();
    const QStringList lineas = banco.Lineas("ListaAnalisis");
    QCOMPARE(QString::fromLatin1(Banco::Contenido(guardada)),
             "\r\n\r\nAnálisis LL1 de nuevo\r\n" + lineas.mid(3).join("\r\n") + "\r\n");
  }

  void rejillaDeLaTabla() {
    Banco banco;
    AbrirYAnalizar(banco, "g.ll1", kGramatica.toLatin1());
    TFormTabla* ventana = VentanaTabla(banco);
    ventana->Rellenar(*banco.ventana->TablaActual());
    QCOMPARE(Rejilla(ventana), QStringList({"|a|b|\u00A0$ (final de cadena)|",
                                            "S|S -> a S b|S -> lambda|S -> lambda|"}));
    const QAbstractItemModel* modelo = ventana->findChild<QTableView*>("ListaTabla")->model();
    QCOMPARE(modelo->index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
             int(Qt::AlignLeft));
    QCOMPARE(modelo->index(0, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
             int(Qt::AlignHCenter));

    // A second table leaves nothing of the first.
    banco.Editor()->PonerTexto(QString::fromLatin1(Ancha(2)));
    banco.ventana->AnalizarFichero();
    ventana->Rellenar(*banco.ventana->TablaActual());
    QCOMPARE(Rejilla(ventana), QStringList({"|terminal_0|terminal_1|\u00A0$ (final de cadena)|",
                                            "Resto|-|-|Resto -> lambda|",
                                            "S|S -> terminal_0 Resto|S -> terminal_1 Resto|-|"}));
  }

  void tamanoDeLaVentanaDeLaTabla() {
    Banco banco;
    banco.ventana->show();
    AbrirYAnalizar(banco, "g.ll1", kGramatica.toLatin1());
    TFormTabla* ventana = VentanaTabla(banco);
    QSize mostrada;
    QSize estirada;
    QSize encogida;
    banco.guion->ventanas = {[&](QDialog& v) {
      mostrada = v.size();
      v.resize(v.width() + 50, v.height() + 200);
      estirada = v.size();
      v.resize(v.width(), v.height() - 30);
      encogida = v.size();
      return QDialog::Accepted;
    }};
    banco.Boton("BVerTabla")->click();
    // The room left over is shared by every column, the row header's included.
    const auto* vista = ventana->findChild<QTableView*>("ListaTabla");
    QList<int> anchos = {vista->verticalHeader()->width()};
    for (int c = 1; c < vista->model()->columnCount(); ++c) anchos.append(vista->columnWidth(c));
    const std::vector<int> repartidos = RepartirAnchos(ventana->Rejilla().AnchosMinimos(),
                                                       vista->viewport()->width() + anchos.at(0));
    QCOMPARE(anchos, QList<int>(repartidos.begin(), repartidos.end()));
    QVERIFY(anchos.at(0) > ventana->Rejilla().AnchosMinimos().at(0));
    // Narrow texts: still 390 wide; as tall as the rows, and it snaps back when stretched.
    QCOMPARE(mostrada, QSize(390, ventana->AltoTabla()));
    QCOMPARE(estirada, QSize(440, ventana->AltoTabla()));
    QCOMPARE(encogida, QSize(440, ventana->AltoTabla() - 30));

    // Wider than the screen: as wide as the screen, with room for the scroll bar.
    banco.Editor()->PonerTexto(QString::fromLatin1(Ancha(120)));
    banco.ventana->AnalizarFichero();
    int anchoExterior = 0;
    banco.guion->ventanas = {[&](QDialog& v) {
      mostrada = v.size();
      anchoExterior = v.frameGeometry().width();
      return QDialog::Accepted;
    }};
    banco.Boton("BVerTabla")->click();
    const QRect pantalla = banco.ventana->screen()->availableGeometry();
    QVERIFY(ventana->AnchoTabla() > pantalla.width());
    const int barra = ventana->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QCOMPARE(anchoExterior, pantalla.width());
    QCOMPARE(mostrada.height(), ventana->AltoTabla() + barra);
  }

  void nombresFijosAlDesplazar() {
    Banco banco;
    banco.ventana->show();
    AbrirYAnalizar(banco, "g.ll1", Ancha(40));
    QStringList nombres;
    QList<int> anchos;
    QList<int> desplazamientos;
    const auto mirar = [&](QDialog& v) {
      auto* vista = v.findChild<QTableView*>("ListaTabla");
      desplazamientos.append(vista->horizontalScrollBar()->value());
      vista->horizontalScrollBar()->setValue(vista->horizontalScrollBar()->maximum());
      // The names are the row header, at the left edge whatever is scrolled beside it.
      const QHeaderView* filas = vista->verticalHeader();
      nombres.clear();
      for (int f = 0; f < vista->model()->rowCount(); ++f)
        nombres.append(filas->isVisible() && filas->x() == vista->frameWidth()
                           ? vista->model()->headerData(f, Qt::Vertical).toString()
                           : QString());
      // The row-header column keeps its width and has no cells of its own.
      anchos = {filas->width()};
      for (int c = 0; c < vista->model()->columnCount(); ++c)
        anchos.append(vista->isColumnHidden(c) ? 0 : vista->columnWidth(c));
      return QDialog::Accepted;
    };
    banco.guion->ventanas = {mirar, mirar};
    banco.Boton("BVerTabla")->click();
    banco.Boton("BVerTabla")->click();
    QCOMPARE(nombres, QStringList({"Resto", "S"}));
    const auto& minimos = VentanaTabla(banco)->Rejilla().AnchosMinimos();
    QList<int> esperados(minimos.begin(), minimos.end());
    esperados.insert(1, 0);
    QCOMPARE(anchos, esperados);
    // Each showing starts at the first terminal.
    QCOMPARE(desplazamientos, QList<int>({0, 0}));
  }

  void tecladoEnLaVentanaDeLaTabla() {
    Banco banco;
    banco.ventana->show();
    AbrirYAnalizar(banco, "g.ll1", kGramatica.toLatin1());
    QStringList foco;
    QStringList cortados;
    banco.guion->ventanas = {[&](QDialog& v) {
      v.activateWindow();
      if (!QTest::qWaitForWindowActive(&v)) return QDialog::Rejected;
      for (int i = 0; i < 4; ++i) {
        foco.append(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      for (const auto* boton : v.findChildren<QPushButton*>())
        if (boton->width() < boton->sizeHint().width()) cortados.append(boton->text());
      return QDialog::Accepted;
    }};
    banco.Boton("BVerTabla")->click();
    QCOMPARE(foco, QStringList({"ListaTabla", "BGuardar", "BSalir", "BImprimir"}));
    QCOMPARE(cortados, QStringList());
  }

  void tablaImpresaEnPaginasApaisadas() {
    Banco banco;
    AbrirYAnalizar(banco, "g.ll1", Ancha(30));
    TFormTabla* ventana = VentanaTabla(banco);
    const QString pdf = banco.Ruta("tabla.pdf");
    banco.guion->impresoras = {[](QPrinter&) { return false; }, APdf(pdf, 2)};
    banco.guion->ventanas = {[](QDialog& v) {
      auto* imprimir = v.findChild<QPushButton*>("BImprimir");
      imprimir->click();  // cancelled: nothing printed
      imprimir->click();
      return QDialog::Accepted;
    }};
    QPrinter* impresora = nullptr;
    banco.Accion("MVerTabla")->trigger();
    impresora = banco.guion->impresora;
    QCOMPARE(banco.Mensajes().filter("impresa").size(), 1);
    QCOMPARE(banco.Mensajes().last(), "Tabla sintactica impresa en la impresora " + pdf);
    QCOMPARE(impresora->docName(), QString("Tabla"));
    QCOMPARE(impresora->pageLayout().orientation(), QPageLayout::Portrait);

    // Every page repeats the row-header column; each copy starts again at the first terminal.
    const QStringList paginas = TextoPdf(pdf).split('\f', Qt::SkipEmptyParts);
    const auto& rejilla = ventana->Rejilla();
    impresora->setPageOrientation(QPageLayout::Landscape);
    const int anchoUtil = impresora->width() - 40;
    const int porCopia = static_cast<int>(
        PaginarTabla(rejilla.AnchosMinimos(), rejilla.NumFilas(), anchoUtil, 1000).size());
    QVERIFY(porCopia > 1);
    QCOMPARE(paginas.size(), 2 * porCopia);
    for (const QString& pagina : paginas) QVERIFY(pagina.contains("Resto"));
    QVERIFY(paginas[0].contains("terminal_0 "));
    QVERIFY(paginas[porCopia].contains("terminal_0 "));
    QVERIFY(!paginas[1].contains("terminal_0 "));
  }

  void paginasDeLaTabla() {
    // Row header 100; columns of 300, 300, 500, 1200 and 50 on pages 1000 wide.
    const std::vector<int> anchos = {100, 300, 300, 500, 1200, 50};
    QStringList paginas;
    for (const PaginaTabla& p : PaginarTabla(anchos, 5, 1000, 2))
      paginas.append(QString("%1-%2 %3-%4")
                         .arg(p.primeraColumna)
                         .arg(p.finColumnas)
                         .arg(p.primeraFila)
                         .arg(p.finFilas));
    // 100+300+300 fits and 500 would not; 1200 is alone though wider than the page; the rows
    // come in runs of two under each run of columns.
    QCOMPARE(paginas,
             QStringList({"1-3 0-2", "1-3 2-4", "1-3 4-5", "3-4 0-2", "3-4 2-4", "3-4 4-5",
                          "4-5 0-2", "4-5 2-4", "4-5 4-5", "5-6 0-2", "5-6 2-4", "5-6 4-5"}));
  }

  void acercaDe() {
    Banco banco;
    int resultado = -1;
    QStringList textos;
    banco.guion->ventanas = {[&](QDialog& ventana) {
      for (const char* nombre : {"ProductName", "Version", "Autor", "Grupo"})
        textos.append(ventana.findChild<QLabel*>(nombre)->text());
      QTest::keyClick(&ventana, Qt::Key_Return);
      resultado = ventana.result();
      return resultado;
    }};
    banco.Accion("MAcerca")->trigger();
    QCOMPARE(banco.guion->registro, QStringList{"ventana|Acerca de Quindel(1)|"});
    QCOMPARE(textos.at(1), QString("versión 1.0"));
    QCOMPARE(resultado, int(QDialog::Accepted));
  }

  void manualJuntoAlPrograma() {
    QList<QUrl> abiertas;
    Abridor abridor(abiertas);
    const QString manual =
        QDir(QCoreApplication::applicationDirPath()).filePath("Manual de usuario.pdf");
    QFile::remove(manual);
    Banco banco;
    banco.ventana->show();
    banco.ventana->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(banco.ventana.get()));
    banco.Accion("MUsuario")->trigger();
    QVERIFY(abiertas.isEmpty());

    QFile fichero(manual);
    QVERIFY(fichero.open(QIODevice::WriteOnly));
    fichero.close();
    QTest::keySequence(banco.ventana.get(), QKeySequence("Ctrl+F1"));
    banco.NuevoCon("x");
    QTest::keySequence(banco.ventana.get(), QKeySequence("Ctrl+F1"));
    QFile::remove(manual);
    QCOMPARE(abiertas, QList<QUrl>({QUrl::fromLocalFile(manual), QUrl::fromLocalFile(manual)}));
    QVERIFY(banco.guion->registro.isEmpty());
  }
};

REGISTRAR_SUITE(Resultados, "Resultados");
#include "Resultados_test.moc"
