// Google Benchmark cases: reading + analysis + table of generated LL(1) grammars.
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Generador.h"
#include "Tablasintactica.h"

namespace {

void Analizar(benchmark::State& estado, const std::string& texto) {
  for (auto _ : estado) {
    std::istringstream entrada(texto);
    std::unique_ptr<CGramatica> gramatica;
    auto tabla = AnalizarGramatica(gramatica, entrada);
    if (!tabla) estado.SkipWithError("the generated grammar is not LL(1)");
    benchmark::DoNotOptimize(tabla.get());
  }
  estado.SetBytesProcessed(static_cast<int64_t>(estado.iterations() * texto.size()));
}

// Argument: productions; 35% as many non-terminals, 64 terminals.
void BM_Gramatica(benchmark::State& estado) {
  ParametrosGramatica parametros;
  parametros.producciones = static_cast<int>(estado.range(0));
  parametros.noTerminales = parametros.producciones * 35 / 100;
  Analizar(estado, GenerarGramatica(parametros));
}
BENCHMARK(BM_Gramatica)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_GramaticaAncha(benchmark::State& estado) {
  Analizar(estado, GenerarGramatica({100000, 20000, 500}));
}
BENCHMARK(BM_GramaticaAncha)->Unit(benchmark::kMillisecond);

void BM_Cadena(benchmark::State& estado) {
  Analizar(estado, GenerarCadena(static_cast<int>(estado.range(0))));
}
BENCHMARK(BM_Cadena)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_Alternativas(benchmark::State& estado) {
  Analizar(estado, GenerarAlternativas(static_cast<int>(estado.range(0))));
}
BENCHMARK(BM_Alternativas)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
