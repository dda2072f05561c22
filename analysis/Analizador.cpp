#include "Analizador.h"

#include <cstddef>
#include <istream>
#include <streambuf>
#include <utility>

#include "Asintactico.h"
#include "Cgramatica.h"
#include "Codificacion.h"
#include "Errores.h"
#include "Mostraranalisis.h"
#include "Tablasintactica.h"

std::unique_ptr<CTablaSintactica> AnalizarGramatica(std::unique_ptr<CGramatica>& gramatica,
                                                    std::istream& entrada) {
  AnalizadorSintactico sintactico;
  listaErrores.Vaciar();
  gramatica.reset();
  gramatica = sintactico.Analizar(entrada);
  if (listaErrores.NumErrores() != 0) {
    MostrarAnalisis("Se han encontrado errores en el fichero");
    MostrarAnalisis("No se puede realizar el análisis LL1 de la gramática"_cp1252);
  } else {
    MostrarAnalisis("Lectura del fichero realizada con éxito"_cp1252);
    MostrarAnalisis("Iniciando análisis LL1 de la gramática"_cp1252);
    MostrarAnalisis("");
    gramatica->AnalizarLL1();
  }
  MostrarAnalisis("");
  if (listaErrores.NumErrores() != 0) return nullptr;
  return gramatica->ConstruirTabla();
}

void RecorrerLineasErrores(const std::vector<Error>& registros,
                           const std::function<void(const std::string&)>& linea) {
  for (const Error& error : registros) linea(error.Mensaje());
  if (registros.empty()) {
    linea("Ningún error encontrado."_cp1252);
    return;
  }
  linea("");
  linea("Encontrados " + std::to_string(registros.size()) + " errores.");
}

std::vector<std::string> LineasErrores(const std::vector<Error>& registros) {
  std::vector<std::string> lineas;
  lineas.reserve(registros.size() + 2);
  RecorrerLineasErrores(registros,
                        [&lineas](const std::string& linea) { lineas.push_back(linea); });
  return lineas;
}

const std::string& TextoInicioAnalisis() { return "Iniciando análisis"_cp1252; }
const std::string& TextoAnalisisCorrecto() {
  return "Análisis concluido satisfactoriamente"_cp1252;
}
const std::string& TextoAnalisisConErrores() {
  return "Análisis concluido con errores detectados"_cp1252;
}

namespace {

// Reads a text where it lies: a million-production grammar is tens of megabytes, and an
// istringstream would copy them.
class LecturaDeTexto : public std::streambuf {
 public:
  explicit LecturaDeTexto(const std::string& texto) {
    // The get area is never written through: streambuf only offers non-const pointers.
    char* inicio =
        const_cast<char*>(texto.data());  // NOLINT(cppcoreguidelines-pro-type-const-cast)
    setg(inicio, inicio, inicio + texto.size());
  }
};

}  // namespace

ResultadoAnalisis AnalizarTexto(const std::string& texto, bool conTraza) {
  ResultadoAnalisis resultado;
  SumideroAnalisis recoger;
  if (conTraza)
    recoger = [&lineas = resultado.analisis](const std::string& linea) { lineas.push_back(linea); };
  SumideroTemporal sumidero(std::move(recoger));
  if (conTraza) resultado.analisis.push_back(TextoInicioAnalisis());
  LecturaDeTexto lectura(texto);
  std::istream entrada(&lectura);
  resultado.tabla = AnalizarGramatica(resultado.gramatica, entrada);
  // Handed over, not copied: a grammar full of conflicts has millions of them.
  resultado.registros = listaErrores.Entregar();
  if (conTraza)
    resultado.analisis.push_back(resultado.registros.empty() ? TextoAnalisisCorrecto()
                                                             : TextoAnalisisConErrores());
  return resultado;
}

ResultadoAnalisis LeerTexto(const std::string& texto) {
  ResultadoAnalisis resultado;
  SumideroTemporal sumidero(nullptr);
  LecturaDeTexto lectura(texto);
  std::istream entrada(&lectura);
  listaErrores.Vaciar();
  resultado.gramatica = AnalizadorSintactico().Analizar(entrada);
  resultado.registros = listaErrores.Entregar();
  return resultado;
}
