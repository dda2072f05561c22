// The program's icons: SVG drawings on a 24-pixel grid (gui/iconos), compiled in as resources.
// Qt renders them at whatever size is asked and greys them itself for disabled commands.
#pragma once

#include <QIcon>

enum class Icono {
  Programa,
  Nuevo,
  Abrir,
  Cerrar,
  Guardar,
  GuardarComo,
  Imprimir,
  Salir,
  Deshacer,
  Cortar,
  Copiar,
  Pegar,
  SeleccionarTodo,
  Buscar,
  RepetirBusqueda,
  Reemplazar,
  Fuente,
  Analizar,
  GuardarAnalisis,
  ImprimirAnalisis,
  VerTabla,
  GuardarTabla,
  Manual,
  Acerca,
};

QIcon CrearIcono(Icono icono);
