#include "Informe.h"

#include <algorithm>
#include <cstddef>

#include "Analizador.h"
#include "Avisos.h"
#include "Cgramatica.h"
#include "Codificacion.h"
#include "Conjuntosexactos.h"
#include "Errores.h"
#include "Escritorjson.h"
#include "Explicacion.h"
#include "Informeexplicacion.h"
#include "Simbolos.h"
#include "Tablasintactica.h"

namespace {

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

// The text of the sections on its way to the destination, in blocks of about kBloque bytes, and
// the separator a section puts before its first line when another came before it.
class Secciones {
 public:
  Secciones(const DestinoTexto& destino, bool crudo) : destino(destino), crudo(crudo) {}
  Secciones(const Secciones&) = delete;
  Secciones& operator=(const Secciones&) = delete;

  void Empezar() { vacia = true; }
  void operator()(const std::string& linea) {
    if (vacia && alguna) bloque += '\n';
    vacia = false;
    alguna = true;
    bloque += crudo ? linea : cp1252::AUtf8(linea);
    bloque += '\n';
    if (bloque.size() >= kBloque) Vaciar();
  }
  void Vaciar() {
    if (!bloque.empty()) destino(bloque);
    bloque.clear();
  }

 private:
  static constexpr std::size_t kBloque = std::size_t{1} << 16;
  const DestinoTexto& destino;
  const bool crudo;
  std::string bloque;
  bool alguna = false;  // a line of an earlier section was written
  bool vacia = true;    // the current section has no line yet
};

void AnadirSeccion(Secciones& secciones, const std::vector<std::string>& lineas) {
  secciones.Empezar();
  for (const std::string& linea : lineas) secciones(linea);
}

void Nombres(EscritorJson& json, TextosJson& textos, const ConjuntoSimbolos& conjunto) {
  json.Abrir('[');
  for (const PSimbolo& simbolo : conjunto) json.Valor(textos(simbolo));
  json.Cerrar(']');
}

void Lineas(EscritorJson& json, const std::vector<std::string>& lineas) {
  json.Abrir('[');
  for (const std::string& linea : lineas) json.Cadena(linea);
  json.Cerrar(']');
}

bool LecturaSinErrores(const std::vector<Error>& registros) {
  return std::none_of(registros.begin(), registros.end(),
                      [](const Error& error) { return error.Codigo() < kPrimerCodigoLL1; });
}

void ErroresJson(EscritorJson& json, const std::vector<Error>& registros) {
  json.Abrir('[');
  for (const Error& error : registros) {
    json.Abrir('{');
    json.Clave("code");
    json.Entero(static_cast<int>(error.Codigo()));
    json.Clave("symbol");
    json.Cadena(error.Simbolo());
    json.Clave("line1");
    json.Entero(error.Linea1());
    json.Clave("line2");
    json.Entero(error.Linea2());
    json.Clave("message");
    json.Cadena(error.Mensaje());
    json.Cerrar('}');
  }
  json.Cerrar(']');
}

// A lambda production's right side is its one null entry; it lists no symbol.
void LadoDerecho(EscritorJson& json, TextosJson& textos, const CProduccion& produccion) {
  json.Abrir('[');
  for (const CSimbolo* simbolo : produccion.Consecuente())
    if (simbolo) json.Valor(textos(simbolo));
  json.Cerrar(']');
}

void ProduccionJson(EscritorJson& json, TextosJson& textos, const CProduccion& produccion,
                    const ConjuntosExactos* exactos) {
  json.Abrir('{');
  json.Clave("line");
  json.Entero(produccion.Linea());
  json.Clave("text");
  json.Valor(textos(&produccion));
  json.Clave("rhs");
  LadoDerecho(json, textos, produccion);
  if (exactos) {
    json.Clave("nullable");
    json.Logico(exactos->Anulable(produccion));
    json.Clave("first");
    Nombres(json, textos, exactos->First(produccion));
  }
  json.Cerrar('}');
}

void NoTerminalJson(EscritorJson& json, TextosJson& textos, const CSimboloNoTerminal& simbolo,
                    const ConjuntosExactos* exactos) {
  json.Abrir('{');
  json.Clave("name");
  json.Valor(textos(&simbolo));
  json.Clave("line");
  json.Entero(simbolo.Linea());
  json.Clave("axiom");
  json.Logico(simbolo.EsAxioma());
  if (exactos) {
    json.Clave("nullable");
    json.Logico(exactos->Anulable(simbolo));
    json.Clave("first");
    Nombres(json, textos, exactos->First(simbolo));
    json.Clave("follow");
    Nombres(json, textos, exactos->Follow(simbolo));
  }
  json.Clave("productions");
  json.Abrir('[');
  for (const auto& produccion : simbolo.Producciones())
    ProduccionJson(json, textos, *produccion, exactos);
  json.Cerrar(']');
  json.Cerrar('}');
}

void TablaJson(EscritorJson& json, TextosJson& textos, const CTablaSintactica* tabla) {
  if (!tabla) {
    json.Nulo();
    return;
  }
  json.Abrir('{');
  json.Clave("columns");
  json.Abrir('[');
  for (unsigned c = 0; c < tabla->NumColumnas(); ++c) json.Valor(textos(tabla->Columna(c)));
  json.Cerrar(']');
  json.Clave("rows");
  json.Abrir('[');
  for (unsigned f = 0; f < tabla->NumFilas(); ++f) {
    json.Abrir('{');
    json.Clave("name");
    json.Valor(textos(tabla->Fila(f)));
    json.Clave("cells");
    json.Abrir('[');
    for (unsigned c = 0; c < tabla->NumColumnas(); ++c) {
      if (const CProduccion* produccion = tabla->Celda(f, c))
        json.Valor(textos(produccion));
      else
        json.Nulo();
    }
    json.Cerrar(']');
    json.Cerrar('}');
  }
  json.Cerrar(']');
  json.Cerrar('}');
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

void EscribirInforme(const ResultadoAnalisis& resultado, const SeleccionInforme& seleccion,
                     const DestinoTexto& destino) {
  Secciones secciones(destino, seleccion.crudo);
  if (seleccion.analisis) AnadirSeccion(secciones, resultado.analisis);
  if (seleccion.errores) {
    secciones.Empezar();
    RecorrerLineasErrores(resultado.registros,
                          [&secciones](const std::string& linea) { secciones(linea); });
  }
  if (seleccion.explicaciones) AnadirSeccion(secciones, LineasSeccionExplicaciones(resultado));
  if (seleccion.tabla && resultado.tabla) AnadirSeccion(secciones, LineasTabla(*resultado.tabla));
  if (seleccion.reconocimiento) {
    secciones.Empezar();
    seleccion.reconocimiento([&secciones](const std::string& linea) { secciones(linea); });
  }
  secciones.Vaciar();
}

void EscribirAnalisisJson(EscritorJson& json, const ResultadoAnalisis& resultado,
                          const std::string& fichero) {
  TextosJson textos;
  json.Clave("file");
  json.Cadena(fichero);
  json.Clave("ll1");
  json.Logico(resultado.tabla != nullptr);
  json.Clave("errors");
  ErroresJson(json, resultado.registros);
  json.Clave("analysis");
  Lineas(json, resultado.analisis);
  const bool leida = LecturaSinErrores(resultado.registros);
  const ConjuntosExactos* exactos =
      resultado.gramatica && leida ? &resultado.gramatica->Exactos() : nullptr;
  json.Clave("terminals");
  json.Abrir('[');
  if (resultado.gramatica)
    for (const PSimbolo& simbolo : resultado.gramatica->Terminales()) json.Valor(textos(simbolo));
  json.Cerrar(']');
  json.Clave("nonterminals");
  json.Abrir('[');
  if (resultado.gramatica)
    for (const PSimbolo& simbolo : resultado.gramatica->NoTerminales())
      NoTerminalJson(json, textos,
                     *static_cast<const CSimboloNoTerminal*>(static_cast<CSimbolo*>(simbolo)),
                     exactos);
  json.Cerrar(']');
  json.Clave("table");
  TablaJson(json, textos, resultado.tabla.get());
  if (resultado.gramatica && leida) {
    json.Clave("explanations");
    EscribirExplicaciones(json, Explicar(resultado));
    json.Clave("warnings");
    EscribirAvisos(json, BuscarAvisos(resultado));
  }
}
