// libFuzzer target: the quindel-cli reports of an analysis of arbitrary bytes, the text
// sections (the explanations and warnings too) and the JSON document with the grammar's exact
// sets, the explanations and the warnings.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Analizador.h"
#include "Codificacion.h"
#include "Escritorjson.h"
#include "Informe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
  const std::string texto(reinterpret_cast<const char*>(datos), tamano);
  const ResultadoAnalisis resultado = AnalizarTexto(cp1252::NormalizarSaltos(texto));
  EscribirInforme(resultado,
                  {.analisis = true, .errores = true, .explicaciones = true, .tabla = true},
                  [](std::string_view) {});
  std::string json;
  EscritorJson escritor(json);
  escritor.Abrir('{');
  EscribirAnalisisJson(escritor, resultado, "fuzz");
  escritor.Cerrar('}');
  return 0;
}
