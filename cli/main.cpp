// quindel-cli: checks a grammar file for the LL(1) property from the command line.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <CLI/CLI.hpp>

#include "Ejecucion.h"

namespace {

constexpr const char* kPie =
    "Output sections (in this order, separated by an empty line): --analysis, --errors, --table;\n"
    "default --errors --table. --json prints one JSON document instead. Text is UTF-8 unless\n"
    "--raw; files written with --html and --save-trace are Windows-1252 with CR LF.\n"
    "\n"
    "Exit status: 0 the grammar is LL(1) and a table was built; 1 the grammar has errors;\n"
    "2 a usage error or a file that cannot be read or written.";

void DefinirOpciones(CLI::App& app, OpcionesCli& opciones) {
  app.add_flag("--analysis", opciones.analisis, "Print the analysis trace (the \"Análisis\" list)");
  app.add_flag("--errors", opciones.errores, "Print the error list (the \"Errores\" list)");
  app.add_flag("--table", opciones.tabla, "Print the parse table as an aligned text grid");
  app.add_flag("--json", opciones.json, "Print one JSON document instead of the text sections");
  app.add_flag("--raw", opciones.crudo, "Print the Windows-1252 bytes as they are, not UTF-8");
  app.add_option("--html", opciones.rutaHtml, "Write the parse table as an HTML page to PATH")
      ->type_name("PATH");
  app.add_option("--save-trace", opciones.rutaTraza, "Write the analysis trace file to PATH")
      ->type_name("PATH");
  app.add_option("FILE", opciones.fichero, "Grammar file (Windows-1252); - reads standard input")
      ->required();
  app.set_version_flag("--version", std::string("quindel-cli ") + QUINDEL_VERSION);
  app.footer(kPie);
}

bool EscribirSalida(const std::string& texto) {
  return std::fwrite(texto.data(), 1, texto.size(), stdout) == texto.size() &&
         std::fflush(stdout) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Checks a context-free grammar file for the LL(1) property.", "quindel-cli"};
  OpcionesCli opciones;
  DefinirOpciones(app, opciones);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kSalidaFallo;
  }
  opciones.conHtml = app.count("--html") > 0;
  opciones.conTraza = app.count("--save-trace") > 0;

  const ResultadoCli resultado = EjecutarCli(opciones);
  if (!resultado.error.empty()) std::fprintf(stderr, "quindel-cli: %s\n", resultado.error.c_str());
  if (!EscribirSalida(resultado.salida)) {
    std::fprintf(stderr, "quindel-cli: cannot write to standard output: %s\n",
                 std::strerror(errno));
    return kSalidaFallo;
  }
  return resultado.estado;
}
