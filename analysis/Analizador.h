// The analysis driver: one call takes a grammar text to its parse table, or to null with the
// errors in listaErrores; and the whole "analyse" command for callers without a window, whose
// result carries its own copy of the error records.
#pragma once

#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "Cgramatica.h"
#include "Errores.h"
#include "Tablasintactica.h"

// Replaces `gramatica` by the grammar read from `entrada`; the table when no error was found.
std::unique_ptr<CTablaSintactica> AnalizarGramatica(std::unique_ptr<CGramatica>& gramatica,
                                                    std::istream& entrada);

// The lines the "Errores" list shows for listaErrores.
std::vector<std::string> LineasErrores();

const std::string& TextoInicioAnalisis();      // "Iniciando análisis"
const std::string& TextoAnalisisCorrecto();    // "Análisis concluido satisfactoriamente"
const std::string& TextoAnalisisConErrores();  // "Análisis concluido con errores detectados"

// One whole analysis as the main window runs it on its editor text (CR LF line ends).
struct ResultadoAnalisis {
  std::vector<std::string> analisis;  // the "Análisis" list
  std::vector<std::string> errores;   // the "Errores" list
  std::vector<Error> registros;       // the error records behind it, in the order found
  std::unique_ptr<CGramatica> gramatica;
  std::unique_ptr<CTablaSintactica> tabla;  // null when errors were found
};
// Without `conTraza` no trace line is made and `analisis` stays empty: the rest is the same.
ResultadoAnalisis AnalizarTexto(const std::string& texto, bool conTraza = true);
