#include "Iconos.h"

#include <QString>

namespace {

// The name of each icon's file in gui/iconos.
const char* Nombre(Icono icono) {
  switch (icono) {
    case Icono::Programa:
      return "programa";
    case Icono::Nuevo:
      return "nuevo";
    case Icono::Abrir:
      return "abrir";
    case Icono::Cerrar:
      return "cerrar";
    case Icono::Guardar:
      return "guardar";
    case Icono::GuardarComo:
      return "guardar-como";
    case Icono::Imprimir:
      return "imprimir";
    case Icono::Salir:
      return "salir";
    case Icono::Deshacer:
      return "deshacer";
    case Icono::Cortar:
      return "cortar";
    case Icono::Copiar:
      return "copiar";
    case Icono::Pegar:
      return "pegar";
    case Icono::SeleccionarTodo:
      return "seleccionar-todo";
    case Icono::Buscar:
      return "buscar";
    case Icono::RepetirBusqueda:
      return "repetir-busqueda";
    case Icono::Reemplazar:
      return "reemplazar";
    case Icono::Fuente:
      return "fuente";
    case Icono::Analizar:
      return "analizar";
    case Icono::GuardarAnalisis:
      return "guardar-analisis";
    case Icono::ImprimirAnalisis:
      return "imprimir-analisis";
    case Icono::VerTabla:
      return "ver-tabla";
    case Icono::GuardarTabla:
      return "guardar-tabla";
    case Icono::Manual:
      return "manual";
    case Icono::Acerca:
      return "acerca";
  }
  return "";
}

}  // namespace

QIcon CrearIcono(Icono icono) {
  // The resources are compiled into a static library: registered here, or the linker leaves them
  // out of the program.
  static const bool cargados = [] {
    Q_INIT_RESOURCE(iconos);
    return true;
  }();
  Q_UNUSED(cargados);
  return QIcon(QStringLiteral(":/iconos/%1.svg").arg(QLatin1String(Nombre(icono))));
}
