// Documents: new, open, close with the question about unsaved changes, save, save as, print and
// exit; the Windows-1252 bytes and CR LF line ends of grammar files.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QCloseEvent>
#include <QDir>
#include <QRegularExpression>

#include "Banco.h"
#include "Disco.h"
#include "Ficherogramatica.h"
#include "Suites.h"
#include "Tamanomaximo.h"

namespace {

using Respuesta = Dialogos::Respuesta;

const QStringList kFiltros = {"Archivos de gramática LL(1) (*.ll1)", "Archivos de texto (*.txt)",
                              "Todos los archivos (*)"};

const QString kNoSeGuarda =
    "\nCompruebe que el nombre del fichero es válido y que el disco no está protegido contra "
    "escritura";

int PaginasPdf(const QString& ruta) {
  const QString pdf = QString::fromLatin1(Banco::Contenido(ruta));
  return int(pdf.count(QRegularExpression(R"(/Type\s*/Page\b)")));
}

}  // namespace

Q_DECLARE_METATYPE(Dialogos::Respuesta)

class Documentos : public QObject {
  Q_OBJECT

 private slots:
  void nuevoAbreUnDocumentoSinNombre() {
    Banco banco;
    banco.ventana->show();
    banco.ventana->NuevoFichero();
    QCOMPARE(banco.Documento().NombreFichero, QString("nuevo"));
    QVERIFY(banco.Documento().FicheroAbierto && banco.Documento().FicheroNuevo);
    QVERIFY(!banco.Editor()->Modificado());
    QCOMPARE(banco.ventana->windowTitle(), QString("Quindel(1) - [Nuevo fichero]"));
    QCOMPARE(banco.Mensajes(), QStringList{"Fichero nuevo creado"});
    QCOMPARE(banco.ventana->focusWidget(), banco.Editor());

    banco.ventana->NuevoFichero();
    QCOMPARE(banco.Mensajes(), QStringList({"Fichero nuevo creado", "Fichero nuevo cerrado",
                                            "Fichero nuevo creado"}));
  }

  void abrirConElDialogo() {
    Banco banco;
    const QString ruta = banco.CrearFichero("g.ll1", "S -> a\r\n");
    banco.ventana->show();
    banco.Accion("MAbrir")->trigger();
    QVERIFY(!banco.Documento().FicheroAbierto);
    banco.guion->ficheros = {ruta};
    banco.Boton("BAbrir")->click();
    QCOMPARE(banco.guion->Titulos(),
             QStringList({"fichero|Abrir gramática", "fichero|Abrir gramática"}));
    const auto& dialogo = banco.guion->dialogosFichero.first();
    QCOMPARE(dialogo.nombre, QString("DlgAbrir"));
    QVERIFY(dialogo.modo == Dialogos::DialogoFichero::Modo::Abrir);
    QCOMPARE(dialogo.filtros, kFiltros);
    QCOMPARE(dialogo.extension, QString());
    QCOMPARE(banco.Documento().NombreFichero, ruta);
    QVERIFY(!banco.Documento().FicheroNuevo && !banco.Editor()->Modificado());
    QCOMPARE(banco.ventana->windowTitle(), QString("Quindel(1) - g.ll1"));
    QCOMPARE(banco.Mensajes(), QStringList{"Abierto fichero " + ruta});
    QVERIFY(!banco.Boton("BDeshacer")->isEnabled());
    QCOMPARE(banco.ventana->focusWidget(), banco.Editor());
  }

  void abrirOtroSinCambiosNoPregunta() {
    Banco banco;
    const QString a = banco.CrearFichero("a.ll1", "a");
    const QString b = banco.CrearFichero("b.ll1", "b");
    banco.ventana->AbrirFichero(a);
    banco.ventana->AbrirFichero(b);
    QVERIFY(banco.guion->registro.isEmpty());
    QCOMPARE(banco.Mensajes(), QStringList({"Abierto fichero " + a, "Fichero a.ll1 cerrado",
                                            "Abierto fichero " + b}));
    QCOMPARE(banco.Editor()->Texto(), QString("b"));
  }

  // Only a regular file within the bound is read: a FIFO or a device would freeze the window.
  void abrirIlegibleDejaSinDocumento_data() {
    QTest::addColumn<QString>("nombre");
    QTest::newRow("no existe") << "falta.ll1";
    QTest::newRow("es una carpeta") << "carpeta";
    QTest::newRow("es una tubería") << "tuberia";
    QTest::newRow("es un dispositivo sin fin") << "cero";
    QTest::newRow("pasa del máximo") << "enorme.ll1";
  }
  void abrirIlegibleDejaSinDocumento() {
    QFETCH(QString, nombre);
    Banco banco;
    QDir(banco.carpeta.path()).mkdir("carpeta");
    QCOMPARE(mkfifo(QFile::encodeName(banco.Ruta("tuberia")).constData(), 0600), 0);
    QFile enorme(banco.Ruta("enorme.ll1"));
    QVERIFY(enorme.open(QIODevice::WriteOnly) && enorme.resize(kTamanoMaximoTexto + 1));
    // A copy of the zero device, where this test may make one.
    if (nombre == "cero" && mknod(QFile::encodeName(banco.Ruta("cero")).constData(), S_IFCHR | 0600,
                                  makedev(1, 5)) != 0)
      QSKIP("no se pueden crear dispositivos aquí");
    const QString abierto = banco.CrearFichero("g.ll1", "g");
    const QString ruta = banco.Ruta(nombre);
    banco.ventana->AbrirFichero(abierto);
    banco.ventana->AbrirFichero(ruta);
    QCOMPARE(banco.guion->registro,
             QStringList{"error|Error al abrir|Error al leer del fichero " + ruta +
                         "\nCompruebe que el fichero existe y es accesible"});
    QCOMPARE(banco.Mensajes().mid(1),
             QStringList({"Fichero g.ll1 cerrado", "Error al leer el fichero " + ruta}));
    QVERIFY(!banco.Documento().FicheroAbierto);
    QVERIFY(banco.Editor()->isHidden());
    QVERIFY(!banco.Boton("BDeshacer")->isEnabled());
    QCOMPARE(banco.Editor()->Texto(), QString());
    QCOMPARE(banco.Documento().NombreFichero, abierto);
    QCOMPARE(banco.ventana->windowTitle(), QString("Quindel(1)"));
  }

  void cerrarConCambios_data() {
    QTest::addColumn<Respuesta>("respuesta");
    QTest::addColumn<bool>("guardarComo");  // whether Guardar como's dialog is confirmed
    QTest::addColumn<bool>("sigueAbierto");
    QTest::addColumn<QStringList>("mensajes");
    QTest::newRow("cancelar") << Respuesta::Cancelar << false << true << QStringList{};
    QTest::newRow("no") << Respuesta::No << false << false << QStringList{"Fichero nuevo cerrado"};
    QTest::newRow("sí, diálogo cancelado") << Respuesta::Si << false << true << QStringList{};
    QTest::newRow("sí, guardado") << Respuesta::Si << true << false
                                  << QStringList(
                                         {"Fichero guardado en @", "Fichero g.gra cerrado"});
  }
  void cerrarConCambios() {
    QFETCH(Respuesta, respuesta);
    QFETCH(bool, guardarComo);
    QFETCH(bool, sigueAbierto);
    QFETCH(QStringList, mensajes);
    Banco banco;
    const QString ruta = banco.Ruta("g.gra");
    banco.NuevoCon("S -> a");
    banco.ventana->AgregarAnalisis("traza");
    banco.guion->respuestas = {respuesta};
    banco.guion->ficheros = {guardarComo ? std::optional(ruta) : std::nullopt};
    banco.Accion("MCerrar")->trigger();

    QCOMPARE(banco.guion->registro.first(),
             QString("pregunta|Fichero modificado|El fichero nuevo ha sido modificado\n"
                     "¿Desea guardar los cambios?"));
    QCOMPARE(banco.guion->registro.size(), respuesta == Respuesta::Si ? 2 : 1);
    QCOMPARE(banco.Documento().FicheroAbierto, sigueAbierto);
    QCOMPARE(banco.Editor()->Modificado(), sigueAbierto);
    QCOMPARE(banco.Mensajes().mid(1), mensajes.replaceInStrings("@", ruta));
    QCOMPARE(banco.Lineas("ListaAnalisis").isEmpty(), !sigueAbierto);
    QCOMPARE(banco.Editor()->Texto(), sigueAbierto ? QString("S -> a") : QString());
  }

  void guardarEscribeWindows1252ConCrLf() {
    Banco banco;
    const QString ruta = banco.CrearFichero("g.ll1", "viejo");
    banco.ventana->AbrirFichero(ruta);
    banco.Editor()->selectAll();
    banco.Editor()->insertPlainText(QString::fromUtf8("Análisis € ‰\naxioma\n"));
    banco.Boton("BGuardar")->click();
    QCOMPARE(Banco::Contenido(ruta), QByteArray("An\xE1lisis \x80 \x89\r\naxioma\r\n"));
    QVERIFY(!banco.Editor()->Modificado());
    QVERIFY(!banco.Boton("BDeshacer")->isEnabled());
    QCOMPARE(banco.Mensajes().last(), "Fichero guardado en " + ruta);
    QCOMPARE(banco.ventana->windowTitle(), QString("Quindel(1) - g.ll1"));
    QVERIFY(banco.guion->registro.isEmpty());
  }

  void guardarSinNombrePasaPorGuardarComo() {
    Banco banco;
    banco.NuevoCon("S");
    banco.Accion("MGuardar")->trigger();
    QCOMPARE(banco.guion->Titulos(), QStringList{"fichero|Guardar gramática"});
    const auto& dialogo = banco.guion->dialogosFichero.first();
    QCOMPARE(dialogo.nombre, QString("DlgGuardar"));
    QVERIFY(dialogo.modo == Dialogos::DialogoFichero::Modo::Guardar);
    QCOMPARE(dialogo.filtros, kFiltros);
    QCOMPARE(dialogo.extension, QString("gra"));
    QVERIFY(banco.Editor()->Modificado() && banco.Documento().FicheroNuevo);
    QCOMPARE(banco.ventana->windowTitle(), QString("Quindel(1) - [Nuevo fichero]"));

    const QString ruta = banco.Ruta("nueva.gra");
    banco.guion->ficheros = {ruta};
    banco.Accion("MGuardar")->trigger();
    QCOMPARE(Banco::Contenido(ruta), QByteArray("S"));
    QCOMPARE(banco.ventana->windowTitle(), QString("Quindel(1) - nueva.gra"));
    QVERIFY(!banco.Documento().FicheroNuevo);
    banco.Editor()->insertPlainText("x");
    banco.Accion("MGuardar")->trigger();
    QCOMPARE(banco.guion->registro.size(), 2);
    QCOMPARE(Banco::Contenido(ruta), QByteArray("Sx"));
  }

  void guardarComoFallidoNoCambiaNada() {
    Banco banco;
    const QString ruta = banco.CrearFichero("g.ll1", "g");
    banco.ventana->AbrirFichero(ruta);
    banco.Editor()->insertPlainText("cambio ");
    const QString destino = banco.Ruta("no/existe.ll1");
    banco.guion->ficheros = {destino};
    banco.Accion("MGuardarComo")->trigger();
    QCOMPARE(banco.guion->registro.last(),
             "error|Error al guardar|Error al escribir en el fichero " + destino + kNoSeGuarda);
    QCOMPARE(banco.Mensajes().last(), "Error al escribir en el fichero " + destino);
    QCOMPARE(banco.Documento().NombreFichero, ruta);
    QCOMPARE(banco.ventana->windowTitle(), QString("Quindel(1) - g.ll1"));
    QVERIFY(banco.Editor()->Modificado());
  }

  void guardadoFallidoConservaLosCambiosHastaSalir() {
    Banco banco;
    QDir(banco.carpeta.path()).mkdir("disco");
    const QString ruta = banco.CrearFichero("disco/g.ll1", "g");
    banco.ventana->AbrirFichero(ruta);
    banco.Editor()->insertPlainText("cambio ");
    // The folder disappears as a removed disk would.
    QVERIFY(QDir(banco.Ruta("disco")).removeRecursively());
    banco.Accion("MGuardar")->trigger();
    QCOMPARE(banco.guion->Titulos(), QStringList{"error|Error al guardar"});
    QCOMPARE(banco.Mensajes().last(), "Error al escribir en el fichero " + ruta);
    QVERIFY(banco.Editor()->Modificado());
    QVERIFY(banco.Boton("BDeshacer")->isEnabled());

    banco.ventana->show();
    banco.guion->respuestas = {Respuesta::Cancelar};
    banco.Accion("MSalir")->trigger();
    QCOMPARE(banco.guion->Titulos().last(), QString("pregunta|Fichero modificado"));
    QVERIFY(banco.ventana->isVisible());
  }

  void caracterQueWindows1252NoGuardaFallaSinTocarElFichero() {
    Banco banco;
    const QString ruta = banco.CrearFichero("g.ll1", "previo\r\n");
    banco.ventana->AbrirFichero(ruta);
    banco.Editor()->selectAll();
    banco.Editor()->insertPlainText(QString::fromUtf8("S -> a\nA -> Ω b\nB -> ω"));
    banco.Accion("MGuardar")->trigger();
    QCOMPARE(
        banco.guion->registro,
        QStringList{"error|Error al guardar|Error al escribir en el fichero " + ruta + kNoSeGuarda +
                    QString::fromUtf8("\nEl carácter «Ω» (U+03A9) de la línea 2 no se puede "
                                      "guardar en Windows-1252")});
    QCOMPARE(banco.Mensajes().last(), "Error al escribir en el fichero " + ruta);
    QCOMPARE(Banco::Contenido(ruta), QByteArray("previo\r\n"));
    QVERIFY(banco.Editor()->Modificado());
  }

  // The old file stays whole, the failure is reported as a failure and the changes stay
  // unsaved, whether the disk fills up or a write fails some other way.
  void discoLlenoConservaElFichero() {
    Banco banco;
    DiscoPequeno disco(banco.Ruta("disco"));
    if (!disco.Montado()) QSKIP("no se puede montar un tmpfs aquí");
    const QString ruta = banco.CrearFichero("disco/g.ll1", "previo\r\n");
    banco.ventana->AbrirFichero(ruta);
    banco.Editor()->insertPlainText("S -> a\n");
    disco.Llenar();
    banco.Accion("MGuardar")->trigger();
    QCOMPARE(banco.guion->Titulos(), QStringList{"error|Error al guardar"});
    QCOMPARE(banco.Mensajes().last(), "Error al escribir en el fichero " + ruta);
    QCOMPARE(Banco::Contenido(ruta), QByteArray("previo\r\n"));
    QVERIFY(banco.Editor()->Modificado());
    QCOMPARE(QDir(banco.Ruta("disco")).entryList(QDir::Files | QDir::Hidden),
             QStringList({"g.ll1", "relleno"}));
  }

  void escrituraFallidaConservaLaGramaticaYLaTraza() {
    Banco banco;
    const QString gramatica = banco.CrearFichero("g.ll1", "previo\r\n");
    const QString traza = banco.CrearFichero("traza.txt", "traza previa\r\n");
    banco.ventana->AbrirFichero(gramatica);
    banco.ventana->AnalizarFichero();
    banco.Editor()->insertPlainText(QString(200, 'x') + "\n");
    {
      const LimiteDeEscritura limite(64);
      banco.Accion("MGuardar")->trigger();
      banco.ventana->GuardarAnalisisEn(traza);
    }
    QCOMPARE(banco.guion->Titulos(),
             QStringList({"error|Error al guardar", "error|Error al guardar"}));
    QCOMPARE(banco.Mensajes().mid(banco.Mensajes().size() - 2),
             QStringList({"Error al escribir en el fichero " + gramatica,
                          "Error al escribir en el fichero " + traza}));
    QCOMPARE(Banco::Contenido(gramatica), QByteArray("previo\r\n"));
    QCOMPARE(Banco::Contenido(traza), QByteArray("traza previa\r\n"));
    QVERIFY(banco.Editor()->Modificado());
    QCOMPARE(QDir(banco.carpeta.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"g.ll1", "traza.txt"}));
  }

  // A device or a FIFO that exists is written in place, never replaced by a regular file, and a
  // FIFO that nobody reads fails at once rather than freezing the window.
  void dispositivosSeEscribenEnSuSitio() {
    QTemporaryDir carpeta;
    const QByteArray fifo = QFile::encodeName(carpeta.filePath("fifo"));
    QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
    QVERIFY(!EscribirFichero(fifo, "sin lector"));
    const int lector = open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(EscribirFichero(fifo, "hola"));
    char leido[8] = {};
    QCOMPARE(read(lector, leido, sizeof leido), 4);
    close(lector);
    QCOMPARE(QByteArray(leido), QByteArray("hola"));
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    QVERIFY(!EscribirFichero(carpeta.path(), "x"));

    // Copies of the null and full devices, where this test may make them.
    const QByteArray nulo = QFile::encodeName(carpeta.filePath("nulo"));
    const QByteArray lleno = QFile::encodeName(carpeta.filePath("lleno"));
    if (mknod(nulo.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0 ||
        mknod(lleno.constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
      QSKIP("no se pueden crear dispositivos aquí");
    QVERIFY(EscribirFichero(nulo, "x"));
    QVERIFY(!EscribirFichero(lleno, "x"));
    QVERIFY(!QFileInfo(nulo).isFile() && !QFileInfo(lleno).isFile());
  }

  void ficheroProtegidoNoSeSobrescribe() {
    if (geteuid() == 0) QSKIP("root writes over read-only files");
    Banco banco;
    const QString ruta = banco.CrearFichero("g.ll1", "previo");
    QFile(ruta).setPermissions(QFile::ReadOwner);
    banco.ventana->AbrirFichero(ruta);
    banco.Editor()->insertPlainText("x");
    banco.ventana->GuardarFichero();
    QCOMPARE(banco.guion->Titulos(), QStringList{"error|Error al guardar"});
    QCOMPARE(Banco::Contenido(ruta), QByteArray("previo"));
  }

  void saltosDeLineaAlLeer_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QByteArray>("guardado");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << "a\nb\n" << QByteArray("a\r\nb\r\n");
    QTest::newRow("LF solo") << QByteArray("a\nb") << "a\nb" << QByteArray("a\r\nb");
    QTest::newRow("CR solo") << QByteArray("a\rb\r") << "a\nb\n" << QByteArray("a\r\nb\r\n");
    QTest::newRow("LF CR son dos") << QByteArray("a\n\rb") << "a\n\nb" << QByteArray("a\r\n\r\nb");
    QTest::newRow("líneas vacías") << QByteArray("\r\n\r\n") << "\n\n" << QByteArray("\r\n\r\n");
  }
  void saltosDeLineaAlLeer() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, texto);
    QFETCH(QByteArray, guardado);
    Banco banco;
    const QString ruta = banco.CrearFichero("g.ll1", bytes);
    banco.ventana->AbrirFichero(ruta);
    QCOMPARE(banco.Editor()->Texto(), texto);
    QCOMPARE(banco.Editor()->blockCount(), int(texto.count('\n')) + 1);
    banco.Editor()->PonerModificado(true);
    banco.ventana->GuardarFichero();
    QCOMPARE(Banco::Contenido(ruta), guardado);
  }

  void cadaByteVaYVuelveIntacto() {
    QByteArray todos;
    for (int b = 0; b < 256; ++b)
      if (b != '\r' && b != '\n') todos += char(b);
    todos += "\r\n";
    Banco banco;
    const QString ruta = banco.CrearFichero("bytes.ll1", todos);
    banco.ventana->AbrirFichero(ruta);
    QCOMPARE(banco.Editor()->Texto().at(0xA0 - 2), QChar(0xA0));
    QCOMPARE(banco.Editor()->Texto().at(0x80 - 2), QChar(0x20AC));
    const QString copia = banco.Ruta("copia.ll1");
    banco.guion->ficheros = {copia};
    banco.Accion("MGuardarComo")->trigger();
    QCOMPARE(Banco::Contenido(copia), todos);
  }

  void cerrarLaVentana_data() {
    QTest::addColumn<bool>("modificado");
    QTest::addColumn<Respuesta>("respuesta");
    QTest::addColumn<bool>("cierra");
    QTest::addColumn<QStringList>("mensajes");
    QTest::newRow("sin cambios") << false << Respuesta::Cancelar << true << QStringList{};
    QTest::newRow("cambios, cancelar") << true << Respuesta::Cancelar << false << QStringList{};
    QTest::newRow("cambios, no") << true << Respuesta::No << true
                                 << QStringList{"Fichero g.ll1 cerrado"};
    QTest::newRow("cambios, sí") << true << Respuesta::Si << true
                                 << QStringList({"Fichero guardado en @", "Fichero g.ll1 cerrado"});
  }
  void cerrarLaVentana() {
    QFETCH(bool, modificado);
    QFETCH(Respuesta, respuesta);
    QFETCH(bool, cierra);
    QFETCH(QStringList, mensajes);
    Banco banco;
    const QString ruta = banco.CrearFichero("g.ll1", "g");
    banco.ventana->AbrirFichero(ruta);
    if (modificado) banco.Editor()->insertPlainText("x");
    banco.guion->respuestas = {respuesta};
    QCloseEvent evento;
    QCoreApplication::sendEvent(banco.ventana.get(), &evento);
    QCOMPARE(evento.isAccepted(), cierra);
    QCOMPARE(banco.guion->registro.size(), modificado ? 1 : 0);
    QCOMPARE(banco.Mensajes().mid(1), mensajes.replaceInStrings("@", ruta));
  }

  void imprimirHaceCadaCopiaYUnaLinea() {
    Banco banco;
    const QString ruta = banco.CrearFichero("g.ll1", "S -> a S b\r\nS -> lambda\r\n");
    banco.ventana->AbrirFichero(ruta);
    const QString pdf = banco.Ruta("g.pdf");
    banco.guion->impresoras = {[&pdf](QPrinter& impresora) {
      impresora.setOutputFormat(QPrinter::PdfFormat);
      impresora.setOutputFileName(pdf);
      impresora.setCopyCount(3);
      return true;
    }};
    banco.Boton("BImprimir")->click();
    QCOMPARE(PaginasPdf(pdf), 3);
    QCOMPARE(banco.guion->impresora->docName(), QString("g.ll1"));
    QCOMPARE(banco.Mensajes().last(), "Fichero g.ll1 impreso en la impresora " + pdf);
    QCOMPARE(banco.Mensajes().size(), 2);

    banco.Accion("MImprimir")->trigger();
    QCOMPARE(banco.Mensajes().size(), 2);
    QCOMPARE(banco.guion->Titulos(), QStringList({"impresora|", "impresora|"}));
  }

  void imprimirTextoLargoOcupaVariasPaginas() {
    Banco banco;
    QString largo;
    for (int i = 0; i < 150; ++i) largo += QString("linea %1\n").arg(i);
    banco.NuevoCon(largo + QString(400, 'x'));
    const QString pdf = banco.Ruta("largo.pdf");
    banco.guion->impresoras = {[&pdf](QPrinter& impresora) {
      impresora.setOutputFormat(QPrinter::PdfFormat);
      impresora.setOutputFileName(pdf);
      return true;
    }};
    banco.Accion("MImprimir")->trigger();
    // 151 lines of 10 pt type do not fit one page; the long last line wraps instead of being cut.
    QVERIFY(PaginasPdf(pdf) >= 2);
    QCOMPARE(banco.Mensajes().last(), "Fichero nuevo impreso en la impresora " + pdf);
  }

  void imprimirSoloLasPaginasElegidas() {
    Banco banco;
    QString largo;
    for (int i = 0; i < 250; ++i) largo += QString("linea %1\n").arg(i);
    banco.NuevoCon(largo);
    const QString pdf = banco.Ruta("paginas.pdf");
    const auto pedir = [&pdf](int desde, int hasta) {
      return [&pdf, desde, hasta](QPrinter& impresora) {
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(pdf);
        impresora.setCopyCount(2);
        impresora.setPrintRange(desde ? QPrinter::PageRange : QPrinter::AllPages);
        impresora.setFromTo(desde, hasta);
        return true;
      };
    };
    banco.guion->impresoras = {pedir(0, 0)};
    banco.Accion("MImprimir")->trigger();
    const int todas = PaginasPdf(pdf) / 2;
    QVERIFY(todas >= 4);
    banco.guion->impresoras = {pedir(2, 3), pedir(todas, 99)};
    banco.Accion("MImprimir")->trigger();
    QCOMPARE(PaginasPdf(pdf), 2 * 2);
    banco.Accion("MImprimir")->trigger();
    QCOMPARE(PaginasPdf(pdf), 2 * 1);
  }

  void impresionFallidaNoSeDaPorHecha() {
    Banco banco;
    banco.NuevoCon("S");
    const QString pdf = banco.Ruta("no/existe.pdf");
    banco.guion->impresoras = {[&pdf](QPrinter& impresora) {
      impresora.setOutputFormat(QPrinter::PdfFormat);
      impresora.setOutputFileName(pdf);
      return true;
    }};
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QPainter::begin"));
    banco.Accion("MImprimir")->trigger();
    QCOMPARE(banco.guion->registro.last(),
             "error|Quindel(1)|No se ha podido imprimir en la impresora " + pdf);
    QCOMPARE(banco.Mensajes().last(), QString("Fichero nuevo creado"));
  }

  void tituloSigueAlDocumento() {
    Banco banco;
    const QString ruta = banco.CrearFichero("a.ll1", "a");
    QStringList titulos;
    banco.ventana->AbrirFichero(ruta);
    titulos << banco.ventana->windowTitle();
    banco.ventana->NuevoFichero();
    titulos << banco.ventana->windowTitle();
    banco.guion->ficheros = {banco.Ruta("b.txt")};
    banco.ventana->GuardarFichero();
    titulos << banco.ventana->windowTitle();
    banco.Editor()->insertPlainText("x");
    banco.ventana->GuardarFichero();
    titulos << banco.ventana->windowTitle();
    banco.ventana->CerrarFichero();
    titulos << banco.ventana->windowTitle();
    QCOMPARE(titulos, QStringList({"Quindel(1) - a.ll1", "Quindel(1) - [Nuevo fichero]",
                                   "Quindel(1) - b.txt", "Quindel(1) - b.txt", "Quindel(1)"}));
  }
};

REGISTRAR_SUITE(Documentos, "Documentos");
#include "Documentos_test.moc"
