// libFuzzer target: the grammar proposed for an analysis of arbitrary bytes. A proposal must
// leave the process-wide error list as it found it, read back without reading errors and
// without left recursion, keep the axiom, end its steps with the errors it still has (ten
// named, then a count), and read the same with its steps on top as comment lines; a missing
// proposal must say why.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Codificacion.h"
#include "Errores.h"
#include "Simbolos.h"
#include "Transformacion.h"

namespace {

std::vector<CodigoError> Codigos(const ResultadoAnalisis& resultado) {
  std::vector<CodigoError> codigos;
  for (const Error& error : resultado.registros) codigos.push_back(error.Codigo());
  return codigos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
  const std::string texto(reinterpret_cast<const char*>(datos), tamano);
  const ResultadoAnalisis resultado = AnalizarTexto(cp1252::NormalizarSaltos(texto));
  // The window's list holds the errors of its own analysis while a proposal is made.
  listaErrores.Vaciar();
  for (const Error& error : resultado.registros) listaErrores.Agregar(error);
  const Propuesta propuesta = ProponerGramatica(resultado);
  std::vector<CodigoError> lista;
  for (const Error& error : listaErrores.Errores()) lista.push_back(error.Codigo());
  if (lista != Codigos(resultado)) std::abort();
  if (!propuesta.texto) {
    if (propuesta.motivo.empty()) std::abort();
    return 0;
  }
  const ResultadoAnalisis nueva = AnalizarTexto(*propuesta.texto);
  for (const CodigoError codigo : Codigos(nueva))
    if (codigo < kPrimerCodigoLL1 || codigo == CodigoError::RecursividadIzquierda ||
        codigo == CodigoError::AfectadaPorRecursividad)
      std::abort();
  if (nueva.gramatica->Axioma()->Nombre() != resultado.gramatica->Axioma()->Nombre()) std::abort();
  const std::size_t errores = nueva.registros.size();
  const auto quedan =
      std::count_if(propuesta.pasos.begin(), propuesta.pasos.end(),
                    [](const std::string& paso) { return paso.starts_with("Queda"); });
  if (static_cast<std::size_t>(quedan) != std::min<std::size_t>(errores, 10) + (errores > 10))
    std::abort();
  if (Codigos(AnalizarTexto(TextoConPasos(propuesta))) != Codigos(nueva)) std::abort();
  return 0;
}
