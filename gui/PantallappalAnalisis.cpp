// The main window's side of the analysis: the "Analizar gramática" command, which hands the
// editor's text to the analysis and lists its trace and its errors; the marking of an error's
// lines in the editor; and the copying of trace lines.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QTextBlock>
#include <new>
#include <sstream>
#include <utility>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Editorgramatica.h"
#include "Errores.h"
#include "Mostraranalisis.h"
#include "Pantallappal.h"
#include "Tablasintactica.h"
#include "Texto1252.h"

namespace {

// A trace of at most this many lines comes from a file that could not be read: there is
// nothing in it worth saving or printing.
constexpr int kLineasTrazaRechazada = 5;

// The editor's text as the analysis reads it: Windows-1252 with CR LF line ends.
std::string TextoParaAnalisis(QString texto) {
  return ACp1252(texto.replace(u'\n', QStringLiteral("\r\n")));
}

}  // namespace

void TFormPpal::MAnalizarGramaticaClick() { AnalizarFichero(); }

void TFormPpal::AnalizarFichero() {
  if (AreaEdicion->Modificado()) {
    const auto respuesta =
        dialogos->Preguntar("El fichero " + NombreCorto() +
                                " ha sido modificado\n¿Desea guardar los cambios antes de "
                                "realizar el análisis?",
                            "Fichero modificado");
    if (respuesta == Dialogos::Respuesta::Cancelar) return;
    // The analysis goes on whether the save was made, cancelled or failed.
    if (respuesta == Dialogos::Respuesta::Si) GuardarFichero();
  }
  RestaurarColor();
  ListaAnalisis->clear();
  ListErrores->clear();
  AgregarMensaje("Analizando fichero " + NombreCorto());
  // The previous grammar goes first: the new one is then built in the room it leaves, close
  // together. Kept alive or freed on another thread meanwhile, it would scatter the new one,
  // and every later analysis would be slower (a 100,000-production F5 took 0.95-1.2 s instead
  // of 0.75 s); freeing it here takes 16 ms.
  Tabla.reset();
  Gramatica.reset();
  try {
    AgregarAnalisis(AUnicode(TextoInicioAnalisis()));
    std::istringstream entrada(TextoParaAnalisis(AreaEdicion->Texto()));
    {
      SumideroTemporal sumidero(
          [this](const std::string& linea) { AgregarAnalisis(AUnicode(linea)); });
      Tabla = analizar ? analizar(Gramatica, entrada) : AnalizarGramatica(Gramatica, entrada);
    }
    MostrarErrores();
    ActualizarExplicaciones();
  } catch (const std::bad_alloc&) {
    AnalisisSinMemoria();
    return;
  }
  if (listaErrores.NumErrores() != 0) {
    AgregarAnalisis(AUnicode(TextoAnalisisConErrores()));
    HabilitarTabla(false);
    if (ListaAnalisis->count() <= kLineasTrazaRechazada)
      DeshabilitarResultados();
    else
      HabilitarResultados();
  } else {
    AgregarAnalisis(AUnicode(TextoAnalisisCorrecto()));
    HabilitarTabla(true);
    HabilitarResultados();
  }
}

// A grammar of thousands of clashing alternatives has millions of errors, and each is a line of
// the "Errores" list. What the analysis left is dropped before the box is shown, which needs
// memory too; the document is left as it was.
void TFormPpal::AnalisisSinMemoria() {
  Tabla.reset();
  Gramatica.reset();
  listaErrores.Vaciar();
  ListaAnalisis->clear();
  ListErrores->clear();
  HabilitarTabla(false);
  DeshabilitarResultados();
  ActualizarExplicaciones();
  MostrarFallo("Memoria insuficiente para analizar el fichero " + NombreCorto());
}

void TFormPpal::PonerAnalizador(Analizador analizador) { analizar = std::move(analizador); }

void TFormPpal::MostrarErrores() {
  QStringList lineas;
  RecorrerLineasErrores(listaErrores.Errores(),
                        [&lineas](const std::string& linea) { lineas.append(AUnicode(linea)); });
  ListErrores->addItems(lineas);
  AreaMensajes->setCurrentIndex(kPestanaErrores);
}

void TFormPpal::ListErroresClick() {
  const int indice = ListErrores->currentRow();
  const QListWidgetItem* linea = ListErrores->currentItem();
  // The error lines come first and in the list's order; the empty line and the summary after
  // them mark nothing.
  if (linea && linea->isSelected() && indice < ListErrores->count() - 2) ResaltarError(indice);
}

void TFormPpal::ResaltarError(int indice) {
  if (indice < 0 || indice >= listaErrores.NumErrores()) return;
  int primera = 0;
  int segunda = 0;
  listaErrores.Obtener(indice).Lineas(primera, segunda);
  MarcarLineas({primera, segunda});
}

void TFormPpal::MarcarLineas(const QList<int>& lineas) {
  RestaurarColor();
  // The lines are those of the text as it is now, which may have changed since the analysis:
  // a line that is no longer there is not marked.
  int inicioUltima = -1;
  for (const int linea : lineas) {
    const QTextBlock bloque = AreaEdicion->document()->findBlockByNumber(linea - 1);
    if (linea < 1 || !bloque.isValid()) continue;
    AreaEdicion->Colorear(bloque.position(), bloque.length() - 1, Qt::red);
    inicioUltima = bloque.position();
  }
  if (inicioUltima < 0) return;
  AreaEdicion->setFocus();
  QTextCursor cursor = AreaEdicion->textCursor();
  cursor.setPosition(inicioUltima);
  AreaEdicion->setTextCursor(cursor);
}

void TFormPpal::RestaurarColor() { AreaEdicion->RestaurarColor(); }

void TFormPpal::MCCopiarClick() {
  QString texto;
  for (int i = 0; i < ListaAnalisis->count(); ++i)
    if (ListaAnalisis->item(i)->isSelected()) texto += ListaAnalisis->item(i)->text() + "\r\n";
  QGuiApplication::clipboard()->setText(texto);
  HabilitarPegar();
}
