// quindel-cli: checks a grammar file for the LL(1) property from the command line.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "Ejecucion.h"
#include "Motivo.h"

namespace {

constexpr const char* kSecciones =
    "Secciones de la salida (en este orden, separadas por una línea vacía): --analysis, --errors,\n"
    "--explain, --table y las cadenas de --parse o --parse-file. Sin --analysis, --errors,\n"
    "--explain ni --table se muestran --errors y --table, o solo las cadenas si se pide alguna.\n"
    "Con --json se escribe en su lugar un único documento JSON, y con --transform (que solo\n"
    "admite --raw) la gramática propuesta. El texto sale en UTF-8 salvo con --raw; los ficheros\n"
    "escritos con --html y --save-trace van en Windows-1252 con saltos de línea CR LF, y el de\n"
    "--tree-dot en UTF-8.";

constexpr const char* kCodigos =
    "Códigos de salida: 0 la gramática es LL(1) y se ha construido la tabla sintáctica (y se han\n"
    "aceptado todas las cadenas); 1 la gramática tiene errores; 2 error de uso, o un fichero que\n"
    "no se puede leer o escribir; 3 se ha rechazado alguna cadena; 4 no se puede proponer una\n"
    "gramática. Con --transform, 0 y 1 dicen si la gramática propuesta es LL(1).";

std::string Pie() {
  return std::string(kSecciones) +
         " La gramática y el fichero de --parse-file no pueden pasar\nde " + TextoTamanoMaximo() +
         ".\n\n" + kCodigos;
}

constexpr const char* kPista = "Use --help para ver las opciones.";

// CLI11 writes its help in English; these are the words it looks up by key.
void TraducirAyuda(CLI::App& app) {
  const auto formato = app.get_formatter();
  formato->label("Usage", "Uso");
  formato->label("OPTIONS", "OPCIONES");
  formato->label("Positionals", "Argumentos");
  formato->label("REQUIRED", "OBLIGATORIO");
  formato->label("TEXT", "TEXTO");
  app.option_defaults()->group("Opciones");
  // Added again so that it joins the renamed group.
  app.set_help_flag("-h,--help", "Muestra esta ayuda y termina");
}

void DefinirOpciones(CLI::App& app, OpcionesCli& opciones) {
  TraducirAyuda(app);
  app.add_flag("--analysis", opciones.analisis,
               "Muestra la traza del análisis (la lista «Análisis»)");
  app.add_flag("--errors", opciones.errores, "Muestra la lista de errores (la lista «Errores»)");
  app.add_flag("--table", opciones.tabla,
               "Muestra la tabla sintáctica como una cuadrícula de texto alineada");
  app.add_flag("--json", opciones.json,
               "Escribe un único documento JSON en lugar de las secciones de texto");
  app.add_flag("--raw", opciones.crudo,
               "Escribe los bytes Windows-1252 tal cual, sin pasarlos a UTF-8");
  app.add_option("--html", opciones.rutaHtml, "Guarda la tabla sintáctica como página HTML en RUTA")
      ->type_name("RUTA");
  app.add_option("--save-trace", opciones.rutaTraza,
                 "Guarda el fichero de traza del análisis en RUTA")
      ->type_name("RUTA");
  app.add_option("--parse", opciones.frase,
                 "Reconoce la cadena TEXTO (terminales separados por blancos)")
      ->type_name("TEXTO");
  app.add_option("--parse-file", opciones.rutaFrases,
                 "Reconoce cada línea no vacía de RUTA (Windows-1252) como una cadena")
      ->type_name("RUTA");
  app.add_option("--tree-dot", opciones.rutaDot,
                 "Con --parse, guarda el árbol sintáctico en RUTA (Graphviz DOT)")
      ->type_name("RUTA");
  app.add_flag("--explain", opciones.explicar,
               "Explica los conflictos y la recursividad, y avisa de los símbolos inútiles");
  app.add_flag("--transform", opciones.transformar,
               "Escribe una gramática propuesta sin recursividad por la izquierda y factorizada");
  app.add_option("FICHERO", opciones.fichero,
                 "Fichero de gramática (Windows-1252); - lee la entrada estándar")
      ->required();
  app.set_version_flag("--version", std::string("quindel-cli ") + QUINDEL_VERSION,
                       "Muestra la versión del programa y termina");
  app.footer(Pie());
}

std::string Unir(const std::vector<std::string>& palabras) {
  std::string texto;
  for (const std::string& palabra : palabras) texto += (texto.empty() ? "" : " ") + palabra;
  return texto;
}

// What CLI11 could not place: unknown options, and arguments beyond the one grammar file.
std::string MensajeSobrantes(const std::vector<std::string>& sobrantes) {
  std::vector<std::string> opciones, argumentos;
  for (const std::string& sobrante : sobrantes)
    (sobrante.size() > 1 && sobrante[0] == '-' ? opciones : argumentos).push_back(sobrante);
  std::string mensaje;
  if (!opciones.empty())
    mensaje = (opciones.size() == 1 ? "opción desconocida: " : "opciones desconocidas: ") +
              Unir(opciones);
  if (!argumentos.empty())
    mensaje +=
        (mensaje.empty() ? "" : "; ") +
        std::string(argumentos.size() == 1 ? "sobra el argumento: " : "sobran los argumentos: ") +
        Unir(argumentos) + " (se analiza un solo fichero)";
  return mensaje;
}

// CLI11 gives these errors only as English text; its fixed wording tells the cases apart, and
// anything unforeseen falls through to the generic message.
std::string MensajeArgumentos(const std::string& detalle) {
  const std::string opcion = detalle.substr(0, detalle.find(':'));
  if (detalle.ends_with(" missing")) return "falta la ruta tras " + opcion;
  if (detalle.find(": At Most ") != std::string::npos)
    return "la opción " + opcion + " solo puede aparecer una vez";
  return {};
}

std::string MensajeConversion(const std::string& detalle) {
  const std::string prefijo = "Could not convert: ";
  const std::size_t igual = detalle.find(" = ");
  if (!detalle.starts_with(prefijo) || igual == std::string::npos) return {};
  return "valor no válido para " + detalle.substr(prefijo.size(), igual - prefijo.size()) + ": " +
         detalle.substr(igual + 3);
}

std::string MensajeUso(const CLI::ParseError& error, const CLI::App& app) {
  std::string mensaje;
  if (dynamic_cast<const CLI::ExtrasError*>(&error))
    mensaje = MensajeSobrantes(app.remaining());
  else if (dynamic_cast<const CLI::RequiredError*>(&error))
    mensaje = "falta el fichero de gramática";
  else if (dynamic_cast<const CLI::ArgumentMismatch*>(&error))
    mensaje = MensajeArgumentos(error.what());
  else if (dynamic_cast<const CLI::ConversionError*>(&error))
    mensaje = MensajeConversion(error.what());
  if (mensaje.empty()) mensaje = std::string("argumentos no válidos (") + error.what() + ")";
  return mensaje;
}

// Standard output as it is composed; after the first failure nothing more is tried, and its
// reason is kept to be reported.
class EscrituraSalida {
 public:
  void operator()(std::string_view texto) {
    if (fallo == 0 && std::fwrite(texto.data(), 1, texto.size(), stdout) != texto.size())
      fallo = errno != 0 ? errno : EIO;
  }
  // The reason of the failure, reported on standard error; 0 when everything reached standard
  // output.
  int Terminar() {
    if (fallo == 0 && std::fflush(stdout) != 0) fallo = errno != 0 ? errno : EIO;
    if (fallo != 0)
      std::fprintf(stderr, "quindel-cli: no se puede escribir en la salida estándar: %s\n",
                   MotivoFallo(fallo).c_str());
    return fallo;
  }

 private:
  int fallo = 0;
};

}  // namespace

// Any other exception that escapes is a fault: the runtime's abort reports it.
int main(int argc, char** argv) {  // NOLINT(bugprone-exception-escape)
  CLI::App app{"Comprueba si una gramática libre de contexto cumple la propiedad LL(1).",
               "quindel-cli"};
  OpcionesCli opciones;
  DefinirOpciones(app, opciones);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    // The help and the version reach standard output as any output does, failures reported.
    std::ostringstream texto;
    const int estado = app.exit(e, texto);
    EscrituraSalida salida;
    salida(texto.str());
    return salida.Terminar() == 0 ? estado : kSalidaFallo;
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "quindel-cli: %s\n%s\n", MensajeUso(e, app).c_str(), kPista);
    return kSalidaFallo;
  }
  opciones.conHtml = app.count("--html") > 0;
  opciones.conTraza = app.count("--save-trace") > 0;
  opciones.conFrase = app.count("--parse") > 0;
  opciones.conFrases = app.count("--parse-file") > 0;
  opciones.conDot = app.count("--tree-dot") > 0;
  if (const std::string uso = ErrorDeUso(opciones); !uso.empty()) {
    std::fprintf(stderr, "quindel-cli: %s\n%s\n", uso.c_str(), kPista);
    return kSalidaFallo;
  }

  try {
    EscrituraSalida salida;
    const ResultadoCli resultado =
        EjecutarCli(opciones, [&salida](std::string_view texto) { salida(texto); });
    if (!resultado.error.empty())
      std::fprintf(stderr, "quindel-cli: %s\n", resultado.error.c_str());
    if (salida.Terminar() != 0) return kSalidaFallo;
    // exit() leaves `resultado` alone: the process ends, and the system takes back the grammar
    // at once, where freeing it would take a tenth of the run on large grammars.
    std::exit(resultado.estado);
  } catch (const std::bad_alloc&) {
    // A grammar of thousands of clashing alternatives has millions of errors: running out of
    // memory is a failure of the run, reported as such. The message allocates nothing.
    std::fprintf(stderr, "quindel-cli: memoria insuficiente para procesar %s\n",
                 opciones.fichero == "-" ? "la entrada estándar" : opciones.fichero.c_str());
    return kSalidaFallo;
  }
}
