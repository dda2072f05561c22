// libFuzzer target: what the desktop program saves from an analysis of arbitrary bytes, the
// HTML page of the parse table and the trace file.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "Analizador.h"
#include "Codificacion.h"
#include "Mostraranalisis.h"
#include "Tablasintactica.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
  const std::string texto(reinterpret_cast<const char*>(datos), tamano);
  const ResultadoAnalisis resultado = AnalizarTexto(cp1252::NormalizarSaltos(texto));
  TextoGuardadoAnalisis(resultado.analisis, "fuzz");
  if (resultado.tabla) {
    std::ostringstream pagina;
    resultado.tabla->EscribirHTML(pagina, "fuzz");
  }
  return 0;
}
