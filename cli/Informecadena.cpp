#include "Informecadena.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "Codificacion.h"
#include "Escritorjson.h"
#include "Informe.h"
#include "Reconocedor.h"
#include "Simbolos.h"

namespace {

// The names from `desde` on, separated by blanks.
void AnadirUnidos(std::string& texto, const std::vector<const CSimbolo*>& simbolos,
                  std::size_t desde) {
  for (std::size_t i = desde; i < simbolos.size(); ++i) {
    if (i > desde) texto += ' ';
    texto += simbolos[i]->Nombre();
  }
}

std::size_t AnchoUnidos(const std::vector<const CSimbolo*>& simbolos) {
  std::size_t ancho = simbolos.empty() ? 0 : simbolos.size() - 1;
  for (const CSimbolo* simbolo : simbolos) ancho += simbolo->Nombre().size();
  return ancho;
}

// The width of what remains of the input from each of its positions on (the end included).
std::vector<std::size_t> AnchosRestos(const std::vector<const CSimbolo*>& entrada) {
  std::vector<std::size_t> anchos(entrada.size() + 1, 0);
  for (std::size_t i = entrada.size(); i-- > 0;)
    anchos[i] = entrada[i]->Nombre().size() + (i + 1 < entrada.size() ? 1 + anchos[i + 1] : 0);
  return anchos;
}

// The grid's rows, aligned as AlinearFilas aligns them, without holding more than one.
class FilasPasos {
 public:
  FilasPasos(const Reconocimiento& r, const DestinoLinea& linea)
      : r(r), linea(linea), restos(AnchosRestos(r.Entrada())) {
    anchoPila = kPila.size();
    anchoEntrada = kEntrada.size();
    for (const auto& paso : r.Pasos()) {
      anchoPila = std::max(anchoPila, AnchoUnidos(r.Pila(paso)));
      anchoEntrada = std::max(anchoEntrada, Resto(paso));
    }
  }

  void Cabecera() const {
    std::string fila(kPila);
    Columna(fila, kPila.size(), anchoPila);
    fila += kEntrada;
    Columna(fila, kEntrada.size(), anchoEntrada);
    fila += "Acción"_cp1252;
    linea(fila);
  }

  void Fila(const Reconocimiento::Paso& paso) const {
    const std::string accion = TextoAccion(r, paso);
    std::string fila;
    fila.reserve(anchoPila + anchoEntrada + 2 * kSeparador.size() + accion.size());
    AnadirUnidos(fila, r.Pila(paso), 0);
    Columna(fila, fila.size(), anchoPila);
    const std::size_t inicio = fila.size();
    AnadirUnidos(fila, r.Entrada(), static_cast<std::size_t>(paso.entrada));
    Columna(fila, fila.size() - inicio, anchoEntrada);
    fila += accion;
    linea(fila);
  }

 private:
  static constexpr std::string_view kSeparador = " | ";
  static constexpr std::string_view kPila = "Pila", kEntrada = "Entrada";

  std::size_t Resto(const Reconocimiento::Paso& paso) const {
    return restos[static_cast<std::size_t>(paso.entrada)];
  }
  // Pads a cell `ancho` long to the column's width and closes it.
  static void Columna(std::string& fila, std::size_t ancho, std::size_t anchoColumna) {
    fila.append(anchoColumna - ancho, ' ');
    fila += kSeparador;
  }

  const Reconocimiento& r;
  const DestinoLinea& linea;
  const std::vector<std::size_t> restos;
  std::size_t anchoPila = 0;
  std::size_t anchoEntrada = 0;
};

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

void EscribirLineasReconocimiento(const Reconocimiento& r, const DestinoLinea& linea) {
  if (!r.Pasos().empty()) {
    const FilasPasos filas(r, linea);
    filas.Cabecera();
    for (const auto& paso : r.Pasos()) filas.Fila(paso);
    linea({});
  }
  linea(TextoVeredicto(r));
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
