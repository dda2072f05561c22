#include "Informecadena.h"

#include <cstddef>
#include <unordered_map>
#include <utility>

#include <nlohmann/json.hpp>

#include "Codificacion.h"
#include "Informe.h"
#include "Reconocedor.h"
#include "Simbolos.h"

namespace {

std::string Unir(const std::vector<const CSimbolo*>& simbolos, std::size_t desde) {
  std::string texto;
  for (std::size_t i = desde; i < simbolos.size(); ++i) {
    if (i > desde) texto += ' ';
    texto += simbolos[i]->Nombre();
  }
  return texto;
}

// A Windows-1252 text as a quoted, escaped JSON string, escaped as dump() escapes it.
std::string Cadena(const std::string& texto) {
  return nlohmann::ordered_json(cp1252::AUtf8(texto)).dump();
}

// Writes JSON text in the layout of nlohmann's dump(2): each member or element on a line of its
// own, indented by two blanks per depth, and "[]" or "{}" for an empty one.
class EscritorJson {
 public:
  EscritorJson(std::string& salida, int nivel) : salida(salida), nivel(nivel) {}

  void Abrir(char llave) {
    Elemento();
    salida += llave;
    vacios.push_back(true);
  }
  void Cerrar(char llave) {
    const bool vacio = vacios.back();
    vacios.pop_back();
    if (!vacio) NuevaLinea();
    salida += llave;
  }
  void Clave(std::string_view clave) {
    Elemento();
    salida += '"';
    salida += clave;
    salida += "\": ";
    trasClave = true;
  }
  // A value already written as JSON text.
  void Valor(std::string_view json) {
    Elemento();
    salida += json;
  }
  // The text the next value goes to, for a value written by other means.
  std::string& Texto() {
    Elemento();
    return salida;
  }

 private:
  void Elemento() {
    if (trasClave) {
      trasClave = false;
      return;
    }
    if (vacios.empty()) return;
    if (!vacios.back()) salida += ',';
    vacios.back() = false;
    NuevaLinea();
  }
  void NuevaLinea() {
    salida += '\n';
    salida.append(2 * (static_cast<std::size_t>(nivel) + vacios.size()), ' ');
  }

  std::string& salida;
  int nivel;
  std::vector<bool> vacios;  // per open object or list: nothing in it yet
  bool trasClave = false;
};

// The JSON strings of the symbols' names, made once per symbol.
class NombresJson {
 public:
  const std::string& operator()(const CSimbolo* simbolo) {
    auto [sitio, nuevo] = cache.try_emplace(simbolo);
    if (nuevo) sitio->second = Cadena(simbolo->Nombre());
    return sitio->second;
  }

 private:
  std::unordered_map<const CSimbolo*, std::string> cache;
};

void ListaDeSimbolos(EscritorJson& json, NombresJson& nombres,
                     const std::vector<const CSimbolo*>& simbolos, std::size_t desde) {
  json.Abrir('[');
  for (std::size_t i = desde; i < simbolos.size(); ++i) json.Valor(nombres(simbolos[i]));
  json.Cerrar(']');
}

const char* NombreAccion(AccionPaso accion) {
  switch (accion) {
    case AccionPaso::Expandir:
      return "\"expand\"";
    case AccionPaso::Emparejar:
      return "\"match\"";
    case AccionPaso::Aceptar:
      return "\"accept\"";
    case AccionPaso::Error:
      break;
  }
  return "\"error\"";
}

// The tree in dump()'s compact layout, depth first with a stack of the nodes still to close.
void ArbolJson(std::string& salida, NombresJson& nombres, const Reconocimiento& r) {
  const auto& arbol = r.Arbol();
  if (arbol.empty()) {
    salida += "null";
    return;
  }
  std::unordered_map<const CProduccion*, std::string> producciones;
  struct Abierto {
    int nodo;
    int siguiente;  // the next child to write
  };
  std::vector<Abierto> abiertos;
  int nodo = 0;
  for (;;) {
    const Reconocimiento::Nodo& n = arbol[static_cast<std::size_t>(nodo)];
    salida += "{\"symbol\":";
    salida += nombres(n.simbolo);
    if (n.produccion) {
      auto [sitio, nueva] = producciones.try_emplace(n.produccion);
      if (nueva) sitio->second = Cadena(n.produccion->TextoProduccion());
      salida += ",\"production\":";
      salida += sitio->second;
      salida += ",\"children\":[";
      abiertos.push_back({nodo, 0});
    } else {
      salida += '}';
    }
    // Down to the next child to write, closing the nodes whose children are all written.
    nodo = -1;
    while (!abiertos.empty()) {
      Abierto& abierto = abiertos.back();
      const Reconocimiento::Nodo& padre = arbol[static_cast<std::size_t>(abierto.nodo)];
      if (abierto.siguiente < padre.numHijos) {
        if (abierto.siguiente > 0) salida += ',';
        nodo = padre.primerHijo + abierto.siguiente++;
        break;
      }
      salida += "]}";
      abiertos.pop_back();
    }
    if (nodo < 0) return;
  }
}

std::string EscaparDot(const std::string& utf8) {
  std::string escapado;
  for (const char c : utf8) {
    if (c == '"' || c == '\\') escapado += '\\';
    escapado += c;
  }
  return escapado;
}

}  // namespace

std::vector<std::string> LineasReconocimiento(const Reconocimiento& r) {
  std::vector<std::string> lineas;
  if (!r.Pasos().empty()) {
    std::vector<std::vector<std::string>> filas;
    filas.reserve(r.Pasos().size() + 1);
    filas.push_back({"Pila", "Entrada", "Acción"_cp1252});
    for (const auto& paso : r.Pasos())
      filas.push_back({Unir(r.Pila(paso), 0),
                       Unir(r.Entrada(), static_cast<std::size_t>(paso.entrada)),
                       TextoAccion(r, paso)});
    lineas = AlinearFilas(filas, " | ");
    lineas.emplace_back();
  }
  lineas.push_back(TextoVeredicto(r));
  return lineas;
}

std::string LineaFrase(int linea, const Reconocimiento& r) {
  std::string texto = std::to_string(linea) + ": ";
  if (r.Aceptada()) return texto + "aceptada";
  return texto + "rechazada: " + r.Error()->mensaje + " (posición "_cp1252 +
         std::to_string(r.Error()->posicion) + ")";
}

const std::string& TextoSinTabla() {
  return "No hay tabla sintáctica: la gramática tiene errores."_cp1252;
}

std::vector<FraseFichero> FrasesDeFichero(std::string_view texto) {
  std::vector<FraseFichero> frases;
  int linea = 1;
  std::size_t inicio = 0;
  for (std::size_t i = 0; i <= texto.size(); ++i) {
    if (i < texto.size() && texto[i] != '\r' && texto[i] != '\n') continue;
    const std::string_view contenido = texto.substr(inicio, i - inicio);
    if (contenido.find_first_not_of(" \t") != std::string_view::npos)
      frases.push_back({linea, std::string(contenido)});
    if (i + 1 < texto.size() && texto[i] == '\r' && texto[i + 1] == '\n') ++i;
    inicio = i + 1;
    ++linea;
  }
  return frases;
}

std::string JsonReconocimiento(const Reconocimiento& r, int nivel, int linea) {
  std::string salida;
  EscritorJson json(salida, nivel);
  NombresJson nombres;
  json.Abrir('{');
  if (linea > 0) {
    json.Clave("line");
    json.Valor(std::to_string(linea));
  }
  json.Clave("input");
  json.Abrir('[');
  for (const std::string& nombre : r.Nombres()) json.Valor(Cadena(nombre));
  json.Cerrar(']');
  json.Clave("accepted");
  json.Valor(r.Aceptada() ? "true" : "false");
  json.Clave("error");
  if (const auto& fallo = r.Error()) {
    json.Abrir('{');
    json.Clave("position");
    json.Valor(std::to_string(fallo->posicion));
    json.Clave("found");
    json.Valor(Cadena(fallo->encontrado));
    json.Clave("expected");
    ListaDeSimbolos(json, nombres, fallo->esperados, 0);
    json.Clave("message");
    json.Valor(Cadena(fallo->mensaje));
    json.Cerrar('}');
  } else {
    json.Valor("null");
  }
  json.Clave("steps");
  json.Abrir('[');
  for (const auto& paso : r.Pasos()) {
    json.Abrir('{');
    json.Clave("stack");
    ListaDeSimbolos(json, nombres, r.Pila(paso), 0);
    json.Clave("input");
    ListaDeSimbolos(json, nombres, r.Entrada(), static_cast<std::size_t>(paso.entrada));
    json.Clave("action");
    json.Valor(NombreAccion(paso.accion));
    if (paso.accion == AccionPaso::Expandir) {
      json.Clave("production");
      json.Valor(Cadena(paso.produccion->TextoProduccion()));
    } else if (paso.accion == AccionPaso::Emparejar) {
      json.Clave("terminal");
      json.Valor(nombres(r.Entrada()[static_cast<std::size_t>(paso.entrada)]));
    }
    json.Cerrar('}');
  }
  json.Cerrar(']');
  json.Clave("tree");
  ArbolJson(json.Texto(), nombres, r);
  json.Cerrar('}');
  return salida;
}

std::string JsonLista(const std::vector<std::string>& elementos, int nivel) {
  std::string salida;
  EscritorJson json(salida, nivel);
  json.Abrir('[');
  for (const std::string& elemento : elementos) json.Valor(elemento);
  json.Cerrar(']');
  return salida;
}

void AnadirClaveJson(std::string& documento, std::string_view clave, const std::string& valor) {
  // dump(2) ends an object with a line break and its closing brace.
  documento.resize(documento.size() - 2);
  documento += ",\n  \"";
  documento += clave;
  documento += "\": ";
  documento += valor;
  documento += "\n}";
}

std::string DotArbol(const Reconocimiento& r) {
  const auto& arbol = r.Arbol();
  std::string dot = "digraph arbol {\n  ordering=out;\n";
  for (std::size_t n = 0; n < arbol.size(); ++n) {
    dot += "  n" + std::to_string(n) + " [label=\"" +
           EscaparDot(cp1252::AUtf8(arbol[n].simbolo->Nombre())) + "\"";
    if (arbol[n].paso < 0) dot += ", color=gray60, fontcolor=gray60";
    dot += "];\n";
  }
  for (std::size_t n = 0; n < arbol.size(); ++n)
    for (int h = 0; h < arbol[n].numHijos; ++h)
      dot += "  n" + std::to_string(n) + " -> n" + std::to_string(arbol[n].primerHijo + h) + ";\n";
  dot += "}\n";
  return dot;
}
