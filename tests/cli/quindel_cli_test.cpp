// End-to-end tests: the built quindel-cli runs on the fixture files of tests/data; stdout, the
// exit status and the bytes of the files it writes are compared whole.
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

const std::string kFin = "\u00a0$ (final de cadena)";  // UTF-8 form of the end-of-input name

struct Salida {
  int estado = -1;
  std::string salida;
  std::string error;
};

std::string Leer(const fs::path& ruta) {
  std::ifstream entrada(ruta, std::ios::binary);
  std::ostringstream contenido;
  contenido << entrada.rdbuf();
  return contenido.str();
}

void Escribir(const fs::path& ruta, const std::string& contenido) {
  std::ofstream(ruta, std::ios::binary) << contenido;
}

fs::path Dato(const std::string& nombre) { return fs::path(QUINDEL_DATOS) / nombre; }

class QuindelCli : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "quindel-cli-XXXXXX").string();
    ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
    dir = plantilla;
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the tool with `entrada` on its standard input; stdout goes to `destinoSalida` when
  // one is given (to provoke a failing standard output). The tool's address space is bounded
  // by `limiteMemoria` when it is set.
  Salida Ejecutar(const std::vector<std::string>& argumentos, const std::string& entrada = "",
                  const std::string& destinoSalida = "") {
    return Esperar(Lanzar(argumentos, entrada, destinoSalida), destinoSalida);
  }

  // Ejecutar in two halves, for a test that acts while the tool runs.
  pid_t Lanzar(const std::vector<std::string>& argumentos, const std::string& entrada = "",
               const std::string& destinoSalida = "") {
    Escribir(dir / ".stdin", entrada);
    const pid_t hijo = fork();
    if (hijo == 0) {
      const std::string salida = destinoSalida.empty() ? (dir / ".stdout").string() : destinoSalida;
      dup2(open((dir / ".stdin").c_str(), O_RDONLY), 0);
      dup2(open(salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
      dup2(open((dir / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
      if (limiteMemoria > 0) {
        const rlimit limite{limiteMemoria, limiteMemoria};
        setrlimit(RLIMIT_AS, &limite);
      }
      // As from a terminal, whatever the test was started from.
      std::signal(SIGINT, SIG_DFL);
      std::signal(SIGTERM, SIG_DFL);
      std::vector<char*> argv{const_cast<char*>(QUINDEL_CLI)};
      for (const std::string& argumento : argumentos)
        argv.push_back(const_cast<char*>(argumento.c_str()));
      argv.push_back(nullptr);
      execv(QUINDEL_CLI, argv.data());
      _exit(127);
    }
    return hijo;
  }
  // The status is -1 when a signal ended the tool; `senal` tells which. A tool still running
  // after a minute is killed, so that a test that would hang fails instead.
  Salida Esperar(pid_t hijo, const std::string& destinoSalida = "", int* senal = nullptr) {
    int estado = 0;
    for (int i = 0; waitpid(hijo, &estado, WNOHANG) == 0; ++i) {
      if (i == 6000) kill(hijo, SIGKILL);
      usleep(10000);
    }
    Salida resultado;
    resultado.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    if (senal) *senal = WIFSIGNALED(estado) ? WTERMSIG(estado) : 0;
    resultado.salida = destinoSalida.empty() ? Leer(dir / ".stdout") : "";
    resultado.error = Leer(dir / ".stderr");
    for (const char* nombre : {".stdin", ".stdout", ".stderr"}) fs::remove(dir / nombre);
    return resultado;
  }

  // The names in the scratch directory, to see that no temporary file is left behind.
  std::vector<std::string> Contenido() const {
    std::vector<std::string> nombres;
    for (const auto& entrada : fs::directory_iterator(dir))
      nombres.push_back(entrada.path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    return nombres;
  }

  fs::path dir;
  rlim_t limiteMemoria = 0;
};

// A0 -> A1, A1 -> A2, ..., the last -> a: its trace, table and JSON grow with `n`.
std::string GramaticaEnCadena(int n) {
  std::string texto = "Terminales = { a }\r\nNoTerminales = {";
  for (int i = 0; i < n; ++i) texto += " A" + std::to_string(i);
  texto += " }\r\nAxioma = A0\r\nProducciones = {\r\n";
  for (int i = 0; i < n; ++i)
    texto +=
        "A" + std::to_string(i) + " -> " + (i < n - 1 ? "A" + std::to_string(i + 1) : "a") + "\r\n";
  return texto + "}\r\n";
}

// The worked example: S -> a S b | lambda over a and b.
const std::string kTablaEjemplo = "   a           b            " + kFin +
                                  "\n"
                                  "S  S -> a S b  S -> lambda  S -> lambda\n";

const std::vector<std::string> kAnalisisEjemplo = {"Iniciando análisis",
                                                   "Lectura del fichero realizada con éxito",
                                                   "Iniciando análisis LL1 de la gramática",
                                                   "",
                                                   "Analizando símbolo S",
                                                   "Analizando producción S -> a S b",
                                                   "FIRST de S -> a S b  =  { a }",
                                                   "Analizando producción S -> lambda",
                                                   "FIRST de S -> lambda  =  { lambda }",
                                                   "FIRST de S  =  { a lambda }",
                                                   "Calculando FOLLOW de S",
                                                   "FOLLOW de S  =  { b " + kFin + " }",
                                                   "",
                                                   "Análisis concluido satisfactoriamente"};

std::string Unir(const std::vector<std::string>& lineas) {
  std::string texto;
  for (const std::string& linea : lineas) texto += linea + "\n";
  return texto;
}

const std::string kErroresLectura =
    "Línea 1: Identificador a redefinido.\n"
    "Líneas 1 y 2: Identificador a redefinido.\n"
    "Línea 3: El axioma T no está definido como símbolo no terminal.\n"
    "Línea 5: El símbolo c no está definido.\n"
    "\n"
    "Encontrados 4 errores.\n";

TEST_F(QuindelCli, defaultPrintsErrorsThenTable) {
  const Salida r = Ejecutar({Dato("ejemplo.ll1")});
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(r.salida, "Ningún error encontrado.\n\n" + kTablaEjemplo);
  EXPECT_EQ(r.error, "");
}

TEST_F(QuindelCli, sectionsComeInFixedOrderWhateverTheOptionOrder) {
  const Salida r = Ejecutar({"--table", Dato("ejemplo.ll1"), "--errors", "--analysis"});
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(r.salida, Unir(kAnalisisEjemplo) + "\nNingún error encontrado.\n\n" + kTablaEjemplo);
  EXPECT_EQ(Ejecutar({"--analysis", Dato("ejemplo.ll1")}).salida, Unir(kAnalisisEjemplo));
}

TEST_F(QuindelCli, readingErrorsLeaveOutTheTableSectionAndItsSeparator) {
  const Salida r = Ejecutar({Dato("errores.ll1")});
  EXPECT_EQ(r.estado, 1);
  EXPECT_EQ(r.salida, kErroresLectura);

  const Salida soloTabla = Ejecutar({"--table", Dato("errores.ll1")});
  EXPECT_EQ(soloTabla.estado, 1);
  EXPECT_EQ(soloTabla.salida, "");

  EXPECT_EQ(Ejecutar({"--analysis", "--table", Dato("errores.ll1")}).salida,
            "Iniciando análisis\n"
            "Se han encontrado errores en el fichero\n"
            "No se puede realizar el análisis LL1 de la gramática\n"
            "\n"
            "Análisis concluido con errores detectados\n");
}

TEST_F(QuindelCli, ll1ErrorsExitWithOne) {
  const Salida r = Ejecutar({Dato("conflicto.ll1")});
  EXPECT_EQ(r.estado, 1);
  EXPECT_EQ(r.salida,
            "Línea 5: La producción genera recursividad por la izquierda del símbolo A.\n"
            "Líneas 7 y 8: Las dos producciones contienen el símbolo x en su conjunto FIRST.\n"
            "\n"
            "Encontrados 2 errores.\n");
}

TEST_F(QuindelCli, gridAlignsByCharactersNotBytes_rawPrintsWindows1252) {
  const Salida utf8 = Ejecutar({Dato("acentos.ll1"), "--table"});
  EXPECT_EQ(utf8.estado, 0);
  EXPECT_EQ(utf8.salida, "     a         " + kFin +
                             "  ñ\n"
                             "AÑO  AÑO -> a  -                     AÑO -> ñ AÑO\n");

  const Salida crudo = Ejecutar({Dato("acentos.ll1"), "--table", "--raw"});
  EXPECT_EQ(crudo.salida,
            "     a         \xA0$ (final de cadena)  \xF1\n"
            "A\xD1O  A\xD1O -> a  -                     A\xD1O -> \xF1 A\xD1O\n");
  EXPECT_EQ(Ejecutar({Dato("errores.ll1"), "--raw"}).salida.substr(0, 6), "L\xEDnea ");
}

TEST_F(QuindelCli, jsonOfTheWorkedExample) {
  const Salida r = Ejecutar({"--json", "--raw", "--table", Dato("ejemplo.ll1")});
  EXPECT_EQ(r.estado, 0);
  Json analisis = Json::array();
  for (const std::string& linea : kAnalisisEjemplo) analisis.push_back(linea);
  const Json esperado = {
      {"file", "ejemplo.ll1"},
      {"ll1", true},
      {"errors", Json::array()},
      {"analysis", analisis},
      {"terminals", {"a", "b", kFin}},
      {"nonterminals",
       {{{"name", "S"},
         {"line", 2},
         {"axiom", true},
         {"nullable", true},
         {"first", {"a"}},
         {"follow", {"b", kFin}},
         {"productions",
          {{{"line", 6},
            {"text", "S -> a S b"},
            {"rhs", {"a", "S", "b"}},
            {"nullable", false},
            {"first", {"a"}}},
           {{"line", 7},
            {"text", "S -> lambda"},
            {"rhs", Json::array()},
            {"nullable", true},
            {"first", Json::array()}}}}}}},
      {"table",
       {{"columns", {"a", "b", kFin}},
        {"rows", {{{"name", "S"}, {"cells", {"S -> a S b", "S -> lambda", "S -> lambda"}}}}}}},
      {"explanations", Json::array()},
      {"warnings", Json::array()}};
  EXPECT_EQ(Json::parse(r.salida), esperado);
}

TEST_F(QuindelCli, jsonOmitsTheSetsWhenReadingFailed) {
  const Salida r = Ejecutar({"--json", Dato("errores.ll1")});
  EXPECT_EQ(r.estado, 1);
  const Json documento = Json::parse(r.salida);
  EXPECT_FALSE(documento["ll1"].get<bool>());
  EXPECT_TRUE(documento["table"].is_null());
  EXPECT_EQ(documento["terminals"], Json({"a", "b"}));  // no axiom, so no end-of-input terminal
  ASSERT_EQ(documento["errors"].size(), 4u);
  EXPECT_EQ(documento["errors"][1],
            Json({{"code", 22},
                  {"symbol", "a"},
                  {"line1", 1},
                  {"line2", 2},
                  {"message", "Líneas 1 y 2: Identificador a redefinido."}}));
  const Json& s = documento["nonterminals"][0];
  EXPECT_EQ(s["name"], "S");
  EXPECT_FALSE(s["axiom"].get<bool>());
  for (const char* clave : {"nullable", "first", "follow"}) EXPECT_FALSE(s.contains(clave));
  for (const char* clave : {"explanations", "warnings"}) EXPECT_FALSE(documento.contains(clave));
  EXPECT_EQ(s["productions"][0],
            Json({{"line", 5}, {"text", "S -> a"}, {"rhs", {"a"}}}));  // c was not declared

  // A right side left empty by an undeclared symbol shows as the antecedent and the arrow.
  Escribir(dir / "vacia.ll1",
           "Terminales = { a }\r\nNoTerminales = { S }\r\nAxioma = S\r\nProducciones = {\r\n"
           "S -> c\r\n}\r\n");
  const Json vacia = Json::parse(Ejecutar({"--json", (dir / "vacia.ll1").string()}).salida);
  EXPECT_EQ(vacia["nonterminals"][0]["productions"][0],
            Json({{"line", 5}, {"text", "S ->"}, {"rhs", Json::array()}}));
}

TEST_F(QuindelCli, jsonGivesTheTrueSetsAndNullCells) {
  const Json conflicto = Json::parse(Ejecutar({"--json", Dato("conflicto.ll1")}).salida);
  EXPECT_TRUE(conflicto["table"].is_null());
  const Json& a = conflicto["nonterminals"][0];
  EXPECT_EQ(a["follow"], Json({"x", kFin}));
  // The trace shows FIRST of A -> A x as it stood when the recursion cut it short: { }.
  EXPECT_EQ(a["productions"][0]["first"], Json({"y"}));
  EXPECT_EQ(conflicto["nonterminals"][1]["follow"], Json::array());  // B is never used

  const Json acentos = Json::parse(Ejecutar({"--json", Dato("acentos.ll1")}).salida);
  EXPECT_EQ(acentos["table"]["columns"], Json({"a", kFin, "ñ"}));
  EXPECT_EQ(acentos["table"]["rows"][0]["cells"], Json({"AÑO -> a", nullptr, "AÑO -> ñ AÑO"}));
}

TEST_F(QuindelCli, writesTheHtmlPageAndTheTraceByteForByte) {
  const Salida r = Ejecutar({Dato("ejemplo.ll1"), "--html", (dir / "tabla.htm").string(),
                             "--save-trace", (dir / "traza.txt").string()});
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(r.salida, "Ningún error encontrado.\n\n" + kTablaEjemplo);
  EXPECT_EQ(Leer(dir / "tabla.htm"), Leer(Dato("ejemplo.htm")));
  EXPECT_EQ(Leer(dir / "traza.txt"), Leer(Dato("ejemplo.txt")));
  EXPECT_EQ(Contenido(), (std::vector<std::string>{"tabla.htm", "traza.txt"}));
}

TEST_F(QuindelCli, withoutTableTheTraceIsStillWrittenButNoPage) {
  const Salida r = Ejecutar({Dato("errores.ll1"), "--html", (dir / "tabla.htm").string(),
                             "--save-trace", (dir / "traza.txt").string()});
  EXPECT_EQ(r.estado, 1);
  EXPECT_FALSE(fs::exists(dir / "tabla.htm"));
  EXPECT_EQ(Leer(dir / "traza.txt"),
            "\r\n\r\nAn\xE1lisis LL1 de errores.ll1\r\n\r\n"
            "An\xE1lisis concluido con errores detectados\r\n");
}

TEST_F(QuindelCli, standardInputIsNamedStdin) {
  const std::string texto = Leer(Dato("ejemplo.ll1"));
  const Salida r = Ejecutar({"-", "--html", (dir / "t.htm").string()}, texto);
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(r.salida, "Ningún error encontrado.\n\n" + kTablaEjemplo);
  EXPECT_NE(Leer(dir / "t.htm")
                .find("<TITLE>Tabla sint\xE1"
                      "ctica para stdin</TITLE>\r\n"),
            std::string::npos);
  EXPECT_EQ(Json::parse(Ejecutar({"--json", "-"}, texto).salida)["file"], "stdin");
}

TEST_F(QuindelCli, titlesHoldTheFileNameInWindows1252) {
  // Characters the code page cannot hold, and bytes that are not UTF-8, become '?'.
  const std::string texto = Leer(Dato("ejemplo.ll1"));
  Escribir(dir / "a\xC3\xB1o_\xE4\xB8\xAD.ll1", texto);  // "año_" and U+4E2D
  Escribir(dir / "x\xFFy.ll1", texto);
  const Salida r = Ejecutar({(dir / "a\xC3\xB1o_\xE4\xB8\xAD.ll1").string(), "--json", "--html",
                             (dir / "t.htm").string(), "--save-trace", (dir / "t.txt").string()});
  EXPECT_EQ(Json::parse(r.salida)["file"], "año_?.ll1");
  EXPECT_NE(Leer(dir / "t.htm").find("para a\xF1o_?.ll1</TITLE>"), std::string::npos);
  EXPECT_EQ(Leer(dir / "t.txt").substr(0, 31), "\r\n\r\nAn\xE1lisis LL1 de a\xF1o_?.ll1\r\n");
  EXPECT_EQ(Json::parse(Ejecutar({(dir / "x\xFFy.ll1").string(), "--json"}).salida)["file"],
            "x?y.ll1");
}

TEST_F(QuindelCli, lineFeedsAndLoneCarriageReturnsReadLikeCrLf) {
  const std::string crlf = Leer(Dato("ejemplo.ll1"));
  std::string lf, cr;
  for (std::size_t i = 0; i < crlf.size(); ++i) {
    if (crlf[i] == '\r') continue;
    lf += crlf[i];
    cr += crlf[i] == '\n' ? '\r' : crlf[i];
  }
  for (const std::string& texto : {lf, cr}) {
    Escribir(dir / "ejemplo.ll1", texto);
    const Salida r = Ejecutar({(dir / "ejemplo.ll1").string(), "--analysis", "--save-trace",
                               (dir / "traza.txt").string()});
    EXPECT_EQ(r.estado, 0);
    EXPECT_EQ(r.salida, Unir(kAnalisisEjemplo));
    EXPECT_EQ(Leer(dir / "traza.txt"), Leer(Dato("ejemplo.txt")));
  }
}

TEST_F(QuindelCli, usageAndReadFailuresExitWithTwo) {
  const Salida falta = Ejecutar({(dir / "no-existe.ll1").string()});
  EXPECT_EQ(falta.estado, 2);
  EXPECT_EQ(falta.salida, "");
  EXPECT_EQ(falta.error, "quindel-cli: no se puede leer " + (dir / "no-existe.ll1").string() +
                             ": no existe el fichero o el directorio\n");

  const Salida directorio = Ejecutar({dir.string()});
  EXPECT_EQ(directorio.estado, 2);
  EXPECT_EQ(directorio.error,
            "quindel-cli: no se puede leer " + dir.string() + ": es un directorio\n");
}

// Input without end would be read until memory ran out: more than 1 GiB is refused, a regular
// file from its size alone, a stream once that much has come.
TEST_F(QuindelCli, inputsOverOneGibAreRefused) {
  const fs::path enorme = dir / "enorme.ll1";
  Escribir(enorme, "");
  fs::resize_file(enorme, (std::uintmax_t{1} << 30) + 1);
  const std::string motivo = ": tiene más de 1 GiB, el máximo admitido\n";
  const Salida gramatica = Ejecutar({enorme.string()});
  EXPECT_EQ(gramatica.estado, 2);
  EXPECT_EQ(gramatica.error, "quindel-cli: no se puede leer " + enorme.string() + motivo);
  const Salida frases = Ejecutar({Dato("ejemplo.ll1"), "--parse-file", enorme.string()});
  EXPECT_EQ(frases.estado, 2);
  EXPECT_EQ(frases.salida, "");
  EXPECT_EQ(frases.error, gramatica.error);

  // A copy of the zero device, where this test may make one; the bound on memory makes the tool
  // fail rather than take the machine's if it reads on.
  const fs::path cero = dir / "cero";
  if (mknod(cero.c_str(), S_IFCHR | 0600, makedev(1, 5)) != 0)
    GTEST_SKIP() << "no se pueden crear dispositivos aquí";
#ifndef __SANITIZE_ADDRESS__
  limiteMemoria = rlim_t{3} << 30;
#endif
  const Salida sinFin = Ejecutar({cero.string()});
  EXPECT_EQ(sinFin.estado, 2);
  EXPECT_EQ(sinFin.error, "quindel-cli: no se puede leer " + cero.string() + motivo);
}

TEST_F(QuindelCli, usageErrorsAreOneSpanishLineAndAHint) {
  const std::string ejemplo = Dato("ejemplo.ll1"), errores = Dato("errores.ll1");
  const std::vector<std::pair<std::vector<std::string>, std::string>> casos = {
      {{}, "falta el fichero de gramática"},
      {{"--unknown", ejemplo}, "opción desconocida: --unknown"},
      {{"--unknown", "-x", ejemplo}, "opciones desconocidas: --unknown -x"},
      {{ejemplo, errores}, "sobra el argumento: " + errores + " (se analiza un solo fichero)"},
      {{"--unknown", ejemplo, errores, "-"},
       "opción desconocida: --unknown; sobran los argumentos: " + errores +
           " - (se analiza un solo fichero)"},
      {{ejemplo, "--html"}, "falta la ruta tras --html"},
      {{ejemplo, "--save-trace", "a", "--save-trace", "b"},
       "la opción --save-trace solo puede aparecer una vez"},
      {{"--json=quizá", ejemplo}, "valor no válido para --json: quizá"},
  };
  for (const auto& [argumentos, mensaje] : casos) {
    const Salida r = Ejecutar(argumentos);
    EXPECT_EQ(r.estado, 2) << mensaje;
    EXPECT_EQ(r.salida, "");
    EXPECT_EQ(r.error, "quindel-cli: " + mensaje + "\nUse --help para ver las opciones.\n");
  }
}

TEST_F(QuindelCli, helpAndVersion) {
  const Salida ayuda = Ejecutar({"--help"});
  EXPECT_EQ(ayuda.estado, 0);
  for (const char* texto : {"Uso: quindel-cli [OPCIONES] FICHERO\n",
                            "\nArgumentos:\n",
                            "FICHERO TEXTO OBLIGATORIO",
                            "\nOpciones:\n",
                            "--analysis",
                            "--errors",
                            "--table",
                            "--json",
                            "--raw",
                            "--html RUTA",
                            "--save-trace RUTA",
                            "--parse TEXTO",
                            "--parse-file RUTA",
                            "--tree-dot RUTA",
                            "--explain",
                            "--transform",
                            "--version",
                            "Muestra esta ayuda",
                            "Códigos de salida",
                            "de 1 GiB."})
    EXPECT_NE(ayuda.salida.find(texto), std::string::npos) << texto;
  // Nothing of CLI11's own English is left.
  for (const char* ingles : {"Usage", "OPTIONS", "Positionals", "Options", "REQUIRED", "TEXT ",
                             "Print", "Display", "PATH", "FILE"})
    EXPECT_EQ(ayuda.salida.find(ingles), std::string::npos) << ingles;

  const Salida version = Ejecutar({"--version"});
  EXPECT_EQ(version.estado, 0);
  EXPECT_EQ(version.salida.rfind("quindel-cli ", 0), 0u);
}

TEST_F(QuindelCli, anUnwritablePathChangesNothing) {
  Escribir(dir / "traza.txt", "antigua");
  const std::string imposible = (dir / "falta" / "tabla.htm").string();
  const Salida r = Ejecutar(
      {Dato("ejemplo.ll1"), "--save-trace", (dir / "traza.txt").string(), "--html", imposible});
  EXPECT_EQ(r.estado, 2);
  EXPECT_EQ(r.salida, "");
  EXPECT_EQ(r.error, "quindel-cli: no se puede escribir " + imposible +
                         ": no existe el fichero o el directorio\n");
  EXPECT_EQ(Leer(dir / "traza.txt"), "antigua");
  EXPECT_EQ(Contenido(), std::vector<std::string>{"traza.txt"});
}

TEST_F(QuindelCli, aFailedReplacementPutsTheFirstFileBack) {
  // The page is replaced first; the trace cannot replace a directory, so the page's old
  // contents must come back.
  Escribir(dir / "tabla.htm", "pagina antigua");
  fs::create_directory(dir / "traza");
  const Salida r = Ejecutar({Dato("ejemplo.ll1"), "--html", (dir / "tabla.htm").string(),
                             "--save-trace", (dir / "traza").string()});
  EXPECT_EQ(r.estado, 2);
  EXPECT_EQ(r.salida, "");
  EXPECT_NE(r.error.find((dir / "traza").string()), std::string::npos);
  EXPECT_EQ(Leer(dir / "tabla.htm"), "pagina antigua");
  EXPECT_EQ(Contenido(), (std::vector<std::string>{"tabla.htm", "traza"}));

  fs::remove(dir / "tabla.htm");
  Ejecutar({Dato("ejemplo.ll1"), "--html", (dir / "tabla.htm").string(), "--save-trace",
            (dir / "traza").string()});
  EXPECT_EQ(Contenido(), std::vector<std::string>{"traza"});
}

TEST_F(QuindelCli, bothOutputsOnOneFileIsAUsageError) {
  const Salida r = Ejecutar({Dato("ejemplo.ll1"), "--html", (dir / "x").string(), "--save-trace",
                             (dir / "." / "x").string()});
  EXPECT_EQ(r.estado, 2);
  EXPECT_EQ(r.salida, "");
  EXPECT_EQ(r.error, "quindel-cli: --html y --save-trace indican el mismo fichero: " +
                         (dir / "x").string() + "\n");
  EXPECT_FALSE(fs::exists(dir / "x"));
}

// An output over the grammar or the sentences would replace them once read: refused by whatever
// name it is given, and so are two outputs on one file.
TEST_F(QuindelCli, anOutputOverAnInputIsRefusedWhateverItsName) {
  const std::string texto = Leer(Dato("ejemplo.ll1"));
  const fs::path gramatica = dir / "g.ll1", frases = dir / "frases.txt";
  Escribir(gramatica, texto);
  Escribir(frases, "a b\n");
  fs::create_hard_link(gramatica, dir / "duro.ll1");
  fs::create_symlink("frases.txt", dir / "enlace.txt");
  const std::string g = gramatica.string(), punto = (dir / "." / "g.ll1").string(),
                    duro = (dir / "duro.ll1").string(), enlace = (dir / "enlace.txt").string();
  const std::vector<std::pair<std::vector<std::string>, std::string>> casos = {
      {{g, "--html", punto}, "--html indica el mismo fichero que la gramática: " + punto},
      {{g, "--save-trace", duro}, "--save-trace indica el mismo fichero que la gramática: " + duro},
      {{g, "--parse", "a b", "--tree-dot", g},
       "--tree-dot indica el mismo fichero que la gramática: " + g},
      {{g, "--parse-file", frases.string(), "--html", enlace},
       "--html indica el mismo fichero que --parse-file: " + enlace},
      {{g, "--html", g + "x", "--save-trace", duro + "x"}, ""},  // neither exists: different
  };
  for (const auto& [argumentos, mensaje] : casos) {
    const Salida r = Ejecutar(argumentos);
    EXPECT_EQ(r.estado, mensaje.empty() ? 0 : 2) << mensaje;
    EXPECT_EQ(r.error, mensaje.empty() ? "" : "quindel-cli: " + mensaje + "\n");
  }
  EXPECT_EQ(Leer(gramatica), texto);
  EXPECT_EQ(Leer(frases), "a b\n");

  // The tool's standard input is the file .stdin of the scratch directory.
  const std::string entrada = (dir / ".stdin").string();
  EXPECT_EQ(
      Ejecutar({"-", "--save-trace", entrada}, texto).error,
      "quindel-cli: --save-trace indica el mismo fichero que la gramática: " + entrada + "\n");

  fs::create_hard_link(g + "x", dir / "t.htm");
  EXPECT_EQ(Ejecutar({g, "--html", g + "x", "--save-trace", (dir / "t.htm").string()}).error,
            "quindel-cli: --html y --save-trace indican el mismo fichero: " + g + "x\n");
}

TEST_F(QuindelCli, writesThroughASymbolicLinkAndKeepsPermissions) {
  Escribir(dir / "real.htm", "antigua");
  fs::permissions(dir / "real.htm",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("real.htm", dir / "enlace.htm");
  EXPECT_EQ(Ejecutar({Dato("ejemplo.ll1"), "--html", (dir / "enlace.htm").string()}).estado, 0);
  EXPECT_TRUE(fs::is_symlink(dir / "enlace.htm"));
  EXPECT_EQ(Leer(dir / "real.htm"), Leer(Dato("ejemplo.htm")));
  EXPECT_EQ(fs::status(dir / "real.htm").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// The help and the version fail like any other output when standard output is full.
TEST_F(QuindelCli, helpAndVersionOntoAFullDeviceExitWithTwo) {
  const fs::path lleno = dir / "lleno";
  if (mknod(lleno.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0)
    GTEST_SKIP() << "no se pueden crear dispositivos aquí";
  for (const char* opcion : {"--help", "--version"}) {
    const Salida r = Ejecutar({opcion}, "", lleno.string());
    EXPECT_EQ(r.estado, 2) << opcion;
    EXPECT_EQ(r.error,
              "quindel-cli: no se puede escribir en la salida estándar: no queda espacio en el "
              "dispositivo\n");
  }
}

// A device or a FIFO is written where it stands, never replaced by a regular file.
TEST_F(QuindelCli, devicesAndFifosAreWrittenInPlace) {
  const fs::path tuberia = dir / "tuberia", traza = dir / "traza.txt";
  ASSERT_EQ(mkfifo(tuberia.c_str(), 0600), 0);
  const int lector = open(tuberia.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  EXPECT_EQ(Ejecutar({Dato("ejemplo.ll1"), "--html", tuberia.string()}).estado, 0);
  std::string leido(8192, '\0');
  leido.resize(static_cast<std::size_t>(std::max(0L, read(lector, leido.data(), leido.size()))));
  close(lector);
  EXPECT_EQ(leido, Leer(Dato("ejemplo.htm")));
  EXPECT_TRUE(fs::is_fifo(tuberia));

  // Nobody reads it: the tool fails at once rather than waiting, and writes nothing else.
  const Salida sinLector =
      Ejecutar({Dato("ejemplo.ll1"), "--save-trace", traza.string(), "--html", tuberia.string()});
  EXPECT_EQ(sinLector.estado, 2);
  EXPECT_EQ(sinLector.salida, "");
  EXPECT_EQ(sinLector.error, "quindel-cli: no se puede escribir " + tuberia.string() +
                                 ": nadie lee de la tubería\n");
  EXPECT_EQ(Contenido(), std::vector<std::string>{"tuberia"});

  // Copies of the null and full devices, where this test may make them.
  const fs::path nulo = dir / "nulo", nulo2 = dir / "nulo2", lleno = dir / "lleno";
  if (mknod(nulo.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0 ||
      mknod(nulo2.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0 ||
      mknod(lleno.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0)
    GTEST_SKIP() << "no se pueden crear dispositivos aquí";
  const Salida aNulo = Ejecutar({Dato("ejemplo.ll1"), "--html", nulo.string(), "--save-trace",
                                 traza.string(), "--parse", "a b", "--tree-dot", nulo2.string()});
  EXPECT_EQ(aNulo.estado, 0);
  EXPECT_EQ(Leer(traza), Leer(Dato("ejemplo.txt")));
  const Salida aLleno = Ejecutar(
      {Dato("ejemplo.ll1"), "--html", (dir / "t.htm").string(), "--save-trace", lleno.string()});
  EXPECT_EQ(aLleno.estado, 2);
  EXPECT_EQ(aLleno.salida, "");
  EXPECT_EQ(aLleno.error, "quindel-cli: no se puede escribir " + lleno.string() +
                              ": no queda espacio en el dispositivo\n");
  EXPECT_TRUE(fs::is_character_file(nulo) && fs::is_character_file(nulo2) &&
              fs::is_character_file(lleno));
  EXPECT_EQ(Contenido(),
            (std::vector<std::string>{"lleno", "nulo", "nulo2", "traza.txt", "tuberia"}));
}

// A reader that goes away in the middle fails the write instead of killing the tool.
TEST_F(QuindelCli, aFifoWhoseReaderLeavesFailsTheWrite) {
  const fs::path tuberia = dir / "tuberia";
  ASSERT_EQ(mkfifo(tuberia.c_str(), 0600), 0);
  const int lector = open(tuberia.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  // The trace is far larger than what a pipe holds, so the tool waits on it.
  const pid_t hijo = Lanzar({"-", "--save-trace", tuberia.string()}, GramaticaEnCadena(3000));
  pollfd espera{lector, POLLIN, 0};
  ASSERT_EQ(poll(&espera, 1, 20000), 1);
  close(lector);
  int senal = 0;
  const Salida r = Esperar(hijo, "", &senal);
  EXPECT_EQ(senal, 0);
  EXPECT_EQ(r.estado, 2);
  EXPECT_EQ(r.error, "quindel-cli: no se puede escribir " + tuberia.string() + ": tubería rota\n");
}

// Interrupted halfway, the tool leaves no hidden file behind and the old page as it was. The
// page waits in its temporary file while the trace fills a FIFO that is read no further.
TEST_F(QuindelCli, anInterruptedWriteLeavesNoHiddenFile) {
  const fs::path tuberia = dir / "tuberia", tabla = dir / "tabla.htm";
  Escribir(tabla, "antigua");
  for (const int senal : {SIGINT, SIGTERM}) {
    ASSERT_EQ(mkfifo(tuberia.c_str(), 0600), 0);
    const int lector = open(tuberia.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const pid_t hijo = Lanzar({"-", "--html", tabla.string(), "--save-trace", tuberia.string()},
                              GramaticaEnCadena(3000));
    pollfd espera{lector, POLLIN, 0};
    ASSERT_EQ(poll(&espera, 1, 20000), 1);
    kill(hijo, senal);
    int recibida = 0;
    Esperar(hijo, "", &recibida);
    close(lector);
    EXPECT_EQ(recibida, senal);
    EXPECT_EQ(Contenido(), (std::vector<std::string>{"tabla.htm", "tuberia"})) << senal;
    EXPECT_EQ(Leer(tabla), "antigua");
    fs::remove(tuberia);
  }
}

TEST_F(QuindelCli, aFailingStandardOutputExitsWithTwo) {
  const Salida r = Ejecutar({Dato("ejemplo.ll1")}, "", "/dev/full");
  EXPECT_EQ(r.estado, 2);
  EXPECT_EQ(r.error,
            "quindel-cli: no se puede escribir en la salida estándar: no queda espacio en el "
            "dispositivo\n");

  // A JSON document goes out block by block as it is written; a block that fails is reported
  // the same, and the status says so.
  const std::string grande = GramaticaEnCadena(3000);
  ASSERT_GT(Ejecutar({"--json", "-"}, grande).salida.size(), std::size_t{1} << 20);
  const Salida json = Ejecutar({"--json", "-"}, grande, "/dev/full");
  EXPECT_EQ(json.estado, 2);
  EXPECT_EQ(json.error, r.error);
}

// ---------------------------------------------------------------------------------------------
// Sentences: --parse, --parse-file, --tree-dot

std::string TextoGramatica(const std::string& terminales, const std::string& noTerminales,
                           const std::string& axioma, const std::vector<std::string>& prods) {
  std::string texto = "Terminales = { " + terminales + " }\r\nNoTerminales = { " + noTerminales +
                      " }\r\nAxioma = " + axioma + "\r\nProducciones = {\r\n";
  for (const std::string& p : prods) texto += p + "\r\n";
  return texto + "}\r\n";
}

const std::string kExpresiones =
    TextoGramatica("+ * ( ) id", "E Eprima T Tprima F", "E",
                   {"E -> T Eprima", "Eprima -> + T Eprima", "Eprima -> lambda", "T -> F Tprima",
                    "Tprima -> * F Tprima", "Tprima -> lambda", "F -> ( E )", "F -> id"});

// Names separated by blanks, "$" standing for the end-of-input terminal.
Json Nombres(const std::string& texto) {
  Json nombres = Json::array();
  std::istringstream palabras(texto);
  for (std::string nombre; palabras >> nombre;) nombres.push_back(nombre == "$" ? kFin : nombre);
  return nombres;
}

// A step: "expand" with its production, "match" with its terminal, "accept" or "error".
Json Paso(const std::string& pila, const std::string& entrada, const std::string& accion,
          const std::string& detalle = "") {
  Json paso = {{"stack", Nombres(pila)}, {"input", Nombres(entrada)}, {"action", accion}};
  if (accion == "expand") paso["production"] = detalle;
  if (accion == "match") paso["terminal"] = detalle;
  return paso;
}

Json Hoja(const std::string& simbolo) { return {{"symbol", simbolo}}; }
Json Nodo(const std::string& simbolo, const std::string& produccion, std::vector<Json> hijos) {
  return {{"symbol", simbolo}, {"production", produccion}, {"children", Json(std::move(hijos))}};
}

Json Fallo(int posicion, const std::string& encontrado, const std::string& esperados,
           const std::string& mensaje) {
  return {{"position", posicion},
          {"found", encontrado == "$" ? kFin : encontrado},
          {"expected", Nombres(esperados)},
          {"message", mensaje}};
}

Json Parse(const std::string& entrada, const Json& error, std::vector<Json> pasos,
           const Json& arbol) {
  return {{"input", Nombres(entrada)},
          {"accepted", error.is_null()},
          {"error", error},
          {"steps", Json(std::move(pasos))},
          {"tree", arbol}};
}

// The whole document of --json --parse: the one without --parse plus the key "parse".
void ComprobarDocumento(const Salida& r, const Json& sinFrase, const Json& parse, int estado) {
  EXPECT_EQ(r.estado, estado);
  Json esperado = sinFrase;
  esperado["parse"] = parse;
  EXPECT_EQ(Json::parse(r.salida), esperado);
}

TEST_F(QuindelCli, parseJson_expressionSentence) {
  const Json base = Json::parse(Ejecutar({"--json", "-"}, kExpresiones).salida);
  const Salida r = Ejecutar({"--json", "--parse", "id + id * id", "-"}, kExpresiones);
  const std::string fin = " | $";
  ComprobarDocumento(
      r, base,
      Parse(
          "id + id * id", nullptr,
          {Paso("$ E", "id + id * id $", "expand", "E -> T Eprima"),
           Paso("$ Eprima T", "id + id * id $", "expand", "T -> F Tprima"),
           Paso("$ Eprima Tprima F", "id + id * id $", "expand", "F -> id"),
           Paso("$ Eprima Tprima id", "id + id * id $", "match", "id"),
           Paso("$ Eprima Tprima", "+ id * id $", "expand", "Tprima -> lambda"),
           Paso("$ Eprima", "+ id * id $", "expand", "Eprima -> + T Eprima"),
           Paso("$ Eprima T +", "+ id * id $", "match", "+"),
           Paso("$ Eprima T", "id * id $", "expand", "T -> F Tprima"),
           Paso("$ Eprima Tprima F", "id * id $", "expand", "F -> id"),
           Paso("$ Eprima Tprima id", "id * id $", "match", "id"),
           Paso("$ Eprima Tprima", "* id $", "expand", "Tprima -> * F Tprima"),
           Paso("$ Eprima Tprima F *", "* id $", "match", "*"),
           Paso("$ Eprima Tprima F", "id $", "expand", "F -> id"),
           Paso("$ Eprima Tprima id", "id $", "match", "id"),
           Paso("$ Eprima Tprima", "$", "expand", "Tprima -> lambda"),
           Paso("$ Eprima", "$", "expand", "Eprima -> lambda"), Paso("$", "$", "accept")},
          Nodo("E", "E -> T Eprima",
               {Nodo("T", "T -> F Tprima",
                     {Nodo("F", "F -> id", {Hoja("id")}), Nodo("Tprima", "Tprima -> lambda", {})}),
                Nodo("Eprima", "Eprima -> + T Eprima",
                     {Hoja("+"),
                      Nodo("T", "T -> F Tprima",
                           {Nodo("F", "F -> id", {Hoja("id")}),
                            Nodo("Tprima", "Tprima -> * F Tprima",
                                 {Hoja("*"), Nodo("F", "F -> id", {Hoja("id")}),
                                  Nodo("Tprima", "Tprima -> lambda", {})})}),
                      Nodo("Eprima", "Eprima -> lambda", {})})})),
      0);
}

TEST_F(QuindelCli, parseJson_lambdaProductions) {
  const std::string gramatica = TextoGramatica("a b c", "S A B C", "S",
                                               {"S -> A B C", "A -> a A", "A -> lambda", "B -> b",
                                                "B -> lambda", "C -> c C", "C -> lambda"});
  const Json base = Json::parse(Ejecutar({"--json", "-"}, gramatica).salida);
  ComprobarDocumento(
      Ejecutar({"--parse", "a c", "-", "--json"}, gramatica), base,
      Parse(
          "a c", nullptr,
          {Paso("$ S", "a c $", "expand", "S -> A B C"),
           Paso("$ C B A", "a c $", "expand", "A -> a A"), Paso("$ C B A a", "a c $", "match", "a"),
           Paso("$ C B A", "c $", "expand", "A -> lambda"),
           Paso("$ C B", "c $", "expand", "B -> lambda"), Paso("$ C", "c $", "expand", "C -> c C"),
           Paso("$ C c", "c $", "match", "c"), Paso("$ C", "$", "expand", "C -> lambda"),
           Paso("$", "$", "accept")},
          Nodo("S", "S -> A B C",
               {Nodo("A", "A -> a A", {Hoja("a"), Nodo("A", "A -> lambda", {})}),
                Nodo("B", "B -> lambda", {}),
                Nodo("C", "C -> c C", {Hoja("c"), Nodo("C", "C -> lambda", {})})})),
      0);
}

// Every way a parse stops, and a name that is no terminal; nodes never reached are bare.
TEST_F(QuindelCli, parseJson_rejections) {
  const std::string ejemplo = Leer(Dato("ejemplo.ll1"));
  const Json base = Json::parse(Ejecutar({"--json", "-"}, ejemplo).salida);
  const std::string mensaje$ = "se esperaba uno de { " + kFin + " } y se encontró b";
  struct Caso {
    std::string frase;
    Json parse;
  };
  const std::vector<Caso> casos = {
      // A terminal on top that the input does not have.
      {"a a b a",
       Parse("a a b a", Fallo(4, "a", "b", "se esperaba uno de { b } y se encontró a"),
             {Paso("$ S", "a a b a $", "expand", "S -> a S b"),
              Paso("$ b S a", "a a b a $", "match", "a"),
              Paso("$ b S", "a b a $", "expand", "S -> a S b"),
              Paso("$ b b S a", "a b a $", "match", "a"),
              Paso("$ b b S", "b a $", "expand", "S -> lambda"),
              Paso("$ b b", "b a $", "match", "b"), Paso("$ b", "a $", "error")},
             Nodo("S", "S -> a S b",
                  {Hoja("a"),
                   Nodo("S", "S -> a S b", {Hoja("a"), Nodo("S", "S -> lambda", {}), Hoja("b")}),
                   Hoja("b")}))},
      // The input ends too soon.
      {"a", Parse("a", Fallo(2, "$", "b", "se esperaba uno de { b } y se encontró " + kFin),
                  {Paso("$ S", "a $", "expand", "S -> a S b"), Paso("$ b S a", "a $", "match", "a"),
                   Paso("$ b S", "$", "expand", "S -> lambda"), Paso("$ b", "$", "error")},
                  Nodo("S", "S -> a S b", {Hoja("a"), Nodo("S", "S -> lambda", {}), Hoja("b")}))},
      // Input left once the stack holds only the end of input.
      {"b", Parse("b", Fallo(1, "b", "$", mensaje$),
                  {Paso("$ S", "b $", "expand", "S -> lambda"), Paso("$", "b $", "error")},
                  Nodo("S", "S -> lambda", {}))},
      // A name that is no terminal: no step, no tree.
      {"a x b", Parse("a x b", Fallo(2, "x", "", "el símbolo x no es un terminal de la gramática"),
                      {}, nullptr)},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.frase);
    ComprobarDocumento(Ejecutar({"--json", "--parse", caso.frase, "-"}, ejemplo), base, caso.parse,
                       3);
  }

  // A non-terminal whose row has no cell for the terminal: the terminals it has.
  const Json base2 = Json::parse(Ejecutar({"--json", "-"}, kExpresiones).salida);
  ComprobarDocumento(
      Ejecutar({"--json", "--parse", "id )", "-"}, kExpresiones), base2,
      Parse(
          "id )", Fallo(2, ")", "$", "se esperaba uno de { " + kFin + " } y se encontró )"),
          {Paso("$ E", "id ) $", "expand", "E -> T Eprima"),
           Paso("$ Eprima T", "id ) $", "expand", "T -> F Tprima"),
           Paso("$ Eprima Tprima F", "id ) $", "expand", "F -> id"),
           Paso("$ Eprima Tprima id", "id ) $", "match", "id"),
           Paso("$ Eprima Tprima", ") $", "expand", "Tprima -> lambda"),
           Paso("$ Eprima", ") $", "expand", "Eprima -> lambda"), Paso("$", ") $", "error")},
          Nodo("E", "E -> T Eprima",
               {Nodo("T", "T -> F Tprima",
                     {Nodo("F", "F -> id", {Hoja("id")}), Nodo("Tprima", "Tprima -> lambda", {})}),
                Nodo("Eprima", "Eprima -> lambda", {})})),
      3);
  ComprobarDocumento(
      Ejecutar({"--json", "--parse", "( +", "-"}, kExpresiones), base2,
      Parse(
          "( +", Fallo(2, "+", "( id", "se esperaba uno de { ( id } y se encontró +"),
          {Paso("$ E", "( + $", "expand", "E -> T Eprima"),
           Paso("$ Eprima T", "( + $", "expand", "T -> F Tprima"),
           Paso("$ Eprima Tprima F", "( + $", "expand", "F -> ( E )"),
           Paso("$ Eprima Tprima ) E (", "( + $", "match", "("),
           Paso("$ Eprima Tprima ) E", "+ $", "error")},
          Nodo("E", "E -> T Eprima",
               {Nodo("T", "T -> F Tprima",
                     {Nodo("F", "F -> ( E )", {Hoja("("), Hoja("E"), Hoja(")")}), Hoja("Tprima")}),
                Hoja("Eprima")})),
      3);
}

// The JSON is laid out as the rest of the document, the tree on one line.
TEST_F(QuindelCli, parseJson_layout) {
  const Salida r = Ejecutar({"--json", "--parse", "b", Dato("ejemplo.ll1")});
  const std::string sinFrase = Ejecutar({"--json", Dato("ejemplo.ll1")}).salida;
  ASSERT_EQ(r.salida.substr(0, sinFrase.size() - 3), sinFrase.substr(0, sinFrase.size() - 3));
  EXPECT_EQ(r.salida.substr(sinFrase.size() - 3),
            ",\n"
            "  \"parse\": {\n"
            "    \"input\": [\n"
            "      \"b\"\n"
            "    ],\n"
            "    \"accepted\": false,\n"
            "    \"error\": {\n"
            "      \"position\": 1,\n"
            "      \"found\": \"b\",\n"
            "      \"expected\": [\n"
            "        \"" +
                kFin +
                "\"\n"
                "      ],\n"
                "      \"message\": \"se esperaba uno de { " +
                kFin +
                " } y se encontró b\"\n"
                "    },\n"
                "    \"steps\": [\n"
                "      {\n"
                "        \"stack\": [\n"
                "          \"" +
                kFin +
                "\",\n"
                "          \"S\"\n"
                "        ],\n"
                "        \"input\": [\n"
                "          \"b\",\n"
                "          \"" +
                kFin +
                "\"\n"
                "        ],\n"
                "        \"action\": \"expand\",\n"
                "        \"production\": \"S -> lambda\"\n"
                "      },\n"
                "      {\n"
                "        \"stack\": [\n"
                "          \"" +
                kFin +
                "\"\n"
                "        ],\n"
                "        \"input\": [\n"
                "          \"b\",\n"
                "          \"" +
                kFin +
                "\"\n"
                "        ],\n"
                "        \"action\": \"error\"\n"
                "      }\n"
                "    ],\n"
                "    \"tree\": {\"symbol\":\"S\",\"production\":\"S -> lambda\",\"children\":[]}\n"
                "  }\n"
                "}\n");
  EXPECT_EQ(
      Ejecutar({"--json", "--parse", "", Dato("errores.ll1")}).salida,
      Ejecutar({"--json", Dato("errores.ll1")}).salida.substr(0, 0) + [&] {
        std::string d = Ejecutar({"--json", Dato("errores.ll1")}).salida;
        return d.substr(0, d.size() - 3) + ",\n  \"parse\": null\n}\n";
      }());
}

const std::string kGridEjemplo =
    "Pila            | Entrada           | Acción\n"
    " $ (final de cadena) S     | a b  $ (final de cadena) | S -> a S b\n";

TEST_F(QuindelCli, parseText_gridAndVerdictAfterTheOtherSections) {
  const std::string grid = "Pila                       | Entrada                  | Acción\n" +
                           kFin + " S     | a b " + kFin + " | S -> a S b\n" + kFin +
                           " b S a | a b " + kFin + " | emparejar a\n" + kFin + " b S   | b " +
                           kFin + "   | S -> lambda\n" + kFin + " b     | b " + kFin +
                           "   | emparejar b\n" + kFin + "       | " + kFin +
                           "     | aceptar\n"
                           "\n"
                           "Cadena aceptada.\n";
  const Salida sola = Ejecutar({"--parse", "a b", Dato("ejemplo.ll1")});
  EXPECT_EQ(sola.estado, 0);
  EXPECT_EQ(sola.salida, grid);
  const Salida todas = Ejecutar({"--parse", " a\tb ", "--table", "--errors", Dato("ejemplo.ll1")});
  EXPECT_EQ(todas.salida, "Ningún error encontrado.\n\n" + kTablaEjemplo + "\n" + grid);

  const Salida rechazada = Ejecutar({"--parse", "a a", Dato("ejemplo.ll1"), "--raw"});
  EXPECT_EQ(rechazada.estado, 3);
  EXPECT_EQ(rechazada.salida.substr(rechazada.salida.rfind("\n\n")),
            "\n\nCadena rechazada: se esperaba uno de { b } y se encontr\xF3 \xA0$ (final de "
            "cadena) (posici\xF3n 3).\n");

  const Salida desconocido = Ejecutar({"--parse", "a ñ", Dato("ejemplo.ll1")});
  EXPECT_EQ(desconocido.estado, 3);
  EXPECT_EQ(desconocido.salida,
            "Cadena rechazada: el símbolo ñ no es un terminal de la gramática (posición 2).\n");

  // Names are taken from UTF-8 into Windows-1252.
  const Salida acentos = Ejecutar({"--parse", "ñ a", Dato("acentos.ll1")});
  EXPECT_EQ(acentos.estado, 0);
  EXPECT_NE(acentos.salida.find("| emparejar ñ\n"), std::string::npos);
  const Salida noCabe = Ejecutar({"--parse", "中", Dato("acentos.ll1")});
  EXPECT_EQ(noCabe.estado, 2);
  EXPECT_EQ(noCabe.salida, "");
  EXPECT_EQ(noCabe.error,
            "quindel-cli: la cadena de --parse tiene caracteres que Windows-1252 no admite\n");
}

// The grid of a sentence grows with the square of its length, the memory must not: 2,000
// terminals make 16 MB of grid, written within a 32 MB address space.
TEST_F(QuindelCli, parseText_longSentenceInLittleMemory) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer alone takes more address space than the bound";
#endif
  const int n = 2000;
  const std::string fin = "\xA0$ (final de cadena)";
  std::string frase, pasos;
  for (int i = 0; i < n; ++i) frase += "a ";
  const auto resto = [&](int quedan) {
    std::string texto;
    for (int i = 0; i < quedan; ++i) texto += "a ";
    return texto + fin;
  };
  // The stack column is as wide as its widest cell, "fin S a"; the input column as the input.
  const auto fila = [&](const std::string& pila, const std::string& entrada,
                        const std::string& accion) {
    pasos += pila + std::string(24 - pila.size(), ' ') + " | " + entrada +
             std::string(2 * n + fin.size() - entrada.size(), ' ') + " | " + accion + "\n";
  };
  fila("Pila", "Entrada", "Acci\xF3n");
  for (int i = 0; i < n; ++i) {
    fila(fin + " S", resto(n - i), "S -> a S");
    fila(fin + " S a", resto(n - i), "emparejar a");
  }
  fila(fin + " S", fin, "S -> lambda");
  fila(fin, fin, "aceptar");
  limiteMemoria = rlim_t{32} << 20;
  const Salida r = Ejecutar({"-", "--raw", "--parse", frase},
                            TextoGramatica("a", "S", "S", {"S -> a S", "S -> lambda"}));
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(r.error, "");
  EXPECT_TRUE(r.salida == pasos + "\nCadena aceptada.\n") << r.salida.size() << " bytes";
}

TEST_F(QuindelCli, parseWithoutTable_saysSoAndExitsWithOne) {
  const Salida r = Ejecutar({"--parse", "a", Dato("conflicto.ll1")});
  EXPECT_EQ(r.estado, 1);
  EXPECT_EQ(r.salida, "No hay tabla sintáctica: la gramática tiene errores.\n");
  const Salida errores = Ejecutar(
      {"--parse", "a", "--errors", Dato("errores.ll1"), "--tree-dot", (dir / "a.dot").string()});
  EXPECT_EQ(errores.estado, 1);
  EXPECT_EQ(errores.salida,
            kErroresLectura + "\nNo hay tabla sintáctica: la gramática tiene errores.\n");
  EXPECT_TRUE(Contenido().empty());

  Escribir(dir / "frases.txt", "a\r\n");
  const Salida json =
      Ejecutar({"--parse-file", (dir / "frases.txt").string(), "--json", Dato("errores.ll1")});
  EXPECT_EQ(json.estado, 1);
  EXPECT_TRUE(Json::parse(json.salida)["parses"].is_null());
}

TEST_F(QuindelCli, parseFile_oneLinePerSentence) {
  // CR LF, LF and a lone CR end lines; lines without a name are skipped but counted.
  Escribir(dir / "frases.txt", "a b\r\n\r\n \t \na a b\rb\r\na a b b\n\nx");
  const Salida r = Ejecutar({Dato("ejemplo.ll1"), "--parse-file", (dir / "frases.txt").string()});
  EXPECT_EQ(r.estado, 3);
  EXPECT_EQ(r.salida,
            "1: aceptada\n"
            "4: rechazada: se esperaba uno de { b } y se encontró " +
                kFin +
                " (posición 4)\n"
                "5: rechazada: se esperaba uno de { " +
                kFin +
                " } y se encontró b (posición 1)\n"
                "6: aceptada\n"
                "8: rechazada: el símbolo x no es un terminal de la gramática (posición 1)\n");

  const Json json = Json::parse(
      Ejecutar({Dato("ejemplo.ll1"), "--json", "--parse-file", (dir / "frases.txt").string()})
          .salida);
  ASSERT_EQ(json["parses"].size(), 5u);
  const Json& quinta = json["parses"][4];
  EXPECT_EQ(quinta,
            Json({{"line", 8},
                  {"input", {"x"}},
                  {"accepted", false},
                  {"error", Fallo(1, "x", "", "el símbolo x no es un terminal de la gramática")},
                  {"steps", Json::array()},
                  {"tree", nullptr}}));
  EXPECT_EQ(json["parses"][3]["line"], 6);
  EXPECT_TRUE(json["parses"][3]["accepted"].get<bool>());

  // Every sentence accepted, from standard input; an empty file has nothing to reject.
  Escribir(dir / "buenas.txt", "a b\n\na a b b\n");
  const Salida buenas =
      Ejecutar({"--parse-file", "-", Dato("ejemplo.ll1")}, Leer(dir / "buenas.txt"));
  EXPECT_EQ(buenas.estado, 0);
  EXPECT_EQ(buenas.salida, "1: aceptada\n3: aceptada\n");
  Escribir(dir / "vacio.txt", "");
  const Salida vacio =
      Ejecutar({"--parse-file", (dir / "vacio.txt").string(), "--errors", Dato("ejemplo.ll1")});
  EXPECT_EQ(vacio.estado, 0);
  EXPECT_EQ(vacio.salida, "Ningún error encontrado.\n");
  EXPECT_EQ(Json::parse(Ejecutar({"--parse-file", (dir / "vacio.txt").string(), "--json",
                                  Dato("ejemplo.ll1")})
                            .salida)["parses"],
            Json::array());

  const Salida falta = Ejecutar({"--parse-file", (dir / "no.txt").string(), Dato("ejemplo.ll1")});
  EXPECT_EQ(falta.estado, 2);
  EXPECT_EQ(falta.salida, "");
  EXPECT_EQ(falta.error, "quindel-cli: no se puede leer " + (dir / "no.txt").string() +
                             ": no existe el fichero o el directorio\n");
}

TEST_F(QuindelCli, treeDot_writtenAtomicallyWithTheOtherFiles) {
  const std::string dot = (dir / "arbol.dot").string();
  const Salida r =
      Ejecutar({"--parse", "a \"\\ b", "-", "--tree-dot", dot, "--html", (dir / "t.htm").string()},
               TextoGramatica("a b \"\\", "S", "S", {"S -> a S b", "S -> \"\\", "S -> lambda"}));
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(Leer(dot),
            "digraph arbol {\n"
            "  ordering=out;\n"
            "  n0 [label=\"S\"];\n"
            "  n1 [label=\"a\"];\n"
            "  n2 [label=\"S\"];\n"
            "  n3 [label=\"b\"];\n"
            "  n4 [label=\"\\\"\\\\\"];\n"
            "  n0 -> n1;\n"
            "  n0 -> n2;\n"
            "  n0 -> n3;\n"
            "  n2 -> n4;\n"
            "}\n");
  EXPECT_EQ(Contenido(), (std::vector<std::string>{"arbol.dot", "t.htm"}));

  // A rejected sentence: the nodes never reached in grey.
  const Salida rechazada = Ejecutar({"--parse", "a", Dato("ejemplo.ll1"), "--tree-dot", dot});
  EXPECT_EQ(rechazada.estado, 3);
  EXPECT_EQ(Leer(dot),
            "digraph arbol {\n"
            "  ordering=out;\n"
            "  n0 [label=\"S\"];\n"
            "  n1 [label=\"a\"];\n"
            "  n2 [label=\"S\"];\n"
            "  n3 [label=\"b\", color=gray60, fontcolor=gray60];\n"
            "  n0 -> n1;\n"
            "  n0 -> n2;\n"
            "  n0 -> n3;\n"
            "}\n");

  // No tree, no file: the old one stays.
  Escribir(dot, "antiguo");
  EXPECT_EQ(Ejecutar({"--parse", "z", Dato("ejemplo.ll1"), "--tree-dot", dot}).estado, 3);
  EXPECT_EQ(Leer(dot), "antiguo");
  // One file that cannot be written: none is.
  const Salida fallo = Ejecutar({"--parse", "a b", Dato("ejemplo.ll1"), "--tree-dot", dot,
                                 "--save-trace", (dir / "falta" / "t.txt").string()});
  EXPECT_EQ(fallo.estado, 2);
  EXPECT_EQ(fallo.salida, "");
  EXPECT_EQ(Leer(dot), "antiguo");
}

TEST_F(QuindelCli, parseOptions_usageErrors) {
  const std::string ejemplo = Dato("ejemplo.ll1");
  const std::vector<std::pair<std::vector<std::string>, std::string>> uso = {
      {{ejemplo, "--tree-dot", "a.dot"}, "--tree-dot necesita --parse"},
      {{ejemplo, "--parse", "a", "--parse-file", "f"}, "--parse y --parse-file no van juntas"},
      {{"-", "--parse-file", "-"},
       "la gramática y --parse-file no pueden leer las dos la entrada estándar"},
      {{ejemplo, "--parse"}, "falta la ruta tras --parse"},
  };
  for (const auto& [argumentos, mensaje] : uso) {
    const Salida r = Ejecutar(argumentos);
    EXPECT_EQ(r.estado, 2) << mensaje;
    EXPECT_EQ(r.salida, "");
    EXPECT_EQ(r.error, "quindel-cli: " + mensaje + "\nUse --help para ver las opciones.\n");
  }
  const Salida mismo = Ejecutar({ejemplo, "--parse", "a b", "--tree-dot", (dir / "x").string(),
                                 "--save-trace", (dir / "x").string()});
  EXPECT_EQ(mismo.estado, 2);
  EXPECT_EQ(mismo.error, "quindel-cli: --tree-dot y --save-trace indican el mismo fichero: " +
                             (dir / "x").string() + "\n");
  EXPECT_EQ(Ejecutar({ejemplo, "--parse", "a b", "--tree-dot", ""}).error,
            "quindel-cli: --tree-dot necesita un nombre de fichero\n");
  EXPECT_TRUE(Contenido().empty());
}

// Counts, without building it, the nesting and the nodes of a JSON document: a tree 100,000
// deep must not be walked by recursion, here either.
struct Recuento : nlohmann::json_sax<Json> {
  int profundidad = 0, maxima = 0, simbolos = 0;
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return Entrar(); }
  bool key(string_t& clave) override {
    simbolos += clave == "symbol";
    return true;
  }
  bool end_object() override { return Salir(); }
  bool start_array(std::size_t) override { return Entrar(); }
  bool end_array() override { return Salir(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }
  bool Entrar() {
    maxima = std::max(maxima, ++profundidad);
    return true;
  }
  bool Salir() {
    --profundidad;
    return true;
  }
};

// A chain of 100,000 non-terminals, A1 -> A2, ..., A100000 -> a: the sentence "a" has a tree
// 100,001 nodes deep, while every step's stack and input stay short.
TEST_F(QuindelCli, deepTree_jsonAndDot) {
  constexpr int n = 100000;
  std::string noTerminales;
  std::vector<std::string> producciones;
  for (int i = 1; i <= n; ++i) {
    noTerminales += "A" + std::to_string(i) + (i % 20 == 0 ? "\r\n" : " ");
    producciones.push_back("A" + std::to_string(i) + " -> " +
                           (i < n ? "A" + std::to_string(i + 1) : std::string("a")));
  }
  const std::string dot = (dir / "arbol.dot").string();
  const Salida r = Ejecutar({"--json", "--parse", "a", "-", "--tree-dot", dot},
                            TextoGramatica("a", noTerminales, "A1", producciones));
  ASSERT_EQ(r.estado, 0) << r.error;
  Recuento recuento;
  ASSERT_TRUE(Json::sax_parse(r.salida, &recuento));
  EXPECT_EQ(recuento.simbolos, n + 1);
  EXPECT_GE(recuento.maxima, 2 * n);
  const std::size_t pasos = r.salida.find("\"steps\": [");
  ASSERT_NE(pasos, std::string::npos);
  EXPECT_NE(r.salida.find("\"production\":\"A100000 -> a\",\"children\":[{\"symbol\":\"a\"}]}"),
            std::string::npos);
  const std::string arbol = Leer(dot);
  EXPECT_EQ(std::count(arbol.begin(), arbol.end(), '\n'), (n + 1) + n + 3);  // nodes, edges
  EXPECT_NE(arbol.find("  n99999 -> n100000;\n}\n"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Explanations and the proposed grammar: --explain, the JSON keys, --transform

// An LL(1) grammar with a terminal that no production uses.
const std::string kSinUso = TextoGramatica("a b c", "S", "S", {"S -> a S b", "S -> lambda"});

TEST_F(QuindelCli, explain_aSectionAfterTheErrors) {
  // A's left recursion is explained; B's conflict is not, since B lies out of the axiom's
  // reach, which the warning says.
  const Salida r = Ejecutar({"--explain", Dato("conflicto.ll1"), "--errors", "--table"});
  EXPECT_EQ(r.estado, 1);
  EXPECT_EQ(r.salida,
            "Línea 5: La producción genera recursividad por la izquierda del símbolo A.\n"
            "Líneas 7 y 8: Las dos producciones contienen el símbolo x en su conjunto FIRST.\n"
            "\n"
            "Encontrados 2 errores.\n"
            "\n"
            "Línea 5: La producción genera recursividad por la izquierda del símbolo A.\n"
            "  Ciclo de recursividad por la izquierda:\n"
            "    A -> A x (línea 5)\n"
            "\n"
            "Aviso en la línea 2: el símbolo no terminal B no es accesible desde el axioma.\n");

  // Alone it is the only section; it comes before the table and the parse.
  const std::string aviso =
      "Aviso en la línea 1: el símbolo terminal c no aparece en ninguna producción.\n";
  const Salida sola = Ejecutar({"--explain", "-"}, kSinUso);
  EXPECT_EQ(sola.estado, 0);
  EXPECT_EQ(sola.salida, aviso);
  EXPECT_EQ(Ejecutar({"--parse", "a b", "--table", "--explain", "-"}, kSinUso).salida,
            aviso + "\n" + Ejecutar({"--table", "-"}, kSinUso).salida + "\n" +
                Ejecutar({"--parse", "a b", "-"}, kSinUso).salida);
  EXPECT_EQ(Ejecutar({"--explain", "--raw", "-"}, kSinUso).salida,
            "Aviso en la l\xEDnea 1: el s\xEDmbolo terminal c no aparece en ninguna "
            "producci\xF3n.\n");

  // Nothing to explain: no section. Reading errors: one line says why.
  const Salida nada = Ejecutar({"--explain", Dato("ejemplo.ll1")});
  EXPECT_EQ(nada.estado, 0);
  EXPECT_EQ(nada.salida, "");
  const Salida lectura = Ejecutar({"--errors", "--explain", Dato("errores.ll1")});
  EXPECT_EQ(lectura.estado, 1);
  EXPECT_EQ(lectura.salida,
            kErroresLectura + "\nNo hay explicaciones: el texto tiene errores de lectura.\n");
}

TEST_F(QuindelCli, explainJson_oneObjectPerExplainedErrorThenTheWarnings) {
  // A: FIRST meets FOLLOW; B: a shared FIRST; K: a shared FIRST out of reach, which stays
  // unexplained; N: two nullable productions.
  const Json documento = Json::parse(
      Ejecutar({"--json", "-"},
               TextoGramatica("a b c d", "S A B N M K", "S",
                              {"S -> A b B N d", "A -> b", "A -> lambda", "B -> c a", "B -> c",
                               "N -> lambda", "N -> M", "M -> lambda", "K -> a", "K -> a d"}))
          .salida);
  EXPECT_EQ(documento["explanations"], Json::parse(R"([
    {"error": 0, "code": 31, "nonterminal": "A", "terminal": "b",
     "productions": ["A -> b", "A -> lambda"], "prefix": [],
     "derivations": [[["A"], ["b"]], [["A", "b"], ["b"]]],
     "sentences": [["b", "b", "c", "d"], ["b", "c", "d"]]},
    {"error": 1, "code": 29, "nonterminal": "B", "terminal": "c",
     "productions": ["B -> c a", "B -> c"], "prefix": ["b"],
     "derivations": [[["B"], ["c", "a"]], [["B"], ["c"]]],
     "sentences": [["b", "c", "a", "d"], ["b", "c", "d"]]},
    {"error": 3, "code": 30, "nonterminal": "N", "terminal": null,
     "productions": ["N -> lambda", "N -> M"], "prefix": ["b", "c"],
     "derivations": [[["N"], []], [["N"], ["M"], []]],
     "sentences": [["b", "c", "d"], ["b", "c", "d"]]}])"));
  EXPECT_EQ(documento["warnings"], Json::parse(R"([{"kind": "unreachable", "symbol": "K",
                                                     "line": 2}])"));

  // Left recursion: the cycle instead of a witness; the other warnings' kinds.
  const Json ciclo =
      Json::parse(Ejecutar({"--json", "--parse", "x", "-"},
                           TextoGramatica("x y z", "A B C", "A",
                                          {"A -> B A x", "A -> y", "B -> lambda", "C -> C y"}))
                      .salida);
  EXPECT_EQ(ciclo["explanations"], Json::parse(R"([
    {"error": 0, "code": 27, "nonterminal": "A", "terminal": null,
     "productions": ["A -> B A x"], "cycle": ["A -> B A x"]},
    {"error": 1, "code": 27, "nonterminal": "C", "terminal": null,
     "productions": ["C -> C y"], "cycle": ["C -> C y"]}])"));
  EXPECT_EQ(ciclo["warnings"], Json::parse(R"([
    {"kind": "unreachable", "symbol": "C", "line": 2},
    {"kind": "unproductive", "symbol": "C", "line": 2},
    {"kind": "unused-terminal", "symbol": "z", "line": 1}])"));
  EXPECT_TRUE(ciclo["parse"].is_null());
  EXPECT_EQ(std::prev(ciclo.end()).key(), "parse");
}

const std::string kTransformadaConflicto =
    "//// Quitado el símbolo B, al que no se llega desde el axioma.\n"
    "//// Recursividad por la izquierda directa de A: eliminada con el nuevo símbolo Aprima.\n"
    "//// No hay prefijos comunes que sacar por la izquierda.\n"
    "Terminales = { x y }\n"
    "NoTerminales = { A Aprima }\n"
    "Axioma = A\n"
    "Producciones = {\n"
    "A -> y Aprima\n"
    "Aprima -> x Aprima\n"
    "Aprima -> lambda\n"
    "}\n";

TEST_F(QuindelCli, transform_theProposalWithItsStepsOnTop) {
  const Salida r = Ejecutar({"--transform", Dato("conflicto.ll1")});
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(r.salida, kTransformadaConflicto);
  EXPECT_EQ(r.error, "");

  // --raw gives the bytes of a grammar file, which reads back as an LL(1) grammar.
  const Salida crudo = Ejecutar({"--raw", "--transform", Dato("conflicto.ll1")});
  std::string esperado = kTransformadaConflicto;
  esperado.replace(esperado.find("símbolo"), 8, "s\xEDmbolo");
  esperado.replace(esperado.find("símbolo"), 8, "s\xEDmbolo");
  EXPECT_EQ(crudo.salida, esperado);
  const Salida leida = Ejecutar({"--errors", "-"}, crudo.salida);
  EXPECT_EQ(leida.estado, 0);
  EXPECT_EQ(leida.salida, "Ningún error encontrado.\n");

  // The dangling else stays ambiguous: a proposal that still has LL(1) errors.
  const Salida ambigua = Ejecutar(
      {"--transform", "-"}, TextoGramatica("if then else otra c", "Sent Resto Cond", "Sent",
                                           {"Sent -> if Cond then Sent Resto", "Sent -> otra",
                                            "Resto -> else Sent", "Resto -> lambda", "Cond -> c"}));
  EXPECT_EQ(ambigua.estado, 1);
  EXPECT_EQ(ambigua.salida.substr(0, 42), "//// No hay recursividad por la izquierda.");
}

TEST_F(QuindelCli, transform_noProposalExitsWithFourAndSaysWhy) {
  const std::vector<std::pair<Salida, std::string>> casos = {
      {Ejecutar({"--transform", Dato("errores.ll1")}),
       "El texto tiene errores de lectura: no se puede proponer otra gramática."},
      {Ejecutar({"--transform", "-"}, TextoGramatica("a", "S", "S", {"S -> S a"})),
       "El axioma S no deriva ninguna cadena de terminales: el lenguaje es vacío."},
  };
  for (const auto& [r, motivo] : casos) {
    EXPECT_EQ(r.estado, 4) << motivo;
    EXPECT_EQ(r.salida, "");
    EXPECT_EQ(r.error, "quindel-cli: " + motivo + "\n");
  }

  // Its output is a grammar to save: it goes with --raw only.
  const std::string ejemplo = Dato("ejemplo.ll1");
  for (const std::vector<std::string>& otras : {std::vector<std::string>{"--json"},
                                                {"--explain"},
                                                {"--save-trace", (dir / "t.txt").string()}}) {
    std::vector<std::string> argumentos{"--transform", ejemplo};
    argumentos.insert(argumentos.end(), otras.begin(), otras.end());
    const Salida r = Ejecutar(argumentos);
    EXPECT_EQ(r.estado, 2) << otras[0];
    EXPECT_EQ(r.salida, "");
    EXPECT_EQ(r.error,
              "quindel-cli: --transform solo se puede combinar con --raw\n"
              "Use --help para ver las opciones.\n");
  }
  EXPECT_TRUE(Contenido().empty());
}

// ---------------------------------------------------------------------------------------------
// The JSON document's bytes

// What nlohmann's dump(2) writes for the document, with the parse trees in their compact
// one-line layout: the bytes --json must give, whatever it is written with.
std::string ComoDump(const std::string& salida) {
  Json documento = Json::parse(salida);
  std::vector<std::string> arboles;
  const auto compactar = [&arboles](Json& parse) {
    arboles.push_back(parse["tree"].dump());
    parse["tree"] = "<arbol " + std::to_string(arboles.size() - 1) + ">";
  };
  if (documento.contains("parse") && documento["parse"].is_object()) compactar(documento["parse"]);
  if (documento.contains("parses") && documento["parses"].is_array())
    for (Json& parse : documento["parses"]) compactar(parse);
  std::string texto = documento.dump(2) + "\n";
  for (std::size_t i = 0; i < arboles.size(); ++i) {
    const std::string marca = "\"<arbol " + std::to_string(i) + ">\"";
    texto.replace(texto.find(marca), marca.size(), arboles[i]);
  }
  return texto;
}

TEST_F(QuindelCli, json_dumpsBytesForEveryKindOfName) {
  // Quotes and backslashes, the control characters dump() escapes by letter and by number, DEL,
  // and Windows-1252 bytes: the euro sign, two bytes the code page leaves undefined, NBSP, ÿ.
  const std::string raros = "\x08y \x0cz \x1f \x7f \x80 \x81 \x9d \xa0\xff \x0b \x1b[ \" \\";
  const std::string terminales = "a\"b c\\d \x01x " + raros;
  std::vector<std::string> producciones = {"S -> A\xD1 B", "A\xD1 -> a\"b A\xD1", "A\xD1 -> lambda",
                                           "B -> c\\d \x01x", "B -> " + raros};
  const fs::path gramatica = dir / "q\"b\\.ll1";
  Escribir(gramatica, TextoGramatica(terminales, "S A\xD1 B", "S", producciones));
  Escribir(dir / "frases.txt", "a\"b c\\d \x01x\r\n" + raros + "\n\x0cz\n");
  // A conflict on c\d with its explanation, an unreachable Z and an unused terminal.
  producciones.insert(producciones.end(), {"B -> c\\d \x1f", "Z -> \\"});
  const std::string conflicto =
      TextoGramatica(terminales + " \x02u", "S A\xD1 B Z", "S", producciones);

  const std::vector<Salida> salidas = {
      Ejecutar({"--json", gramatica.string()}),
      Ejecutar({"--json", "--parse", "a\"b a\"b c\\d \x01x", gramatica.string()}),
      Ejecutar({"--json", "--parse-file", (dir / "frases.txt").string(), gramatica.string()}),
      Ejecutar({"--json", "-"}, conflicto),
      Ejecutar({"--json", "-"}, TextoGramatica("a\"b a\"b", "S", "S", {"S -> a\"b \x7f"})),
  };
  for (const Salida& r : salidas) {
    ASSERT_FALSE(r.salida.empty()) << r.error;
    EXPECT_EQ(r.salida, ComoDump(r.salida));
  }
  EXPECT_NE(salidas[0].salida.find("\"file\": \"q\\\"b\\\\.ll1\""), std::string::npos);
  EXPECT_NE(salidas[0].salida.find("\"text\": \"B -> \\by \\fz \\u001f \x7f \xE2\x82\xAC \xC2\x81 "
                                   "\xC2\x9d \xC2\xA0\xC3\xBF \\u000b \\u001b[ \\\" \\\\\""),
            std::string::npos);
  EXPECT_EQ(salidas[1].estado, 0);
  EXPECT_EQ(Json::parse(salidas[2].salida)["parses"].size(), 3U);
  const Json explicado = Json::parse(salidas[3].salida);
  EXPECT_EQ(explicado["explanations"].size(), 1U);
  EXPECT_EQ(explicado["warnings"].size(), 2U);
  EXPECT_EQ(salidas[4].estado, 1);
}

}  // namespace
