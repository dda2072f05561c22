#include "Reconocedor.h"

#include "Cgramatica.h"
#include "Codificacion.h"
#include "Simbolos.h"
#include "Tablasintactica.h"

namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::vector<std::string> Separar(std::string_view frase) {
  std::vector<std::string> nombres;
  std::size_t i = 0;
  while (i < frase.size()) {
    while (i < frase.size() && EsBlanco(frase[i])) ++i;
    const std::size_t inicio = i;
    while (i < frase.size() && !EsBlanco(frase[i])) ++i;
    if (i > inicio) nombres.emplace_back(frase.substr(inicio, i - inicio));
  }
  return nombres;
}

// Row or column of a symbol in the table: rows and columns stand in name order, which is the
// symbols' own index; a symbol the table does not have gets -1.
template <class Leer>
int Posicion(const CSimbolo* simbolo, unsigned cuantos, Leer leer) {
  const int indice = simbolo->Indice();
  if (indice >= 0 && static_cast<unsigned>(indice) < cuantos &&
      leer(static_cast<unsigned>(indice)) == simbolo)
    return indice;
  for (unsigned i = 0; i < cuantos; ++i)
    if (leer(i) == simbolo) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::vector<const CSimbolo*> Reconocimiento::Pila(const Paso& paso) const {
  std::vector<const CSimbolo*> pila;
  for (int celda = paso.cima; celda >= 0; celda = celdas[celda].debajo)
    pila.push_back(celdas[celda].simbolo);
  return {pila.rbegin(), pila.rend()};
}

Reconocimiento Reconocer(const CGramatica& gramatica, const CTablaSintactica& tabla,
                         std::string_view frase) {
  Reconocimiento r;
  r.nombres = Separar(frase);
  const CSimbolo* fin = gramatica.BuscarSimbolo(NombreFinCadena());
  for (std::size_t i = 0; i < r.nombres.size(); ++i) {
    const CSimbolo* terminal = gramatica.Terminales().Buscar(r.nombres[i]);
    if (!terminal || terminal == fin) {
      r.entrada.clear();
      r.fallo = Reconocimiento::Fallo{
          static_cast<int>(i) + 1,
          r.nombres[i],
          {},
          "el símbolo "_cp1252 + r.nombres[i] + " no es un terminal de la gramática"_cp1252};
      return r;
    }
    r.entrada.push_back(terminal);
  }
  r.entrada.push_back(fin);

  const auto fila = [&](const CSimbolo* x) {
    return Posicion(x, tabla.NumFilas(),
                    [&](unsigned i) -> const CSimbolo* { return tabla.Fila(i); });
  };
  const auto columna = [&](const CSimbolo* a) {
    return Posicion(a, tabla.NumColumnas(), [&](unsigned i) { return tabla.Columna(i); });
  };

  // The stack starts with the end-of-input terminal and the axiom on top of it.
  r.celdas.push_back({fin, -1, -1});
  r.arbol.push_back({gramatica.Axioma(), nullptr, -1, -1, 0, -1});
  r.celdas.push_back({gramatica.Axioma(), 0, 0});
  int cima = 1;
  int actual = 0;
  for (;;) {
    const Reconocimiento::Celda tope = r.celdas[cima];
    const CSimbolo* a = r.entrada[actual];
    Reconocimiento::Paso paso{AccionPaso::Error, cima, actual, tope.nodo, nullptr};
    const int pasoActual = static_cast<int>(r.pasos.size());
    if (tope.simbolo == fin && a == fin) {
      paso.accion = AccionPaso::Aceptar;
      r.pasos.push_back(paso);
      r.aceptada = true;
      break;
    }
    if (tope.simbolo->EsTerminal()) {
      if (tope.simbolo == a) {
        paso.accion = AccionPaso::Emparejar;
        r.pasos.push_back(paso);
        r.arbol[tope.nodo].paso = pasoActual;
        cima = tope.debajo;
        ++actual;
        continue;
      }
    } else {
      const int f = fila(tope.simbolo);
      const int c = columna(a);
      const CProduccion* produccion =
          f >= 0 && c >= 0 ? tabla.Celda(static_cast<unsigned>(f), static_cast<unsigned>(c))
                           : nullptr;
      if (produccion) {
        paso.accion = AccionPaso::Expandir;
        paso.produccion = produccion;
        r.pasos.push_back(paso);
        // The children are made in order; the first right-side symbol ends on top.
        const int primero = static_cast<int>(r.arbol.size());
        int hijos = 0;
        for (const CSimbolo* simbolo : produccion->Consecuente()) {
          if (!simbolo) continue;  // lambda
          r.arbol.push_back({simbolo, nullptr, tope.nodo, -1, 0, -1});
          ++hijos;
        }
        Reconocimiento::Nodo& nodo = r.arbol[tope.nodo];
        nodo.produccion = produccion;
        nodo.paso = pasoActual;
        nodo.primerHijo = hijos > 0 ? primero : -1;
        nodo.numHijos = hijos;
        cima = tope.debajo;
        for (int h = primero + hijos - 1; h >= primero; --h) {
          r.celdas.push_back({r.arbol[h].simbolo, h, cima});
          cima = static_cast<int>(r.celdas.size()) - 1;
        }
        continue;
      }
    }
    // Neither a production for the pair nor the terminal expected.
    Reconocimiento::Fallo fallo;
    fallo.posicion = actual + 1;
    fallo.encontrado = a->Nombre();
    if (tope.simbolo->EsTerminal()) {
      fallo.esperados.push_back(tope.simbolo);
    } else if (const int f = fila(tope.simbolo); f >= 0) {
      for (unsigned c = 0; c < tabla.NumColumnas(); ++c)
        if (tabla.Celda(static_cast<unsigned>(f), c)) fallo.esperados.push_back(tabla.Columna(c));
    }
    std::string lista = " {";
    for (const CSimbolo* e : fallo.esperados) lista += " " + e->Nombre();
    lista += " }";
    fallo.mensaje = "se esperaba uno de"_cp1252 + lista + " y se encontró "_cp1252 + a->Nombre();
    r.pasos.push_back(paso);
    r.fallo = std::move(fallo);
    break;
  }
  return r;
}

std::string TextoVeredicto(const Reconocimiento& r) {
  if (r.Aceptada()) return "Cadena aceptada.";
  const auto& fallo = *r.Error();
  return "Cadena rechazada: " + fallo.mensaje + " (posición "_cp1252 +
         std::to_string(fallo.posicion) + ").";
}

std::string TextoAccion(const Reconocimiento& r, const Reconocimiento::Paso& paso) {
  switch (paso.accion) {
    case AccionPaso::Expandir:
      return paso.produccion->TextoProduccion();
    case AccionPaso::Emparejar:
      return "emparejar " + r.Entrada()[static_cast<std::size_t>(paso.entrada)]->Nombre();
    case AccionPaso::Aceptar:
      return "aceptar";
    case AccionPaso::Error:
      break;
  }
  return r.Error() ? r.Error()->mensaje : std::string();
}
