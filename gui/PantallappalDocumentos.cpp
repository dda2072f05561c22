// The document commands of the main window: new, open, close with its question about unsaved
// changes, save, save as, print and exit.
#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QPrinter>
#include <QTextDocument>
#include <variant>

#include "Editorgramatica.h"
#include "Ficherogramatica.h"
#include "Paginacion.h"
#include "Pantallappal.h"

namespace {

// Names the character that stops a save, so the user knows what to change.
QString DescribirInalmacenable(const CaracterInalmacenable& c) {
  const QString codigo = QString::number(c.caracter, 16).toUpper().rightJustified(4, '0');
  return "\nEl carácter «" + QString::fromUcs4(&c.caracter, 1) + "» (U+" + codigo +
         ") de la línea " + QString::number(c.linea) + " no se puede guardar en Windows-1252";
}

}  // namespace

bool TFormPpal::NuevoFichero() {
  if (documento.FicheroAbierto) {
    CerrarFichero();
    if (documento.FicheroAbierto) return false;
  }
  documento.NombreFichero = "nuevo";
  AreaEdicion->PonerTexto({});
  documento.FicheroAbierto = true;
  documento.FicheroNuevo = true;
  DeshabilitarDeshacer();
  PonerTitulo("[Nuevo fichero]");
  HabilitarFichero();
  AreaEdicion->setFocus();
  AgregarMensaje("Fichero nuevo creado");
  return true;
}

void TFormPpal::AbrirFichero(const QString& nombre) {
  // The messages, the saves and the trace name the file by its full path, whatever the
  // working folder is later.
  const QString ruta = nombre.isEmpty() ? nombre : QFileInfo(nombre).absoluteFilePath();
  if (documento.FicheroAbierto) {
    CerrarFichero();
    if (documento.FicheroAbierto) return;
  }
  const std::optional<QString> texto = LeerGramatica(ruta);
  if (!texto) {
    AreaEdicion->PonerTexto({});
    dialogos->Mostrar(
        Dialogos::Forma::Error,
        "Error al leer del fichero " + ruta + "\nCompruebe que el fichero existe y es accesible",
        "Error al abrir");
    AgregarMensaje("Error al leer el fichero " + ruta);
    return;
  }
  AreaEdicion->PonerTexto(*texto);
  documento.NombreFichero = ruta;
  documento.FicheroAbierto = true;
  documento.FicheroNuevo = false;
  DeshabilitarDeshacer();
  PonerTitulo(NombreCorto());
  HabilitarFichero();
  // The file named on the command line opens before the window is shown.
  if (lineaComandosConsumida) AreaEdicion->setFocus();
  AgregarMensaje("Abierto fichero " + documento.NombreFichero);
}

void TFormPpal::CerrarFichero() {
  if (AreaEdicion->Modificado()) {
    const auto respuesta = dialogos->Preguntar(
        "El fichero " + NombreCorto() + " ha sido modificado\n¿Desea guardar los cambios?",
        "Fichero modificado");
    if (respuesta == Dialogos::Respuesta::Cancelar) return;
    if (respuesta == Dialogos::Respuesta::Si)
      GuardarFichero();
    else
      AreaEdicion->PonerModificado(false);
    // A failed save or a cancelled Guardar como keeps the document open.
    if (AreaEdicion->Modificado()) return;
  }
  documento.FicheroAbierto = false;
  PonerTitulo({});
  AreaEdicion->PonerTexto({});
  DeshabilitarFichero();
  AgregarMensaje("Fichero " + NombreCorto() + " cerrado");
  ListaAnalisis->clear();
  ListErrores->clear();
  documento.FicheroNuevo = true;
}

void TFormPpal::GuardarFichero() {
  if (documento.FicheroNuevo) {
    MGuardarComoClick();
    return;
  }
  if (Escribir(documento.NombreFichero)) FicheroGuardado();
}

void TFormPpal::GuardarFicheroComo(const QString& ruta) {
  if (!Escribir(ruta)) return;
  documento.NombreFichero = ruta;
  PonerTitulo(NombreCorto());
  FicheroGuardado();
}

void TFormPpal::FicheroGuardado() {
  AreaEdicion->PonerModificado(false);
  DeshabilitarDeshacer();
  documento.FicheroNuevo = false;
  AgregarMensaje("Fichero guardado en " + documento.NombreFichero);
}

bool TFormPpal::Escribir(const QString& ruta) {
  const auto codificado = CodificarGramatica(AreaEdicion->Texto());
  if (const auto* inalmacenable = std::get_if<CaracterInalmacenable>(&codificado)) {
    ErrorAlGuardar(ruta, DescribirInalmacenable(*inalmacenable));
    return false;
  }
  if (!EscribirFichero(ruta, std::get<QByteArray>(codificado))) {
    ErrorAlGuardar(ruta);
    return false;
  }
  return true;
}

void TFormPpal::ErrorAlGuardar(const QString& ruta, const QString& detalle) {
  dialogos->Mostrar(Dialogos::Forma::Error,
                    "Error al escribir en el fichero " + ruta +
                        "\nCompruebe que el nombre del fichero es válido y que el disco no está "
                        "protegido contra escritura" +
                        detalle,
                    "Error al guardar");
  AgregarMensaje("Error al escribir en el fichero " + ruta);
}

void TFormPpal::ImprimirFichero(int copias) {
  const auto copia = AreaEdicion->CopiaParaImprimir();
  if (!ImprimirDocumento(*DlgImprimir, *copia, NombreCorto(), copias, kMargenImpresion)) {
    MostrarFallo("No se ha podido imprimir en la impresora " + NombreImpresora(*DlgImprimir));
    return;
  }
  AgregarMensaje("Fichero " + NombreCorto() + " impreso en la impresora " +
                 NombreImpresora(*DlgImprimir));
}

void TFormPpal::MNuevoClick() { NuevoFichero(); }

void TFormPpal::MAbrirClick() {
  if (const auto ruta = dialogos->ElegirFichero(DlgAbrir)) AbrirFichero(*ruta);
}

void TFormPpal::MCerrarClick() { CerrarFichero(); }

void TFormPpal::MGuardarClick() { GuardarFichero(); }

void TFormPpal::MGuardarComoClick() {
  if (const auto ruta = dialogos->ElegirFichero(DlgGuardar)) GuardarFicheroComo(*ruta);
}

void TFormPpal::MImprimirClick() {
  if (dialogos->ElegirImpresora(*DlgImprimir)) ImprimirFichero(DlgImprimir->copyCount());
}

void TFormPpal::MSalirClick() { close(); }
