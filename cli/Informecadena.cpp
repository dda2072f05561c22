#include "Informecadena.h"

#include <cstddef>
#include <utility>

#include "Codificacion.h"
#include "Escritorjson.h"
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

void ListaDeSimbolos(EscritorJson& json, TextosJson& textos,
                     const std::vector<const CSimbolo*>& simbolos, std::size_t desde) {
  json.Abrir('[');
  for (std::size_t i = desde; i < simbolos.size(); ++i) json.Valor(textos(simbolos[i]));
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
void ArbolJson(EscritorJson& json, TextosJson& textos, const Reconocimiento& r) {
  const auto& arbol = r.Arbol();
  if (arbol.empty()) {
    json.Nulo();
    return;
  }
  struct Abierto {
    int nodo;
    int siguiente;  // the next child to write
  };
  std::vector<Abierto> abiertos;
  json.Valor("");  // the tree is one value, its pieces follow
  int nodo = 0;
  for (;;) {
    const Reconocimiento::Nodo& n = arbol[static_cast<std::size_t>(nodo)];
    json.Seguir("{\"symbol\":");
    json.Seguir(textos(n.simbolo));
    if (n.produccion) {
      json.Seguir(",\"production\":");
      json.Seguir(textos(n.produccion));
      json.Seguir(",\"children\":[");
      abiertos.push_back({nodo, 0});
    } else {
      json.Seguir("}");
    }
    // Down to the next child to write, closing the nodes whose children are all written.
    nodo = -1;
    while (!abiertos.empty()) {
      Abierto& abierto = abiertos.back();
      const Reconocimiento::Nodo& padre = arbol[static_cast<std::size_t>(abierto.nodo)];
      if (abierto.siguiente < padre.numHijos) {
        if (abierto.siguiente > 0) json.Seguir(",");
        nodo = padre.primerHijo + abierto.siguiente++;
        break;
      }
      json.Seguir("]}");
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

void EscribirReconocimiento(EscritorJson& json, const Reconocimiento& r, int linea) {
  TextosJson textos;
  json.Abrir('{');
  if (linea > 0) {
    json.Clave("line");
    json.Entero(linea);
  }
  json.Clave("input");
  json.Abrir('[');
  for (const std::string& nombre : r.Nombres()) json.Cadena(nombre);
  json.Cerrar(']');
  json.Clave("accepted");
  json.Logico(r.Aceptada());
  json.Clave("error");
  if (const auto& fallo = r.Error()) {
    json.Abrir('{');
    json.Clave("position");
    json.Entero(fallo->posicion);
    json.Clave("found");
    json.Cadena(fallo->encontrado);
    json.Clave("expected");
    ListaDeSimbolos(json, textos, fallo->esperados, 0);
    json.Clave("message");
    json.Cadena(fallo->mensaje);
    json.Cerrar('}');
  } else {
    json.Nulo();
  }
  json.Clave("steps");
  json.Abrir('[');
  for (const auto& paso : r.Pasos()) {
    json.Abrir('{');
    json.Clave("stack");
    ListaDeSimbolos(json, textos, r.Pila(paso), 0);
    json.Clave("input");
    ListaDeSimbolos(json, textos, r.Entrada(), static_cast<std::size_t>(paso.entrada));
    json.Clave("action");
    json.Valor(NombreAccion(paso.accion));
    if (paso.accion == AccionPaso::Expandir) {
      json.Clave("production");
      json.Valor(textos(paso.produccion));
    } else if (paso.accion == AccionPaso::Emparejar) {
      json.Clave("terminal");
      json.Valor(textos(r.Entrada()[static_cast<std::size_t>(paso.entrada)]));
    }
    json.Cerrar('}');
  }
  json.Cerrar(']');
  json.Clave("tree");
  ArbolJson(json, textos, r);
  json.Cerrar('}');
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
