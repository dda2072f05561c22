// Test helpers: grammar texts from production lines, one whole analysis with its trace,
// errors and table, and UTF-8 expectations turned into Windows-1252 bytes.
#pragma once

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Codificacion.h"
#include "Errores.h"
#include "Tablasintactica.h"

// Failure messages show a code as its number.
inline void PrintTo(CodigoError codigo, std::ostream* salida) {
  *salida << static_cast<int>(codigo);
}

namespace prueba {

// A UTF-8 expectation as the Windows-1252 bytes the program produces.
inline std::string w(const std::string& utf8) { return cp1252::DesdeUtf8(utf8).value(); }

inline std::vector<std::string> w(std::initializer_list<const char*> utf8) {
  std::vector<std::string> lineas;
  for (const char* l : utf8) lineas.push_back(w(l));
  return lineas;
}

// A grammar text; the productions stand on lines 5, 6, ... in the order given.
inline std::string Gramatica(const std::string& terminales, const std::string& noTerminales,
                             const std::string& axioma, std::initializer_list<const char*> prods) {
  std::string texto = "Terminales = { " + terminales + " }\r\nNoTerminales = { " + noTerminales +
                      " }\r\nAxioma = " + axioma + "\r\nProducciones = {\r\n";
  for (const char* p : prods) texto += std::string(p) + "\r\n";
  return texto + "}\r\n";
}

struct Analisis {
  std::vector<std::string> traza;    // the LL(1) analysis lines only
  std::vector<std::string> errores;  // every error message
  std::vector<CodigoError> codigos;
  std::vector<Error> registros;
  std::unique_ptr<CGramatica> gramatica;
  std::unique_ptr<CTablaSintactica> tabla;

  CSimboloNoTerminal* Nt(const std::string& nombre) const {
    return gramatica->BuscarNoTerminal(nombre);
  }
  // The text of the table cell for row `fila` and the terminal named `columna` ("-" if empty).
  std::string Celda(const std::string& fila, const std::string& columna) const {
    for (unsigned f = 0; tabla->Fila(f); ++f) {
      if (tabla->Fila(f)->Nombre() != fila) continue;
      for (unsigned c = 0; tabla->Columna(c); ++c)
        if (tabla->Columna(c)->Nombre() == columna) {
          const CProduccion* p = tabla->Celda(f, c);
          return p ? p->TextoProduccion() : "-";
        }
    }
    return "?";
  }
};

inline Analisis Analizar(const std::string& texto) {
  ResultadoAnalisis r = AnalizarTexto(texto);
  Analisis a;
  // "Iniciando análisis", the driver's three lines ... the empty line, the closing line.
  if (r.analisis.size() >= 6 && r.analisis[1] == w("Lectura del fichero realizada con éxito"))
    a.traza.assign(r.analisis.begin() + 4, r.analisis.end() - 2);
  for (const Error& error : r.registros) {
    a.errores.push_back(error.Mensaje());
    a.codigos.push_back(error.Codigo());
  }
  a.registros = std::move(r.registros);
  a.gramatica = std::move(r.gramatica);
  a.tabla = std::move(r.tabla);
  return a;
}

}  // namespace prueba
