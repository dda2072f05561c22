#include "Informe.h"

#include <algorithm>
#include <cstddef>

#include "Analizador.h"
#include "Avisos.h"
#include "Cgramatica.h"
#include "Codificacion.h"
#include "Conjuntosexactos.h"
#include "Errores.h"
#include "Explicacion.h"
#include "Informeexplicacion.h"
#include "Simbolos.h"
#include "Tablasintactica.h"

namespace {

using Json = nlohmann::ordered_json;

const std::string& TextoCeldaVacia() {
  static const std::string guion = "-";
  return guion;
}

std::string TextoCelda(const CProduccion* produccion) {
  return produccion ? produccion->TextoProduccion() : TextoCeldaVacia();
}

}  // namespace

// Each Windows-1252 byte is one character on screen, and so is its UTF-8 form: padding by
// bytes here aligns the columns in both encodings.
std::vector<std::string> AlinearFilas(const std::vector<std::vector<std::string>>& filas,
                                      std::string_view separador) {
  std::vector<std::size_t> anchos;
  for (const auto& fila : filas) {
    anchos.resize(std::max(anchos.size(), fila.size()), 0);
    for (std::size_t c = 0; c < fila.size(); ++c) anchos[c] = std::max(anchos[c], fila[c].size());
  }
  std::vector<std::string> lineas;
  lineas.reserve(filas.size());
  for (const auto& fila : filas) {
    std::string linea;
    for (std::size_t c = 0; c < fila.size(); ++c) {
      linea += fila[c];
      if (c + 1 < fila.size()) {
        linea.append(anchos[c] - fila[c].size(), ' ');
        linea += separador;
      }
    }
    lineas.push_back(std::move(linea));
  }
  return lineas;
}

namespace {

void AnadirSeccion(std::string& salida, bool& primera, const std::vector<std::string>& lineas,
                   bool crudo) {
  if (!primera) salida += '\n';
  primera = false;
  for (const std::string& linea : lineas) {
    salida += crudo ? linea : cp1252::AUtf8(linea);
    salida += '\n';
  }
}

std::string Utf8(const std::string& texto) { return cp1252::AUtf8(texto); }

Json Nombres(const ConjuntoSimbolos& conjunto) {
  Json nombres = Json::array();
  for (const PSimbolo& simbolo : conjunto) nombres.push_back(Utf8(simbolo->Nombre()));
  return nombres;
}

Json Lineas(const std::vector<std::string>& lineas) {
  Json array = Json::array();
  for (const std::string& linea : lineas) array.push_back(Utf8(linea));
  return array;
}

bool LecturaSinErrores(const std::vector<Error>& registros) {
  return std::none_of(registros.begin(), registros.end(),
                      [](const Error& error) { return error.Codigo() < kPrimerCodigoLL1; });
}

Json ErroresJson(const std::vector<Error>& registros) {
  Json errores = Json::array();
  for (const Error& error : registros) {
    errores.push_back({{"code", static_cast<int>(error.Codigo())},
                       {"symbol", Utf8(error.Simbolo())},
                       {"line1", error.Linea1()},
                       {"line2", error.Linea2()},
                       {"message", Utf8(error.Mensaje())}});
  }
  return errores;
}

// A lambda production's right side is its one null entry; it lists no symbol.
Json LadoDerecho(const CProduccion& produccion) {
  Json simbolos = Json::array();
  for (const CSimbolo* simbolo : produccion.Consecuente())
    if (simbolo) simbolos.push_back(Utf8(simbolo->Nombre()));
  return simbolos;
}

Json ProduccionJson(const CProduccion& produccion, const ConjuntosExactos* exactos) {
  Json json = {{"line", produccion.Linea()},
               {"text", Utf8(produccion.TextoProduccion())},
               {"rhs", LadoDerecho(produccion)}};
  if (exactos) {
    json["nullable"] = exactos->Anulable(produccion);
    json["first"] = Nombres(exactos->First(produccion));
  }
  return json;
}

Json NoTerminalJson(const CSimboloNoTerminal& simbolo, const ConjuntosExactos* exactos) {
  Json json = {
      {"name", Utf8(simbolo.Nombre())}, {"line", simbolo.Linea()}, {"axiom", simbolo.EsAxioma()}};
  if (exactos) {
    json["nullable"] = exactos->Anulable(simbolo);
    json["first"] = Nombres(exactos->First(simbolo));
    json["follow"] = Nombres(exactos->Follow(simbolo));
  }
  Json producciones = Json::array();
  for (const auto& produccion : simbolo.Producciones())
    producciones.push_back(ProduccionJson(*produccion, exactos));
  json["productions"] = std::move(producciones);
  return json;
}

Json TablaJson(const CTablaSintactica* tabla) {
  if (!tabla) return nullptr;
  Json columnas = Json::array();
  for (unsigned c = 0; c < tabla->NumColumnas(); ++c)
    columnas.push_back(Utf8(tabla->Columna(c)->Nombre()));
  Json filas = Json::array();
  for (unsigned f = 0; f < tabla->NumFilas(); ++f) {
    Json celdas = Json::array();
    for (unsigned c = 0; c < tabla->NumColumnas(); ++c) {
      const CProduccion* produccion = tabla->Celda(f, c);
      if (produccion)
        celdas.push_back(Utf8(produccion->TextoProduccion()));
      else
        celdas.push_back(nullptr);
    }
    filas.push_back({{"name", Utf8(tabla->Fila(f)->Nombre())}, {"cells", std::move(celdas)}});
  }
  return {{"columns", std::move(columnas)}, {"rows", std::move(filas)}};
}

}  // namespace

std::vector<std::string> LineasTabla(const CTablaSintactica& tabla) {
  std::vector<std::vector<std::string>> filas;
  filas.reserve(tabla.NumFilas() + 1);
  std::vector<std::string> cabecera{std::string()};
  for (unsigned c = 0; c < tabla.NumColumnas(); ++c) cabecera.push_back(tabla.Columna(c)->Nombre());
  filas.push_back(std::move(cabecera));
  for (unsigned f = 0; f < tabla.NumFilas(); ++f) {
    std::vector<std::string> fila{tabla.Fila(f)->Nombre()};
    for (unsigned c = 0; c < tabla.NumColumnas(); ++c)
      fila.push_back(TextoCelda(tabla.Celda(f, c)));
    filas.push_back(std::move(fila));
  }
  return AlinearFilas(filas, "  ");
}

std::string TextoInforme(const ResultadoAnalisis& resultado, const SeleccionInforme& seleccion) {
  std::string salida;
  bool primera = true;
  if (seleccion.analisis) AnadirSeccion(salida, primera, resultado.analisis, seleccion.crudo);
  if (seleccion.errores) AnadirSeccion(salida, primera, resultado.errores, seleccion.crudo);
  if (seleccion.explicaciones)
    if (const auto lineas = LineasSeccionExplicaciones(resultado); !lineas.empty())
      AnadirSeccion(salida, primera, lineas, seleccion.crudo);
  if (seleccion.tabla && resultado.tabla)
    AnadirSeccion(salida, primera, LineasTabla(*resultado.tabla), seleccion.crudo);
  if (seleccion.reconocimiento && !seleccion.reconocimiento->empty())
    AnadirSeccion(salida, primera, *seleccion.reconocimiento, seleccion.crudo);
  return salida;
}

Json DocumentoJson(const ResultadoAnalisis& resultado, const std::string& fichero) {
  // Room for every key first: growing the list of keys would copy the values already in it
  // (a key is const, so moving a member might throw, and the vector copies instead).
  Json documento = Json::object();
  documento.get_ref<Json::object_t&>().reserve(9);
  documento["file"] = Utf8(fichero);
  documento["ll1"] = resultado.tabla != nullptr;
  documento["errors"] = ErroresJson(resultado.registros);
  documento["analysis"] = Lineas(resultado.analisis);
  Json terminales = Json::array();
  Json noTerminales = Json::array();
  if (resultado.gramatica) {
    const CGramatica& gramatica = *resultado.gramatica;
    const ConjuntosExactos* exactos =
        LecturaSinErrores(resultado.registros) ? &gramatica.Exactos() : nullptr;
    terminales = Nombres(gramatica.Terminales());
    for (const PSimbolo& simbolo : gramatica.NoTerminales())
      noTerminales.push_back(NoTerminalJson(
          *static_cast<const CSimboloNoTerminal*>(static_cast<CSimbolo*>(simbolo)), exactos));
  }
  documento["terminals"] = std::move(terminales);
  documento["nonterminals"] = std::move(noTerminales);
  documento["table"] = TablaJson(resultado.tabla.get());
  if (resultado.gramatica && LecturaSinErrores(resultado.registros)) {
    documento["explanations"] = ExplicacionesJson(Explicar(resultado));
    documento["warnings"] = AvisosJson(BuscarAvisos(resultado));
  }
  return documento;
}
