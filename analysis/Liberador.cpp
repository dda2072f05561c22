#include "Liberador.h"

#include <utility>

#include "Cgramatica.h"
#include "Tablasintactica.h"

LiberadorDiferido::~LiberadorDiferido() {
  if (enCurso.valid()) enCurso.wait();
}

void LiberadorDiferido::Liberar(std::unique_ptr<CGramatica> gramatica,
                                std::unique_ptr<CTablaSintactica> tabla) {
  if (!gramatica && !tabla) return;
  // One at a time: the previous one has long finished when the next analysis ends.
  if (enCurso.valid()) enCurso.wait();
  enCurso = std::async(std::launch::async,
                       [gramatica = std::move(gramatica), tabla = std::move(tabla)]() mutable {
                         tabla.reset();
                         gramatica.reset();
                       });
}
