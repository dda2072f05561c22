// libFuzzer target: arbitrary bytes through the whole analysis, as the editor would hand them
// over, and through everything made from its results (the page, the saved trace, the reports).
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Codificacion.h"
#include "Informe.h"
#include "Mostraranalisis.h"
#include "Tablasintactica.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
  const std::string texto(reinterpret_cast<const char*>(datos), tamano);
  ResultadoAnalisis resultado = AnalizarTexto(cp1252::NormalizarSaltos(texto));
  const std::string traza = TextoGuardadoAnalisis(resultado.analisis, "fuzz");
  if (resultado.tabla) {
    std::ostringstream pagina;
    resultado.tabla->EscribirHTML(pagina, "fuzz");
  }
  TextoInforme(resultado, {true, true, true, false});
  DocumentoJson(resultado, "fuzz").dump();
  return 0;
}
