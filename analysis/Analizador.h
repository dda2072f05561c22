// The analysis driver: one call takes a grammar text to its parse table, or to null with the
// errors in listaErrores; and the whole "analyse" command for callers without a window, whose
// result takes the error records over from listaErrores.
#pragma once

#include <functional>
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

// The lines the "Errores" list shows for `registros`: each message, then an empty line and the
// count, or the one line saying there is none. Handed to `linea` one at a time, as they are made:
// the messages of a grammar full of conflicts would take far more memory than its records.
void RecorrerLineasErrores(const std::vector<Error>& registros,
                           const std::function<void(const std::string&)>& linea);
std::vector<std::string> LineasErrores(const std::vector<Error>& registros);

const std::string& TextoInicioAnalisis();      // "Iniciando análisis"
const std::string& TextoAnalisisCorrecto();    // "Análisis concluido satisfactoriamente"
const std::string& TextoAnalisisConErrores();  // "Análisis concluido con errores detectados"

// One whole analysis as the main window runs it on its editor text (CR LF line ends).
struct ResultadoAnalisis {
  std::vector<std::string> analisis;  // the "Análisis" list
  std::vector<Error> registros;       // the errors, in the order found (the "Errores" list)
  std::unique_ptr<CGramatica> gramatica;
  std::unique_ptr<CTablaSintactica> tabla;  // null when errors were found
};
// Without `conTraza` no trace line is made and `analisis` stays empty: the rest is the same.
// listaErrores is left empty: its records are in `registros`.
ResultadoAnalisis AnalizarTexto(const std::string& texto, bool conTraza = true);
// Only the reading: the grammar and the reading errors, without the LL(1) analysis, its trace and
// its table. Enough to propose another grammar, which needs none of the conflicts (a grammar of
// thousands of clashing alternatives has millions).
ResultadoAnalisis LeerTexto(const std::string& texto);
