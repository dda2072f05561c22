// libFuzzer target: arbitrary bytes through reading and the whole analysis, as the editor
// would hand them over (every line break as CR LF).
#include <cstddef>
#include <cstdint>
#include <string>

#include "Analizador.h"
#include "Codificacion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
  const std::string texto(reinterpret_cast<const char*>(datos), tamano);
  AnalizarTexto(cp1252::NormalizarSaltos(texto));
  return 0;
}
