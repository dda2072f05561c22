// quindel-bench: times reading, the whole LL(1) analysis and the table on large generated
// grammars, then the parse of long sentences with their JSON and DOT forms, and reports the
// peak memory of each case (each case runs in its own process).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <CLI/CLI.hpp>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Errores.h"
#include "Escritorjson.h"
#include "Generador.h"
#include "Informecadena.h"
#include "Reconocedor.h"
#include "Tablasintactica.h"

namespace {

struct Caso {
  std::string nombre;
  ParametrosGramatica parametros;
  int cadena = 0;  // > 0: the chain A1 -> A2 x ... of that length instead
  double segundosMax = 0;
  double megasMax = 0;
  int alternativas = 0;  // > 0: S -> t0 | ... over that many distinct terminals instead
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
    {"alts", {}, 0, 1.0, 0, 100000},
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
  if (caso.alternativas > 0) return GenerarAlternativas(caso.alternativas);
  return caso.cadena > 0 ? GenerarCadena(caso.cadena) : GenerarGramatica(caso.parametros);
}

void Informar(const Caso& caso, const Medida& m, std::size_t bytes) {
  std::string tamano = caso.cadena > 0
                           ? "chain of " + std::to_string(caso.cadena)
                           : std::to_string(caso.parametros.producciones) + " prod, " +
                                 std::to_string(caso.parametros.noTerminales) + " nt, " +
                                 std::to_string(caso.parametros.terminales) + " t";
  if (caso.alternativas > 0) tamano = std::to_string(caso.alternativas) + " alternatives of S";
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

// ---------------------------------------------------------------------------------------------
// Parsing sentences

// A grammar and a sentence of `terminales` terminals for it.
struct CasoFrase {
  std::string nombre;
  int terminales = 100000;
  double segundosMax = 0;  // for the parse alone
};

struct MedidaFrase {
  double segundos = 0;   // best of the repetitions: the parse
  double liberar = 0;    // freeing its steps and tree
  double json = 0;       // its JSON, as --json --parse writes it
  double dot = 0;        // its tree as a DOT file
  double megasJson = 0;  // size of the JSON
  double megas = 0;      // peak resident memory of the process
  long long terminales = 0;
  long long pasos = 0;
  long long profundidad = 0;
  bool aceptada = false;
};

// "expr": the expression grammar on "( id * id + id ) * id + ..." (ten terminals a round);
// "deep": L -> a L | lambda on a...a, a tree as deep as the sentence is long; "units": A1 -> A2,
// ..., An -> a on "a", a tree n deep whose every step is short. Only the units' JSON is
// written: every step lists the rest of the input, so the others' grow with the square of n.
const std::vector<CasoFrase> kFrases = {
    {"expr", 100000, 0.2},
    {"deep", 100000, 0.2},
    {"units", 100000, 0},
};

struct TextosFrase {
  std::string gramatica;
  std::string frase;
};

TextosFrase GenerarFrase(const CasoFrase& caso) {
  const int n = caso.terminales;
  TextosFrase t;
  if (caso.nombre == "expr") {
    t.gramatica =
        "Terminales = { + * ( ) id }\r\nNoTerminales = { E Eprima T Tprima F }\r\nAxioma = E\r\n"
        "Producciones = {\r\nE -> T Eprima\r\nEprima -> + T Eprima\r\nEprima -> lambda\r\n"
        "T -> F Tprima\r\nTprima -> * F Tprima\r\nTprima -> lambda\r\nF -> ( E )\r\n"
        "F -> id\r\n}\r\n";
    for (int i = 0; i < n / 10; ++i) t.frase += "( id * id + id ) * id + ";
    t.frase += "id";  // every sentence of this grammar has an odd length
  } else if (caso.nombre == "deep") {
    t.gramatica =
        "Terminales = { a }\r\nNoTerminales = { L }\r\nAxioma = L\r\nProducciones = {\r\n"
        "L -> a L\r\nL -> lambda\r\n}\r\n";
    for (int i = 0; i < n; ++i) t.frase += "a ";
  } else {
    t.gramatica = "Terminales = { a }\r\nNoTerminales = {";
    for (int i = 1; i <= n; ++i) t.gramatica += (i % 20 ? " A" : "\r\nA") + std::to_string(i);
    t.gramatica += " }\r\nAxioma = A1\r\nProducciones = {\r\n";
    for (int i = 1; i < n; ++i)
      t.gramatica += "A" + std::to_string(i) + " -> A" + std::to_string(i + 1) + "\r\n";
    t.gramatica += "A" + std::to_string(n) + " -> a\r\n}\r\n";
    t.frase = "a";
  }
  return t;
}

template <class Trabajo>
double Cronometrar(Trabajo&& trabajo) {
  const auto inicio = std::chrono::steady_clock::now();
  trabajo();
  return Segundos(std::chrono::steady_clock::now() - inicio);
}

MedidaFrase MedirFrase(const CasoFrase& caso, int repeticiones) {
  const TextosFrase textos = GenerarFrase(caso);
  std::istringstream entrada(textos.gramatica);
  std::unique_ptr<CGramatica> gramatica;
  const std::unique_ptr<CTablaSintactica> tabla = AnalizarGramatica(gramatica, entrada);
  MedidaFrase m;
  if (!tabla) return m;
  for (int r = 0; r < repeticiones; ++r) {
    std::optional<Reconocimiento> reconocimiento;
    const double segundos =
        Cronometrar([&] { reconocimiento = Reconocer(*gramatica, *tabla, textos.frase); });
    const bool aceptada = reconocimiento->Aceptada();
    const auto pasos = static_cast<long long>(reconocimiento->Pasos().size());
    // A parent comes before its children in the tree's array.
    const auto& arbol = reconocimiento->Arbol();
    std::vector<long long> profundidades(arbol.size(), 0);
    long long profundidad = 0;
    for (std::size_t n = 1; n < arbol.size(); ++n) {
      profundidades[n] = profundidades[static_cast<std::size_t>(arbol[n].padre)] + 1;
      profundidad = std::max(profundidad, profundidades[n]);
    }
    const auto terminales = static_cast<long long>(reconocimiento->Nombres().size());
    std::string json, dot;
    const double segundosJson = caso.nombre != "units" ? 0 : Cronometrar([&] {
      EscritorJson escritor(json, 1);
      EscribirReconocimiento(escritor, *reconocimiento);
    });
    const double segundosDot = Cronometrar([&] { dot = DotArbol(*reconocimiento); });
    const double liberar = Cronometrar([&] { reconocimiento.reset(); });
    if (r == 0 || segundos < m.segundos) {
      m.segundos = segundos;
      m.liberar = liberar;
      m.json = segundosJson;
      m.dot = segundosDot;
    }
    m.megasJson = json.size() / 1e6;
    m.pasos = pasos;
    m.terminales = terminales;
    m.profundidad = profundidad;
    m.aceptada = aceptada;
  }
  m.megas = PicoMegas();
  return m;
}

void InformarFrase(const CasoFrase& caso, const MedidaFrase& m) {
  char json[64] = "not written";
  if (m.megasJson > 0) std::snprintf(json, sizeof json, "%.3f s (%.1f MB)", m.json, m.megasJson);
  std::printf(
      "%-6s %lld terminals: parse %.3f s (free %.3f s), %lld steps, tree %lld deep, %s; "
      "--json %s, --tree-dot %.3f s; peak %.1f MB\n",
      caso.nombre.c_str(), m.terminales, m.segundos, m.liberar, m.pasos, m.profundidad,
      m.aceptada ? "accepted" : "REJECTED", json, m.dot, m.megas);
  std::fflush(stdout);
}

bool MedirFraseEnHijo(const CasoFrase& caso, int repeticiones, MedidaFrase& medida) {
  int tubo[2];
  if (pipe(tubo) != 0) return false;
  const pid_t hijo = fork();
  if (hijo == 0) {
    close(tubo[0]);
    const MedidaFrase m = MedirFrase(caso, repeticiones);
    InformarFrase(caso, m);
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

// A case's time and peak memory against its targets; a target of 0 is not checked.
bool ComprobarTiempoYMemoria(const std::string& nombre, double segundos, double segundosMax,
                             double megas, double megasMax) {
  bool correcto = true;
  if (segundosMax > 0)
    correcto &= Comprobar(segundos <= segundosMax, nombre + ": time <= " + Cifra(segundosMax, "s"));
  if (megasMax > 0)
    correcto &= Comprobar(megas <= megasMax, nombre + ": peak memory <= " + Cifra(megasMax, "MB"));
  return correcto;
}

// ---------------------------------------------------------------------------------------------
// quindel-cli end to end: process start to exit, as a user or a script meets it

struct CasoCli {
  std::string nombre;
  std::string gramatica;  // "large", "mix", "chain" or "alts"
  int tamano = 0;         // productions, or the chain's length
  std::string opcion;     // "--errors" or "--json"
  double segundosMax = 0;
  double megasMax = 0;
};

const std::vector<CasoCli> kCasosCli = {
    {"errors large 100k", "large", 100000, "--errors", 0.2, 80},
    {"errors mix 100k", "mix", 100000, "--errors", 0.25, 80},
    {"errors large 1M", "large", 1000000, "--errors", 0, 0},
    {"errors mix 1M", "mix", 1000000, "--errors", 2.5, 700},
    {"errors chain 1M", "chain", 1000000, "--errors", 2.5, 1000},
    {"json mix 100k", "mix", 100000, "--json", 1.0, 300},
    {"errors alts 100k", "alts", 100000, "--errors", 1.0, 0},
};

struct MedidaCli {
  double segundos = 0;  // median of the runs
  double megas = 0;     // largest peak resident memory of the runs
  bool correcta = true;
};

std::string TextoCli(const CasoCli& caso) {
  if (caso.gramatica == "chain") return GenerarCadena(caso.tamano);
  if (caso.gramatica == "alts") return GenerarAlternativas(caso.tamano);
  if (caso.gramatica == "mix") return GenerarGramatica(ParametrosMezcla(caso.tamano));
  return GenerarGramatica({caso.tamano, caso.tamano * 35 / 100, 64});
}

// Writes the case's grammar from a child process: a child made by fork starts with its
// parent's resident memory, which would count in the peak of every quindel-cli run after it.
bool EscribirEnHijo(const CasoCli& caso, const std::string& fichero) {
  const pid_t hijo = fork();
  if (hijo == 0) {
    const std::string texto = TextoCli(caso);
    std::FILE* f = std::fopen(fichero.c_str(), "wb");
    const bool escrito =
        f && std::fwrite(texto.data(), 1, texto.size(), f) == texto.size() && std::fclose(f) == 0;
    _exit(escrito ? 0 : 1);
  }
  int estado = 0;
  return hijo > 0 && waitpid(hijo, &estado, 0) == hijo && WIFEXITED(estado) &&
         WEXITSTATUS(estado) == 0;
}

// One run of `cli opcion fichero` with its standard output thrown away.
bool EjecutarCli(const std::string& cli, const std::string& opcion, const std::string& fichero,
                 double& segundos, double& megas) {
  const auto inicio = std::chrono::steady_clock::now();
  const pid_t hijo = fork();
  if (hijo == 0) {
    if (!std::freopen("/dev/null", "w", stdout)) _exit(127);
    execl(cli.c_str(), cli.c_str(), opcion.c_str(), fichero.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int estado = 0;
  rusage uso{};
  if (hijo < 0 || wait4(hijo, &estado, 0, &uso) != hijo) return false;
  segundos = Segundos(std::chrono::steady_clock::now() - inicio);
  megas = uso.ru_maxrss / 1024.0;
  return WIFEXITED(estado) && WEXITSTATUS(estado) <= 1;  // 1: the grammar has errors
}

MedidaCli MedirCli(const std::string& cli, const CasoCli& caso, const std::string& fichero,
                   int repeticiones) {
  MedidaCli medida;
  std::vector<double> tiempos;
  for (int r = 0; r < repeticiones; ++r) {
    double segundos = 0, megas = 0;
    medida.correcta &= EjecutarCli(cli, caso.opcion, fichero, segundos, megas);
    tiempos.push_back(segundos);
    medida.megas = std::max(medida.megas, megas);
  }
  std::sort(tiempos.begin(), tiempos.end());
  medida.segundos = tiempos[tiempos.size() / 2];
  return medida;
}

int EjecutarSerieCli(const std::string& cli, int repeticiones) {
  char plantilla[] = "/tmp/quindel-bench-XXXXXX";
  if (!mkdtemp(plantilla)) return 2;
  const std::string carpeta = plantilla;
  std::vector<MedidaCli> medidas;
  bool correcto = true;
  for (const CasoCli& caso : kCasosCli) {
    const std::string fichero =
        carpeta + "/" + caso.gramatica + std::to_string(caso.tamano) + ".ll1";
    if (access(fichero.c_str(), F_OK) != 0 && !EscribirEnHijo(caso, fichero)) return 2;
    const MedidaCli m = MedirCli(cli, caso, fichero, repeticiones);
    std::printf("%-18s %-8s median %6.3f s  peak %7.1f MB%s\n", caso.nombre.c_str(),
                caso.opcion.c_str(), m.segundos, m.megas, m.correcta ? "" : "  FAILED");
    std::fflush(stdout);
    correcto &= m.correcta;
    medidas.push_back(m);
  }
  for (const CasoCli& caso : kCasosCli)
    std::remove((carpeta + "/" + caso.gramatica + std::to_string(caso.tamano) + ".ll1").c_str());
  rmdir(carpeta.c_str());
  std::printf("\nTargets (median of %d runs):\n", repeticiones);
  for (std::size_t i = 0; i < kCasosCli.size(); ++i) {
    const CasoCli& caso = kCasosCli[i];
    correcto &= ComprobarTiempoYMemoria(caso.nombre, medidas[i].segundos, caso.segundosMax,
                                        medidas[i].megas, caso.megasMax);
  }
  // The rows in kCasosCli: 100k and 1M of each shape.
  for (const auto& [grande, pequeno, forma] :
       {std::tuple{2, 0, "large"}, std::tuple{3, 1, "mix"}}) {
    const double razon = medidas[grande].segundos / medidas[pequeno].segundos;
    correcto &= Comprobar(
        razon <= 11,
        std::string(forma) + ": 10x the productions costs <= 11x the time: " + Cifra(razon, "x"));
  }
  return correcto ? 0 : 1;
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
  std::vector<MedidaFrase> frases(kFrases.size());
  for (std::size_t i = 0; i < kFrases.size(); ++i) {
    if (!MedirFraseEnHijo(kFrases[i], repeticiones, frases[i])) {
      std::printf("%s: the run failed\n", kFrases[i].nombre.c_str());
      return 1;
    }
    correcto &= frases[i].aceptada;
  }
  std::printf("\nTargets:\n");
  for (std::size_t i = 0; i < kCasos.size(); ++i) {
    const Caso& caso = kCasos[i];
    correcto &= ComprobarTiempoYMemoria(caso.nombre, medidas[i].segundos, caso.segundosMax,
                                        medidas[i].megas, caso.megasMax);
  }
  for (std::size_t i = 0; i < kFrases.size(); ++i)
    if (kFrases[i].segundosMax > 0)
      correcto &=
          Comprobar(frases[i].segundos <= kFrases[i].segundosMax,
                    kFrases[i].nombre + ": parse time <= " + Cifra(kFrases[i].segundosMax, "s"));
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
  int alternativas = 0;
  int repeticiones = 3;
  bool imprimir = false;
  std::string frase;
  int longitud = 100000;
  std::string forma = "large";
  std::string cli;
  app.add_option("--size", producciones,
                 "Productions of one generated grammar (default: the "
                 "standard series)");
  app.add_option("--nonterminals", noTerminales, "Non-terminals (default: 35% of --size)");
  app.add_option("--terminals", terminales, "Terminals")->check(CLI::Range(12, 100000));
  app.add_option("--chain", cadena, "Length of the chain A1 -> A2 x ... to time instead");
  app.add_option("--alternatives", alternativas,
                 "Time S -> t0 | ... | tN-1 over N distinct terminals instead");
  app.add_option("--repeat", repeticiones, "Repetitions; the best time counts")
      ->check(CLI::Range(1, 1000));
  app.add_option("--shape", forma, "Shape of the grammar of --size: large or mix")
      ->check(CLI::IsMember({"large", "mix"}));
  app.add_option("--cli", cli,
                 "Time this quindel-cli end to end on the standard series instead (median "
                 "of --repeat runs, 5 by default)");
  app.add_flag("--print", imprimir, "Print the generated grammar (Windows-1252, CR LF) instead");
  app.add_option("--parse", frase, "Time one parse instead: expr, deep or units")
      ->check(CLI::IsMember({"expr", "deep", "units"}));
  app.add_option("--length", longitud, "Terminals of the sentence (--parse)")
      ->check(CLI::Range(1, 10000000));
  CLI11_PARSE(app, argc, argv);

  if (!frase.empty()) {
    const CasoFrase caso{frase, longitud, 0};
    const MedidaFrase medida = MedirFrase(caso, repeticiones);
    InformarFrase(caso, medida);
    return medida.aceptada ? 0 : 1;
  }

  if (!cli.empty()) return EjecutarSerieCli(cli, app.count("--repeat") ? repeticiones : 5);
  if (producciones <= 0 && cadena <= 0 && alternativas <= 0) return EjecutarSerie(repeticiones);

  Caso caso{"custom", {}, cadena, 0, 0, alternativas};
  caso.parametros.producciones = producciones;
  caso.parametros.noTerminales =
      noTerminales > 0 ? noTerminales : std::max(1, producciones * 35 / 100);
  caso.parametros.terminales = terminales;
  if (forma == "mix") caso.parametros = ParametrosMezcla(producciones);
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
