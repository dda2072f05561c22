// The analysis command: the question before it, the three lists it fills, the commands it
// enables, and the marking of an error's lines in the editor.
#include <QListWidget>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <new>
#include <sstream>

#include "Analizador.h"
#include "Banco.h"
#include "Errores.h"
#include "Suites.h"
#include "Texto1252.h"

namespace {

const QString kCorrecta =
    "Terminales = { a b }\nNoTerminales = { S }\nAxioma = S\nProducciones = {\nS -> a S b\n"
    "S -> lambda\n}\n";
// Error 29 names the lines of both productions, 5 and 6.
const QString kConflicto =
    "Terminales = { a }\nNoTerminales = { S }\nAxioma = S\nProducciones = {\nS -> a\nS -> a\n}\n";
const QString kIlegible = "Terminales = { a }\nAxioma = S\n";

const QStringList kResultados = {"BGuardarAnalisis", "BImprimirAnalisis", "MGuardarAnalisis",
                                 "MImprimirAnalisis"};
const QStringList kTabla = {"BVerTabla", "BGuardarTabla", "MVerTabla", "MGuardarTabla"};

// What the command-line tool lists for the same text: the lists must be the same.
QStringList Lista(const std::vector<std::string>& lineas) {
  QStringList resultado;
  for (const std::string& linea : lineas) resultado.append(AUnicode(linea));
  return resultado;
}
ResultadoAnalisis Referencia(const QString& texto) {
  QString crlf = texto;
  return AnalizarTexto(ACp1252(crlf.replace('\n', "\r\n")));
}

QString Habilitadas(const Banco& banco, const QStringList& nombres) {
  QString s;
  for (const QString& nombre : nombres)
    s += banco.Accion(qPrintable(nombre))->isEnabled() ? '1' : '0';
  return s;
}

QString Pestana(const Banco& banco) {
  return banco.Componente<QTabWidget>("AreaMensajes")->currentWidget()->objectName();
}

// The coloured stretches of the editor, as "first line:text".
QStringList Marcas(const Banco& banco) {
  QStringList marcas;
  for (const auto& marca : banco.Editor()->extraSelections())
    marcas.append(QString::number(marca.cursor.block().blockNumber() + 1) + ":" +
                  marca.cursor.selectedText());
  return marcas;
}

}  // namespace

class Analisis : public QObject {
  Q_OBJECT

 private slots:
  void listasComoLasDeLaHerramienta_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("habilitadas");  // results, then table commands
    QTest::newRow("LL(1)") << kCorrecta << "11111111";
    QTest::newRow("errores LL(1): la traza se puede guardar") << kConflicto << "11110000";
    QTest::newRow("fichero rechazado: cinco líneas, nada que guardar") << kIlegible << "00000000";
  }
  void listasComoLasDeLaHerramienta() {
    QFETCH(QString, texto);
    QFETCH(QString, habilitadas);
    Banco banco;
    banco.NuevoCon(texto);
    banco.Editor()->PonerModificado(false);
    banco.Boton("BAnalizar")->click();

    const ResultadoAnalisis referencia = Referencia(texto);
    QCOMPARE(banco.Lineas("ListaAnalisis"), Lista(referencia.analisis));
    QCOMPARE(banco.Lineas("ListErrores"), Lista(LineasErrores(referencia.registros)));
    QCOMPARE(banco.Mensajes().last(), QString("Analizando fichero nuevo"));
    QCOMPARE(Habilitadas(banco, kResultados + kTabla), habilitadas);
    QCOMPARE(banco.ventana->TablaActual() != nullptr, referencia.tabla != nullptr);
    // The closing line is written last, so the trace is in front.
    QCOMPARE(Pestana(banco), QString("HAnalisis"));
  }

  void resumenDeErrores() {
    Banco banco;
    banco.NuevoCon(kIlegible);
    banco.Editor()->PonerModificado(false);
    banco.ventana->AnalizarFichero();
    const QStringList analisis = banco.Lineas("ListaAnalisis");
    QCOMPARE(analisis.size(), 5);
    QCOMPARE(analisis.last(), QString("Análisis concluido con errores detectados"));
    const QStringList errores = banco.Lineas("ListErrores");
    QCOMPARE(errores.mid(errores.size() - 2), QStringList({"", "Encontrados 4 errores."}));

    banco.Editor()->PonerTexto(kConflicto);
    banco.ventana->AnalizarFichero();
    QCOMPARE(banco.Lineas("ListErrores").last(), QString("Encontrados 1 errores."));
    banco.Editor()->PonerTexto(kCorrecta);
    banco.ventana->AnalizarFichero();
    QCOMPARE(banco.Lineas("ListErrores"), QStringList{"Ningún error encontrado."});
    QCOMPARE(banco.Lineas("ListaAnalisis").last(),
             QString("Análisis concluido satisfactoriamente"));
  }

  void lineasLargasEnteras() {
    Banco banco;
    banco.ventana->show();
    // Long lines of each list: a FIRST set of many terminals in the trace, a long name without
    // productions in the errors, every character the program shows in the messages.
    QString terminales;
    QString producciones;
    for (int t = 0; t < 60; ++t) {
      terminales += " terminal_" + QString::number(t);
      producciones += "S -> terminal_" + QString::number(t) + "\n";
    }
    const QString largo = QString("N").repeated(300);
    banco.NuevoCon("Terminales = {" + terminales + " }\nNoTerminales = { S " + largo +
                   " }\nAxioma = S\nProducciones = {\n" + producciones + "S -> " + largo + "\n}\n");
    banco.Editor()->PonerModificado(false);
    banco.ventana->AnalizarFichero();
    std::string bytes;
    for (int byte = 0x20; byte < 0x100; ++byte) bytes += static_cast<char>(byte);
    banco.ventana->AgregarMensaje(AUnicode(bytes).repeated(2));
    banco.ventana->AgregarMensaje("corto");
    for (const char* nombre : {"ListaMensajes", "ListaAnalisis", "ListErrores"}) {
      auto* lista = banco.Componente<QListWidget>(nombre);
      lista->doItemsLayout();
      int ancho = 0;
      for (int i = 0; i < lista->count(); ++i) {
        const int texto = lista->fontMetrics().horizontalAdvance(lista->item(i)->text());
        ancho = std::max(ancho, texto);
        // Every line has room for all of its text; the rest is reached by scrolling sideways.
        QVERIFY2(lista->visualItemRect(lista->item(i)).width() >= texto, nombre);
      }
      QVERIFY2(ancho > lista->viewport()->width(), nombre);
      QVERIFY(lista->horizontalScrollBar()->maximum() + lista->viewport()->width() >= ancho);
    }
  }

  void preguntaAntesDeAnalizar() {
    Banco banco;
    banco.NuevoCon(kCorrecta);
    banco.guion->respuestas = {Dialogos::Respuesta::Cancelar};
    banco.Accion("MAnalizarGramatica")->trigger();
    QCOMPARE(banco.guion->registro,
             QStringList{"pregunta|Fichero modificado|El fichero nuevo ha sido modificado\n"
                         "¿Desea guardar los cambios antes de realizar el análisis?"});
    QVERIFY(banco.Lineas("ListaAnalisis").isEmpty());

    // Yes on an untitled document asks for a name; cancelling that still analyses the text.
    banco.guion->registro.clear();
    banco.guion->respuestas = {Dialogos::Respuesta::Si};
    banco.ventana->AnalizarFichero();
    QCOMPARE(banco.guion->Titulos(),
             QStringList({"pregunta|Fichero modificado", "fichero|Guardar gramática"}));
    QVERIFY(banco.ventana->TablaActual());
    QVERIFY(banco.Editor()->Modificado());

    banco.guion->respuestas = {Dialogos::Respuesta::No};
    banco.ventana->AnalizarFichero();
    QVERIFY(banco.Editor()->Modificado());
    QCOMPARE(banco.Lineas("ListaAnalisis").last(),
             QString("Análisis concluido satisfactoriamente"));
  }

  void clicEnUnErrorMarcaSusLineas() {
    Banco banco;
    const QString ruta =
        banco.CrearFichero("g.ll1", QByteArray::fromStdString(ACp1252(kConflicto)));
    banco.ventana->AbrirFichero(ruta);
    banco.ventana->AnalizarFichero();
    const int pasos = banco.Editor()->document()->availableUndoSteps();
    auto* errores = banco.Componente<QListWidget>("ListErrores");

    // Error 29 names lines 5 and 6: both red, the caret at the start of the second.
    errores->setCurrentRow(0);
    QCOMPARE(Marcas(banco), QStringList({"5:S -> a", "6:S -> a"}));
    const int sexta = banco.Editor()->document()->findBlockByNumber(5).position();
    QCOMPARE(banco.Seleccion(), qMakePair(sexta, sexta));
    QVERIFY(!banco.Editor()->Modificado());
    QCOMPARE(banco.Editor()->document()->availableUndoSteps(), pasos);

    // The empty line and the summary mark nothing and leave the marks alone.
    for (const int fila : {1, 2}) {
      errores->setCurrentRow(fila);
      QCOMPARE(Marcas(banco).size(), 2);
    }
    // A new analysis takes the marks away.
    banco.ventana->AnalizarFichero();
    QVERIFY(Marcas(banco).isEmpty());
  }

  void otroErrorQuitaLaMarcaDelAnterior() {
    Banco banco;
    banco.NuevoCon(
        "Terminales = { a }\nNoTerminales = { S }\nAxioma = S\nProducciones = {\nS -> x\n"
        "S -> y\n}\n");
    banco.Editor()->PonerModificado(false);
    banco.ventana->AnalizarFichero();
    auto* errores = banco.Componente<QListWidget>("ListErrores");
    QCOMPARE(errores->count(), 4);
    errores->setCurrentRow(0);
    QCOMPARE(Marcas(banco), QStringList{"5:S -> x"});
    errores->setCurrentRow(1);
    QCOMPARE(Marcas(banco), QStringList{"6:S -> y"});
  }

  void lineasQueYaNoExistenNoSeMarcan() {
    Banco banco;
    banco.NuevoCon(kConflicto);
    banco.ventana->AnalizarFichero();
    banco.Editor()->PonerTexto("Terminales = { a }\nS -> a\n");
    banco.Editor()->insertPlainText("x");
    banco.Seleccionar(1, 3);
    banco.Componente<QListWidget>("ListErrores")->setCurrentRow(0);
    QVERIFY(Marcas(banco).isEmpty());
    QCOMPARE(banco.Seleccion(), qMakePair(1, 3));

    // Only the second line still there: that one is marked.
    banco.Editor()->PonerTexto("1\n2\n3\n4\n5");
    banco.ventana->ResaltarError(0);
    QCOMPARE(Marcas(banco), QStringList{"5:5"});
    QCOMPARE(banco.Seleccion(), qMakePair(8, 8));
  }

  // An analysis that runs out of memory after it has written its trace and its errors.
  void sinMemoria_cajaDeErrorYNadaDelAnalisis() {
    Banco banco;
    const QByteArray bytes =
        QByteArray::fromStdString(ACp1252(QString(kCorrecta).replace('\n', "\r\n")));
    const QString ruta = banco.CrearFichero("g.ll1", bytes);
    banco.ventana->AbrirFichero(ruta);
    banco.ventana->AnalizarFichero();
    QCOMPARE(Habilitadas(banco, kResultados + kTabla), QString("11111111"));
    const QString texto = banco.Editor()->toPlainText();

    banco.ventana->PonerAnalizador([](std::unique_ptr<CGramatica>& gramatica,
                                      std::istream&) -> std::unique_ptr<CTablaSintactica> {
      std::istringstream conflicto(ACp1252(QString(kConflicto).replace('\n', "\r\n")));
      AnalizarGramatica(gramatica, conflicto);
      throw std::bad_alloc();
    });
    banco.guion->registro.clear();
    banco.ventana->AnalizarFichero();
    QCOMPARE(banco.guion->registro,
             QStringList{"error|Quindel(1)|Memoria insuficiente para analizar el fichero g.ll1"});
    QVERIFY(banco.Lineas("ListaAnalisis").isEmpty());
    QVERIFY(banco.Lineas("ListErrores").isEmpty());
    QVERIFY(!banco.ventana->TablaActual());
    QVERIFY(!banco.ventana->GramaticaActual());
    QCOMPARE(listaErrores.NumErrores(), 0);
    QCOMPARE(Habilitadas(banco, kResultados + kTabla), QString("00000000"));
    QVERIFY(!banco.Accion("MExplicar")->isEnabled() && !banco.Accion("MTransformar")->isEnabled());
    QCOMPARE(banco.Mensajes().last(), QString("Analizando fichero g.ll1"));
    // The document and its file are as they were.
    QCOMPARE(banco.Editor()->toPlainText(), texto);
    QVERIFY(!banco.Editor()->Modificado());
    QCOMPARE(Banco::Contenido(ruta), bytes);
    QCOMPARE(banco.Documento().NombreFichero, ruta);

    // The next analysis that has the memory it needs works as ever.
    banco.ventana->PonerAnalizador(nullptr);
    banco.ventana->AnalizarFichero();
    QVERIFY(banco.ventana->TablaActual());
    QCOMPARE(banco.Lineas("ListErrores"), QStringList{"Ningún error encontrado."});
  }
};

REGISTRAR_SUITE(Analisis, "Analisis");
#include "Analisis_test.moc"
