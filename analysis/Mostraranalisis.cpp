#include "Mostraranalisis.h"

namespace {

SumideroAnalisis& SumideroActual() {
  static SumideroAnalisis sumidero;
  return sumidero;
}

}  // namespace

void MostrarAnalisis(const std::string& linea) {
  if (const SumideroAnalisis& sumidero = SumideroActual()) sumidero(linea);
}

bool TrazaActiva() { return static_cast<bool>(SumideroActual()); }

SumideroAnalisis InstalarSumidero(SumideroAnalisis sumidero) {
  SumideroAnalisis anterior = std::move(SumideroActual());
  SumideroActual() = std::move(sumidero);
  return anterior;
}

std::string TextoGuardadoAnalisis(const std::vector<std::string>& lineas,
                                  const std::string& titulo) {
  std::string texto;
  for (std::size_t i = 0; i < lineas.size(); ++i) {
    if (i == 2)
      texto += titulo;
    else if (i > 2)
      texto += lineas[i];
    texto += "\r\n";
  }
  return texto;
}
