// quindel-cli under a limit on its memory: a grammar of many clashing alternatives ends with all
// of its errors, or, when even their records do not fit, with one message and status 2, never
// with an abort.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct Corrida {
  int estado = -1;  // -1: the process did not exit (an abort)
  std::string salida;
  std::string error;
};

std::string Leer(const fs::path& ruta) {
  std::ifstream entrada(ruta, std::ios::binary);
  std::ostringstream contenido;
  contenido << entrada.rdbuf();
  return contenido.str();
}

// `copias` times the production S -> a: every two of them clash.
std::string Copias(int copias) {
  std::string texto =
      "Terminales = { a }\r\nNoTerminales = { S }\r\nAxioma = S\r\nProducciones = {\r\n";
  for (int i = 0; i < copias; ++i) texto += "S -> a\r\n";
  return texto + "}\r\n";
}

class LimiteMemoria : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
#endif
    std::string plantilla = (fs::temp_directory_path() / "quindel-memoria-XXXXXX").string();
    ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
    dir = plantilla;
  }
  void TearDown() override {
    if (!dir.empty()) fs::remove_all(dir);
  }

  std::string Gramatica(const std::string& nombre, const std::string& texto) const {
    const fs::path ruta = dir / nombre;
    std::ofstream(ruta, std::ios::binary) << texto;
    return ruta.string();
  }

  // The tool with at most `megas` MB of address space.
  Corrida Ejecutar(const std::vector<std::string>& argumentos, rlim_t megas) const {
    const fs::path rutaSalida = dir / ".stdout", rutaError = dir / ".stderr";
    const pid_t hijo = fork();
    if (hijo == 0) {
      const rlimit limite{megas << 20, megas << 20};
      setrlimit(RLIMIT_AS, &limite);
      dup2(open(rutaSalida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
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
    Corrida corrida;
    corrida.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    corrida.salida = Leer(rutaSalida);
    corrida.error = Leer(rutaError);
    return corrida;
  }

  fs::path dir;
};

// 700 copies: 244,650 errors. Their messages alone would take tens of megabytes if they were
// all held at once.
TEST_F(LimiteMemoria, manyClashingAlternatives_everyErrorWithinTheLimit) {
  const std::string fichero = Gramatica("copias.ll1", Copias(700));
  const Corrida errores = Ejecutar({"--errors", fichero}, 32);
  EXPECT_EQ(errores.estado, 1);
  EXPECT_EQ(errores.error, "");
  EXPECT_EQ(std::count(errores.salida.begin(), errores.salida.end(), '\n'), 244652);
  EXPECT_TRUE(errores.salida.starts_with(
      "Líneas 5 y 6: Las dos producciones contienen el símbolo a en su conjunto FIRST.\n"));
  EXPECT_TRUE(errores.salida.ends_with("\nEncontrados 244650 errores.\n"));

  // The proposal needs none of the conflicts: the repeated productions go.
  const Corrida propuesta = Ejecutar({"--transform", fichero}, 32);
  EXPECT_EQ(propuesta.estado, 0);
  EXPECT_TRUE(propuesta.salida.ends_with("\nS -> a\n}\n")) << propuesta.salida;
}

TEST_F(LimiteMemoria, errorsBeyondTheLimit_oneMessageAndStatus2) {
  // 1,999,000 records of 16 bytes do not fit in 32 MB.
  const std::string fichero = Gramatica("copias.ll1", Copias(2000));
  const Corrida corrida = Ejecutar({"--errors", fichero}, 32);
  EXPECT_EQ(corrida.estado, 2);
  EXPECT_EQ(corrida.salida, "");
  EXPECT_EQ(corrida.error, "quindel-cli: memoria insuficiente para procesar " + fichero + "\n");
}

}  // namespace
