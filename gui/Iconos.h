// The program's icons, drawn as vector shapes at whatever size is asked, with a greyed form for
// disabled commands.
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
