// End-to-end tests: the built quindel-cli runs on the fixture files of tests/data; stdout, the
// exit status and the bytes of the files it writes are compared whole.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
  // one is given (to provoke a failing standard output).
  Salida Ejecutar(const std::vector<std::string>& argumentos, const std::string& entrada = "",
                  const std::string& destinoSalida = "") {
    const fs::path rutaEntrada = dir / ".stdin", rutaSalida = dir / ".stdout",
                   rutaError = dir / ".stderr";
    Escribir(rutaEntrada, entrada);
    const pid_t hijo = fork();
    if (hijo == 0) {
      const std::string salida = destinoSalida.empty() ? rutaSalida.string() : destinoSalida;
      dup2(open(rutaEntrada.c_str(), O_RDONLY), 0);
      dup2(open(salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
      dup2(open(rutaError.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
      std::vector<char*> argv{const_cast<char*>(QUINDEL_CLI)};
      for (const std::string& argumento : argumentos)
        argv.push_back(const_cast<char*>(argumento.c_str()));
      argv.push_back(nullptr);
      execv(QUINDEL_CLI, argv.data());
      _exit(127);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    Salida resultado;
    resultado.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    resultado.salida = destinoSalida.empty() ? Leer(rutaSalida) : "";
    resultado.error = Leer(rutaError);
    fs::remove(rutaEntrada);
    fs::remove(rutaSalida);
    fs::remove(rutaError);
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
};

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
        {"rows", {{{"name", "S"}, {"cells", {"S -> a S b", "S -> lambda", "S -> lambda"}}}}}}}};
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
  for (const char* texto :
       {"Uso: quindel-cli [OPCIONES] FICHERO\n", "\nArgumentos:\n", "FICHERO TEXTO OBLIGATORIO",
        "\nOpciones:\n", "--analysis", "--errors", "--table", "--json", "--raw", "--html RUTA",
        "--save-trace RUTA", "--version", "Muestra esta ayuda", "Códigos de salida"})
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

TEST_F(QuindelCli, aFailingStandardOutputExitsWithTwo) {
  const Salida r = Ejecutar({Dato("ejemplo.ll1")}, "", "/dev/full");
  EXPECT_EQ(r.estado, 2);
  EXPECT_EQ(r.error,
            "quindel-cli: no se puede escribir en la salida estándar: no queda espacio en el "
            "dispositivo\n");
}

}  // namespace
