// quindel-bench: times reading, the whole LL(1) analysis and the table on large generated
// grammars, and reports the peak memory of each case (each case runs in its own process).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Errores.h"
#include "Generador.h"
#include "Tablasintactica.h"

namespace {

struct Caso {
  std::string nombre;
  ParametrosGramatica parametros;
  int cadena = 0;  // > 0: the chain A1 -> A2 x ... of that length instead
  double segundosMax = 0;
  double megasMax = 0;
};

struct Medida {
  double segundos = 0;     // best of the repetitions: reading, analysis, table
  double cpu = 0;          // processor time of that repetition (other load does not count)
  double destruccion = 0;  // freeing the grammar and the table afterwards
  double megas = 0;        // peak resident memory of the process
  bool ll1 = false;
};

const std::vector<Caso> kCasos = {
    {"large", {100000, 35000, 64}, 0, 0.5, 300},
    {"wide", {100000, 20000, 500}, 0, 1.5, 600},
    {"small", {10000, 3500, 64}, 0, 0, 0},
    {"chain", {}, 200000, 1.0, 0},
};

double Segundos(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

double SegundosCpu() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

double PicoMegas() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return uso.ru_maxrss / 1024.0;  // kilobytes on Linux
}

// Trace lines go to the default sink, which drops them.
Medida Medir(const std::string& texto, int repeticiones) {
  Medida medida;
  for (int r = 0; r < repeticiones; ++r) {
    const auto inicio = std::chrono::steady_clock::now();
    const double cpuInicio = SegundosCpu();
    std::istringstream entrada(texto);
    std::unique_ptr<CGramatica> gramatica;
    std::unique_ptr<CTablaSintactica> tabla = AnalizarGramatica(gramatica, entrada);
    const auto analizado = std::chrono::steady_clock::now();
    const double cpu = SegundosCpu() - cpuInicio;
    medida.ll1 = tabla != nullptr && listaErrores.NumErrores() == 0;
    tabla.reset();
    gramatica.reset();
    const auto liberado = std::chrono::steady_clock::now();
    const double segundos = Segundos(analizado - inicio);
    if (r == 0 || segundos < medida.segundos) {
      medida.segundos = segundos;
      medida.cpu = cpu;
      medida.destruccion = Segundos(liberado - analizado);
    }
  }
  medida.megas = PicoMegas();
  return medida;
}

std::string Texto(const Caso& caso) {
  return caso.cadena > 0 ? GenerarCadena(caso.cadena) : GenerarGramatica(caso.parametros);
}

void Informar(const Caso& caso, const Medida& m, std::size_t bytes) {
  const std::string tamano = caso.cadena > 0
                                 ? "chain of " + std::to_string(caso.cadena)
                                 : std::to_string(caso.parametros.producciones) + " prod, " +
                                       std::to_string(caso.parametros.noTerminales) + " nt, " +
                                       std::to_string(caso.parametros.terminales) + " t";
  std::printf("%-6s %-28s %4.1f MB text  %6.3f s (cpu %.3f s, free %.3f s)  peak %6.1f MB  %s\n",
              caso.nombre.c_str(), tamano.c_str(), bytes / 1e6, m.segundos, m.cpu, m.destruccion,
              m.megas, m.ll1 ? "LL(1), table built" : "NOT LL(1): generator fault");
  std::fflush(stdout);
}

// Runs one case in a child process, so that its peak memory is its own.
bool MedirEnHijo(const Caso& caso, int repeticiones, Medida& medida) {
  int tubo[2];
  if (pipe(tubo) != 0) return false;
  const pid_t hijo = fork();
  if (hijo == 0) {
    close(tubo[0]);
    const std::string texto = Texto(caso);
    const Medida m = Medir(texto, repeticiones);
    Informar(caso, m, texto.size());
    const bool escrito = write(tubo[1], &m, sizeof m) == static_cast<ssize_t>(sizeof m);
    _exit(escrito ? 0 : 1);
  }
  close(tubo[1]);
  const bool leido = read(tubo[0], &medida, sizeof medida) == static_cast<ssize_t>(sizeof medida);
  close(tubo[0]);
  int estado = 0;
  waitpid(hijo, &estado, 0);
  return leido && WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
}

bool Comprobar(bool cumple, const std::string& que) {
  std::printf("  %-58s %s\n", que.c_str(), cumple ? "met" : "MISSED");
  return cumple;
}

std::string Cifra(double valor, const char* unidad) {
  char texto[32];
  std::snprintf(texto, sizeof texto, "%.3g %s", valor, unidad);
  return texto;
}

int EjecutarSerie(int repeticiones) {
  std::vector<Medida> medidas(kCasos.size());
  bool correcto = true;
  for (std::size_t i = 0; i < kCasos.size(); ++i) {
    if (!MedirEnHijo(kCasos[i], repeticiones, medidas[i])) {
      std::printf("%s: the run failed\n", kCasos[i].nombre.c_str());
      return 1;
    }
    correcto &= medidas[i].ll1;
  }
  std::printf("\nTargets:\n");
  for (std::size_t i = 0; i < kCasos.size(); ++i) {
    const Caso& caso = kCasos[i];
    if (caso.segundosMax > 0)
      correcto &= Comprobar(medidas[i].segundos <= caso.segundosMax,
                            caso.nombre + ": time <= " + Cifra(caso.segundosMax, "s"));
    if (caso.megasMax > 0)
      correcto &= Comprobar(medidas[i].megas <= caso.megasMax,
                            caso.nombre + ": peak memory <= " + Cifra(caso.megasMax, "MB"));
  }
  const double razon = medidas[0].segundos / medidas[2].segundos;
  correcto &=
      Comprobar(razon <= 12,
                "10x the productions (small -> large) costs <= 12x the time: " + Cifra(razon, "x"));
  return correcto ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Times the analysis of large generated LL(1) grammars.", "quindel-bench"};
  int producciones = 0;
  int noTerminales = 0;
  int terminales = 64;
  int cadena = 0;
  int repeticiones = 3;
  bool imprimir = false;
  app.add_option("--size", producciones,
                 "Productions of one generated grammar (default: the "
                 "standard series)");
  app.add_option("--nonterminals", noTerminales, "Non-terminals (default: 35% of --size)");
  app.add_option("--terminals", terminales, "Terminals")->check(CLI::Range(12, 100000));
  app.add_option("--chain", cadena, "Length of the chain A1 -> A2 x ... to time instead");
  app.add_option("--repeat", repeticiones, "Repetitions; the best time counts")
      ->check(CLI::Range(1, 1000));
  app.add_flag("--print", imprimir, "Print the generated grammar (Windows-1252, CR LF) instead");
  CLI11_PARSE(app, argc, argv);

  if (producciones <= 0 && cadena <= 0) return EjecutarSerie(repeticiones);

  Caso caso{"custom", {}, cadena, 0, 0};
  caso.parametros.producciones = producciones;
  caso.parametros.noTerminales =
      noTerminales > 0 ? noTerminales : std::max(1, producciones * 35 / 100);
  caso.parametros.terminales = terminales;
  std::string texto;
  try {
    texto = Texto(caso);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quindel-bench: %s\n", e.what());
    return 2;
  }
  if (imprimir) {
    std::fwrite(texto.data(), 1, texto.size(), stdout);
    return 0;
  }
  const Medida medida = Medir(texto, repeticiones);
  Informar(caso, medida, texto.size());
  return medida.ll1 ? 0 : 1;
}
