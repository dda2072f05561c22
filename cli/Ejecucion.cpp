#include "Ejecucion.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <string_view>
#include <vector>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Codificacion.h"
#include "Escritura.h"
#include "Informe.h"
#include "Mostraranalisis.h"
#include "Motivo.h"
#include "Tablasintactica.h"

namespace {

bool LeerDescriptor(int fd, std::string& texto) {
  char bloque[65536];
  for (;;) {
    const ssize_t leidos = read(fd, bloque, sizeof bloque);
    if (leidos == 0) return true;
    if (leidos < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    texto.append(bloque, static_cast<std::size_t>(leidos));
  }
}

// The bytes of the grammar file as they are; "-" is standard input.
bool LeerEntrada(const std::string& ruta, std::string& texto, std::string& error) {
  if (ruta == "-") {
    if (LeerDescriptor(STDIN_FILENO, texto)) return true;
    error = "no se puede leer la entrada estándar: " + MotivoFallo(errno);
    return false;
  }
  const int fd = open(ruta.c_str(), O_RDONLY);
  bool leido = fd >= 0 && LeerDescriptor(fd, texto);
  const int codigo = errno;
  if (fd >= 0) close(fd);
  if (!leido) error = "no se puede leer " + ruta + ": " + MotivoFallo(codigo);
  return leido;
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
  return true;
}

std::vector<FicheroPendiente> FicherosPedidos(const OpcionesCli& opciones,
                                              const ResultadoAnalisis& analisis,
                                              const std::string& nombre) {
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
  return ficheros;
}

std::string SalidaEstandar(const OpcionesCli& opciones, const ResultadoAnalisis& analisis,
                           const std::string& nombre) {
  if (opciones.json) return DocumentoJson(analisis, nombre).dump(2) + "\n";
  SeleccionInforme seleccion{opciones.analisis, opciones.errores, opciones.tabla, opciones.crudo};
  if (!seleccion.analisis && !seleccion.errores && !seleccion.tabla)
    seleccion.errores = seleccion.tabla = true;
  return TextoInforme(analisis, seleccion);
}

}  // namespace

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

ResultadoCli EjecutarCli(const OpcionesCli& opciones) {
  ResultadoCli resultado;
  std::string texto;
  if (!ComprobarRutas(opciones, resultado.error) ||
      !LeerEntrada(opciones.fichero, texto, resultado.error))
    return resultado;

  // The editor holds every line break as CR LF; the analysis sees the text as it would.
  ResultadoAnalisis analisis = AnalizarTexto(cp1252::NormalizarSaltos(texto));
  const std::string nombre = NombreParaTitulo(opciones.fichero);
  std::string salida = SalidaEstandar(opciones, analisis, nombre);
  const auto ficheros = FicherosPedidos(opciones, analisis, nombre);
  if (!ficheros.empty() && !EscribirTodosONinguno(ficheros, resultado.error)) return resultado;

  resultado.salida = std::move(salida);
  resultado.estado = analisis.tabla ? kSalidaLL1 : kSalidaErrores;
  return resultado;
}
