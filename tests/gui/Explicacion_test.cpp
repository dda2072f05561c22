// Explaining conflicts and proposing a grammar from the desktop program: when the Herramientas
// items are offered, the explanation window and the lines it marks, and the proposal opened as
// a new document.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "Analizador.h"
#include "Banco.h"
#include "Explicacion.h"
#include "Ficherogramatica.h"
#include "Pantallaexplicacion.h"
#include "Suites.h"
#include "Texto1252.h"
#include "Transformacion.h"

namespace {

const QString kConflicto =
    "Terminales = { id = ( ) }\nNoTerminales = { S }\nAxioma = S\nProducciones = {\n"
    "S -> id = id\nS -> id ( )\n}\n";
const QString kRecursiva =
    "Terminales = { + id }\nNoTerminales = { E }\nAxioma = E\nProducciones = {\nE -> E + id\n"
    "E -> id\n}\n";
const QString kSobraUnTerminal =
    "Terminales = { a b }\nNoTerminales = { S }\nAxioma = S\nProducciones = {\nS -> a\n}\n";

void Analizar(Banco& banco, const QString& texto) {
  banco.Editor()->PonerTexto(texto);
  banco.ventana->AnalizarFichero();
}

QString Ofrecidas(const Banco& banco) {
  return QString(banco.Accion("MExplicar")->isEnabled() ? "explicar" : "-") + " " +
         (banco.Accion("MTransformar")->isEnabled() ? "transformar" : "-");
}

ResultadoAnalisis Referencia(const QString& texto) {
  QString crlf = texto;
  return AnalizarTexto(ACp1252(crlf.replace('\n', "\r\n")));
}

QStringList Marcas(const Banco& banco) {
  QStringList marcas;
  for (const auto& marca : banco.Editor()->extraSelections())
    marcas.append(QString::number(marca.cursor.block().blockNumber() + 1));
  return marcas;
}

}  // namespace

class ExplicacionVentana : public QObject {
  Q_OBJECT

 private slots:
  void herramientasSegunElAnalisis() {
    Banco banco;
    banco.ventana->NuevoFichero();
    QCOMPARE(Ofrecidas(banco), QString("- -"));
    Analizar(banco, kConflicto);
    QCOMPARE(Ofrecidas(banco), QString("explicar transformar"));
    // An LL(1) grammar with a useless terminal: only its warning to show.
    Analizar(banco, kSobraUnTerminal);
    QCOMPARE(Ofrecidas(banco), QString("explicar -"));
    Analizar(banco, "Terminales = { a }\n");
    QCOMPARE(Ofrecidas(banco), QString("- -"));
    Analizar(banco, kConflicto);
    banco.ventana->CerrarFichero();
    QCOMPARE(Ofrecidas(banco), QString("- -"));
  }

  void ventanaDeExplicaciones() {
    Banco banco;
    banco.NuevoCon(kConflicto);
    Analizar(banco, kConflicto);
    banco.Accion("MExplicar")->trigger();
    auto* ventana = banco.Componente<TFormExplicacion>("FormExplicacion");
    QVERIFY(ventana->isVisible());
    const ResultadoAnalisis referencia = Referencia(kConflicto);
    const auto explicaciones = Explicar(referencia);
    QCOMPARE(ventana->Entradas().size(), explicaciones.size());
    QCOMPARE(ventana->Entradas()[0].titulo, AUnicode(explicaciones[0].registro.Mensaje()));

    // Choosing it shows the whole explanation and marks the lines of both productions.
    ventana->Elegir(0);
    QStringList esperado;
    for (const std::string& linea : LineasExplicacion(explicaciones[0]))
      esperado.append(AUnicode(linea));
    QCOMPARE(ventana->findChild<QPlainTextEdit*>("TextoExplicacion")->toPlainText(),
             esperado.join('\n'));
    QCOMPARE(Marcas(banco), QStringList({"5", "6"}));

    // The open window follows the next analysis: a warning now, on its declaration's line.
    Analizar(banco, kSobraUnTerminal);
    QCOMPARE(ventana->Entradas().size(), std::size_t{1});
    ventana->Elegir(0);
    QCOMPARE(Marcas(banco), QStringList({"1"}));
  }

  void abreConLaPrimeraElegida() {
    Banco banco;
    banco.NuevoCon(kConflicto);
    Analizar(banco, kConflicto);
    banco.Accion("MExplicar")->trigger();
    auto* ventana = banco.Componente<TFormExplicacion>("FormExplicacion");
    QCOMPARE(ventana->findChild<QListWidget*>("ListaExplicaciones")->currentRow(), 0);
    QCOMPARE(ventana->findChild<QPlainTextEdit*>("TextoExplicacion")->toPlainText(),
             ventana->Entradas()[0].detalle.join('\n'));
    QCOMPARE(Marcas(banco), QStringList({"5", "6"}));
  }

  void transformarAbreUnaPropuesta() {
    Banco banco;
    const QString ruta = banco.CrearFichero("g.ll1", ACp1252(kRecursiva).c_str());
    banco.ventana->AbrirFichero(ruta);
    banco.ventana->AnalizarFichero();
    const Propuesta propuesta = ProponerGramatica(Referencia(kRecursiva));
    QVERIFY(propuesta.texto.has_value());

    banco.Accion("MTransformar")->trigger();
    QCOMPARE(banco.Editor()->Texto() + "\n",
             DecodificarGramatica(QByteArray::fromStdString(*propuesta.texto)) + "\n");
    QVERIFY(banco.Editor()->Modificado());
    QCOMPARE(banco.Documento().NombreFichero, QString("nuevo"));
    QStringList pasos = {"Gramática propuesta a partir de g.ll1"};
    for (const std::string& paso : propuesta.pasos) pasos.append(AUnicode(paso));
    QCOMPARE(banco.Mensajes().mid(banco.Mensajes().size() - pasos.size()), pasos);
    QCOMPARE(Banco::Contenido(ruta), QByteArray(ACp1252(kRecursiva).c_str()));

    // The proposal is unsaved: a new transformation first asks; cancelling keeps it.
    banco.ventana->AnalizarFichero();  // answered Cancel: nothing analysed
    banco.Editor()->PonerModificado(false);
    banco.ventana->AnalizarFichero();
    QCOMPARE(banco.Lineas("ListErrores"), QStringList{"Ningún error encontrado."});
  }

  void sinPropuestaPosible() {
    Banco banco;
    banco.NuevoCon("x");
    // The axiom derives no string of terminals: its language is empty.
    Analizar(
        banco,
        "Terminales = { a }\nNoTerminales = { S }\nAxioma = S\nProducciones = {\nS -> S a\n}\n");
    QVERIFY(banco.Accion("MTransformar")->isEnabled());
    banco.guion->registro.clear();
    banco.Accion("MTransformar")->trigger();
    QCOMPARE(banco.guion->registro.size(), 1);
    QVERIFY(banco.guion->registro[0].startsWith(
        "info|Transformar gramática|No se puede proponer una gramática: "));
    QCOMPARE(banco.Mensajes().last(), banco.guion->registro[0].section('|', 2));
    // The document stays as it was.
    QVERIFY(banco.Editor()->Texto().contains("S -> S a"));
  }
};

REGISTRAR_SUITE(ExplicacionVentana, "Explicacion");
#include "Explicacion_test.moc"
