// Frees an analysed grammar and its table away from the caller: a grammar of 100,000
// productions is hundreds of thousands of objects spread over the heap, and freeing them is a
// pause the user would feel on every new analysis.
#pragma once

#include <future>
#include <memory>

class CGramatica;
class CTablaSintactica;

class LiberadorDiferido {
 public:
  LiberadorDiferido() = default;
  // Waits for the freeing still under way.
  ~LiberadorDiferido();
  LiberadorDiferido(const LiberadorDiferido&) = delete;
  LiberadorDiferido& operator=(const LiberadorDiferido&) = delete;

  // Frees both on a thread of their own; the table points into the grammar, so it goes first.
  // The objects touch no shared state when freed, so the caller may analyse meanwhile.
  void Liberar(std::unique_ptr<CGramatica> gramatica, std::unique_ptr<CTablaSintactica> tabla);

 private:
  std::future<void> enCurso;
};
