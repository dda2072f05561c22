#include "Ejecucion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Codificacion.h"
#include "Escritorjson.h"
#include "Escritura.h"
#include "Informe.h"
#include "Informecadena.h"
#include "Informeexplicacion.h"
#include "Mostraranalisis.h"
#include "Motivo.h"
#include "Reconocedor.h"
#include "Tablasintactica.h"
#include "Tamanomaximo.h"
#include "Transformacion.h"

namespace {

// Why an input is refused when it holds more than kTamanoMaximoTexto bytes; errno never takes it.
constexpr int kDemasiadoGrande = -1;

// The bytes of `fd` to its end: 0, kDemasiadoGrande or the errno of the failure. A regular file
// too large is refused from its size, before a byte is read.
int LeerDescriptor(int fd, std::string& texto) {
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      static_cast<std::size_t>(info.st_size) > kTamanoMaximoTexto)
    return kDemasiadoGrande;
  char bloque[65536];
  for (;;) {
    const ssize_t leidos = read(fd, bloque, sizeof bloque);
    if (leidos == 0) return 0;
    if (leidos < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (texto.size() + static_cast<std::size_t>(leidos) > kTamanoMaximoTexto)
      return kDemasiadoGrande;
    texto.append(bloque, static_cast<std::size_t>(leidos));
  }
}

// The bytes of the grammar file as they are; "-" is standard input.
bool LeerEntrada(const std::string& ruta, std::string& texto, std::string& error) {
  const int fd = ruta == "-" ? STDIN_FILENO : open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
  const int codigo = fd < 0 ? errno : LeerDescriptor(fd, texto);
  if (fd >= 0 && fd != STDIN_FILENO) close(fd);
  if (codigo == 0) return true;
  error =
      "no se puede leer " + (ruta == "-" ? std::string("la entrada estándar") : ruta) + ": " +
      (codigo == kDemasiadoGrande ? "tiene más de " + TextoTamanoMaximo() + ", el máximo admitido"
                                  : MotivoFallo(codigo));
  return false;
}

// The grammar and the sentences are read whole before anything is written, so an output over
// one of them would silently replace it.
bool NoPisaEntradas(const OpcionesCli& opciones, std::string& error) {
  const std::pair<const char*, const std::string*> salidas[] = {
      {"--html", opciones.conHtml ? &opciones.rutaHtml : nullptr},
      {"--save-trace", opciones.conTraza ? &opciones.rutaTraza : nullptr},
      {"--tree-dot", opciones.conDot ? &opciones.rutaDot : nullptr}};
  const std::pair<const char*, const std::string*> entradas[] = {
      {"la gramática", &opciones.fichero},
      {"--parse-file", opciones.conFrases ? &opciones.rutaFrases : nullptr}};
  for (const auto& [opcion, salida] : salidas) {
    for (const auto& [entrada, ruta] : entradas) {
      if (salida && ruta && PisaEntrada(*salida, *ruta)) {
        error = std::string(opcion) + " indica el mismo fichero que " + entrada + ": " + *salida;
        return false;
      }
    }
  }
  return true;
}

bool ComprobarRutas(const OpcionesCli& opciones, std::string& error) {
  if ((opciones.conHtml && opciones.rutaHtml.empty()) ||
      (opciones.conTraza && opciones.rutaTraza.empty())) {
    error = "--html y --save-trace necesitan un nombre de fichero";
    return false;
  }
  if (opciones.conHtml && opciones.conTraza &&
      MismoFichero(opciones.rutaHtml, opciones.rutaTraza)) {
    error = "--html y --save-trace indican el mismo fichero: " + opciones.rutaHtml;
    return false;
  }
  if ((opciones.conDot && opciones.rutaDot.empty()) ||
      (opciones.conFrases && opciones.rutaFrases.empty())) {
    error =
        std::string(opciones.conDot && opciones.rutaDot.empty() ? "--tree-dot" : "--parse-file") +
        " necesita un nombre de fichero";
    return false;
  }
  const std::pair<bool, const std::string*> otros[] = {{opciones.conHtml, &opciones.rutaHtml},
                                                       {opciones.conTraza, &opciones.rutaTraza}};
  for (const auto& [con, ruta] : otros) {
    if (opciones.conDot && con && MismoFichero(opciones.rutaDot, *ruta)) {
      error = std::string("--tree-dot y ") +
              (ruta == &opciones.rutaHtml ? "--html" : "--save-trace") +
              " indican el mismo fichero: " + opciones.rutaDot;
      return false;
    }
  }
  return NoPisaEntradas(opciones, error);
}

// The sentences to parse: the one of --parse (line 0), or the lines of --parse-file.
bool LeerFrases(const OpcionesCli& opciones, std::vector<FraseFichero>& frases,
                std::string& error) {
  if (opciones.conFrase) {
    const auto frase = cp1252::DesdeUtf8(opciones.frase);
    if (!frase) {
      error = "la cadena de --parse tiene caracteres que Windows-1252 no admite";
      return false;
    }
    frases.push_back({0, *frase});
  }
  if (opciones.conFrases) {
    std::string texto;
    if (!LeerEntrada(opciones.rutaFrases, texto, error)) return false;
    frases = FrasesDeFichero(texto);
  }
  return true;
}

// What the parses give: the lines of the parse section for --parse-file, the parses kept whole
// with each sentence's line (0 for --parse) to write the JSON value of "parse" or "parses" or
// the grid of --parse, the tree for --tree-dot.
struct Reconocimientos {
  std::vector<std::string> lineas;
  std::vector<std::pair<int, Reconocimiento>> guardados;
  std::optional<std::string> dot;
  bool todasAceptadas = true;
};

Reconocimientos ReconocerFrases(const OpcionesCli& opciones, const ResultadoAnalisis& analisis,
                                const std::vector<FraseFichero>& frases) {
  Reconocimientos resultado;
  if (!analisis.tabla) {
    resultado.lineas.push_back(TextoSinTabla());
    return resultado;
  }
  for (const FraseFichero& frase : frases) {
    Reconocimiento r = Reconocer(*analisis.gramatica, *analisis.tabla, frase.texto);
    resultado.todasAceptadas &= r.Aceptada();
    if (opciones.conFrase && opciones.conDot && !r.Arbol().empty()) resultado.dot = DotArbol(r);
    if (opciones.json || opciones.conFrase)
      resultado.guardados.emplace_back(frase.linea, std::move(r));
    else
      resultado.lineas.push_back(LineaFrase(frase.linea, r));
  }
  return resultado;
}

std::vector<FicheroPendiente> FicherosPedidos(const OpcionesCli& opciones,
                                              const ResultadoAnalisis& analisis,
                                              const std::string& nombre,
                                              const Reconocimientos& reconocimientos) {
  std::vector<FicheroPendiente> ficheros;
  if (opciones.conHtml && analisis.tabla) {
    std::ostringstream pagina;
    analisis.tabla->EscribirHTML(pagina, nombre);
    ficheros.push_back({opciones.rutaHtml, pagina.str()});
  }
  if (opciones.conTraza)
    ficheros.push_back(
        {opciones.rutaTraza,
         TextoGuardadoAnalisis(analisis.analisis, "Análisis LL1 de "_cp1252 + nombre)});
  if (reconocimientos.dot) ficheros.push_back({opciones.rutaDot, *reconocimientos.dot});
  return ficheros;
}

// The value of "parse" (the one sentence's parse) or "parses" (the list); null when the grammar
// has no table.
void ReconocimientosJson(EscritorJson& json, const OpcionesCli& opciones,
                         const ResultadoAnalisis& analisis,
                         const Reconocimientos& reconocimientos) {
  if (!analisis.tabla) {
    json.Nulo();
  } else if (opciones.conFrase) {
    EscribirReconocimiento(json, reconocimientos.guardados.front().second);
  } else {
    json.Abrir('[');
    for (const auto& [linea, r] : reconocimientos.guardados) EscribirReconocimiento(json, r, linea);
    json.Cerrar(']');
  }
}

void SalidaEstandar(const OpcionesCli& opciones, const ResultadoAnalisis& analisis,
                    const std::string& nombre, const Reconocimientos& reconocimientos,
                    const DestinoTexto& destino) {
  const bool reconocer = opciones.conFrase || opciones.conFrases;
  if (opciones.json) {
    EscritorJson json(destino);
    json.Abrir('{');
    EscribirAnalisisJson(json, analisis, nombre);
    if (reconocer) {
      json.Clave(opciones.conFrase ? "parse" : "parses");
      ReconocimientosJson(json, opciones, analisis, reconocimientos);
    }
    json.Cerrar('}');
    json.Seguir("\n");
    json.Terminar();
    return;
  }
  SeleccionInforme seleccion{.analisis = opciones.analisis,
                             .errores = opciones.errores,
                             .explicaciones = opciones.explicar,
                             .tabla = opciones.tabla,
                             .crudo = opciones.crudo};
  if (!seleccion.analisis && !seleccion.errores && !seleccion.explicaciones && !seleccion.tabla &&
      !reconocer)
    seleccion.errores = seleccion.tabla = true;
  if (reconocer)
    seleccion.reconocimiento = [&reconocimientos](const DestinoLinea& linea) {
      if (!reconocimientos.guardados.empty())
        EscribirLineasReconocimiento(reconocimientos.guardados.front().second, linea);
      for (const std::string& texto : reconocimientos.lineas) linea(texto);
    };
  EscribirInforme(analisis, seleccion, destino);
}

// The proposed grammar, and whether it is LL(1); the reason when there is none.
ResultadoCli Transformar(const ResultadoAnalisis& analisis, bool crudo) {
  ResultadoCli resultado;
  const Propuesta propuesta = ProponerGramatica(analisis);
  if (!propuesta.texto) {
    resultado.estado = kSalidaSinPropuesta;
    resultado.error = cp1252::AUtf8(propuesta.motivo);
    return resultado;
  }
  resultado.salida = TextoPropuesta(propuesta, crudo);
  resultado.estado = propuesta.ll1 ? kSalidaLL1 : kSalidaErrores;
  return resultado;
}

}  // namespace

std::string TextoTamanoMaximo() {
  static_assert(kTamanoMaximoTexto % (std::size_t{1} << 30) == 0, "said in GiB");
  return std::to_string(kTamanoMaximoTexto >> 30) + " GiB";
}

std::string NombreParaTitulo(const std::string& ruta) {
  if (ruta == "-") return "stdin";
  const std::string ultimo = std::filesystem::path(ruta).filename().string();
  std::string_view resto = ultimo;
  std::string nombre;
  while (!resto.empty()) {
    std::size_t fallo = 0;
    if (const auto convertido = cp1252::DesdeUtf8(resto, &fallo)) {
      nombre += *convertido;
      break;
    }
    nombre += cp1252::DesdeUtf8(resto.substr(0, fallo)).value_or("");
    nombre += '?';
    std::size_t salto = 1;  // the offending byte and the continuation bytes after it
    while (fallo + salto < resto.size() &&
           (static_cast<unsigned char>(resto[fallo + salto]) & 0xC0) == 0x80)
      ++salto;
    resto.remove_prefix(fallo + salto);
  }
  return nombre;
}

std::string ErrorDeUso(const OpcionesCli& opciones) {
  // Its output is a grammar text, to be saved: nothing else may go with it.
  if (opciones.transformar &&
      (opciones.analisis || opciones.errores || opciones.explicar || opciones.tabla ||
       opciones.json || opciones.conHtml || opciones.conTraza || opciones.conFrase ||
       opciones.conFrases || opciones.conDot))
    return "--transform solo se puede combinar con --raw";
  if (opciones.conFrase && opciones.conFrases) return "--parse y --parse-file no van juntas";
  if (opciones.conDot && !opciones.conFrase) return "--tree-dot necesita --parse";
  if (opciones.conFrases && opciones.rutaFrases == "-" && opciones.fichero == "-")
    return "la gramática y --parse-file no pueden leer las dos la entrada estándar";
  return {};
}

ResultadoCli EjecutarCli(const OpcionesCli& opciones, const DestinoTexto& salida) {
  ResultadoCli resultado;
  std::string texto;
  std::vector<FraseFichero> frases;
  if (!ComprobarRutas(opciones, resultado.error) ||
      !LeerEntrada(opciones.fichero, texto, resultado.error) ||
      !LeerFrases(opciones, frases, resultado.error))
    return resultado;

  // The editor holds every line break as CR LF; the analysis sees the text as it would.
  const bool conTraza = opciones.analisis || opciones.conTraza || opciones.json;
  texto = cp1252::NormalizarSaltos(texto);  // the file as read is not needed any more
  if (opciones.transformar) {
    resultado = Transformar(LeerTexto(texto), opciones.crudo);
    if (!resultado.salida.empty()) salida(std::exchange(resultado.salida, {}));
    return resultado;
  }
  ResultadoAnalisis analisis = AnalizarTexto(texto, conTraza);
  const std::string nombre = NombreParaTitulo(opciones.fichero);
  Reconocimientos reconocimientos;
  if (opciones.conFrase || opciones.conFrases)
    reconocimientos = ReconocerFrases(opciones, analisis, frases);
  // The files first: standard output is written as it is composed, and gets nothing when a
  // file cannot be written.
  const auto ficheros = FicherosPedidos(opciones, analisis, nombre, reconocimientos);
  if (!ficheros.empty() && !EscribirTodosONinguno(ficheros, resultado.error)) return resultado;
  SalidaEstandar(opciones, analisis, nombre, reconocimientos, salida);

  if (!analisis.tabla)
    resultado.estado = kSalidaErrores;
  else
    resultado.estado = reconocimientos.todasAceptadas ? kSalidaLL1 : kSalidaRechazada;
  resultado.analisis = std::move(analisis);
  return resultado;
}

ResultadoCli EjecutarCli(const OpcionesCli& opciones) {
  std::string salida;
  ResultadoCli resultado =
      EjecutarCli(opciones, [&salida](std::string_view texto) { salida += texto; });
  resultado.salida = std::move(salida);
  return resultado;
}
