#include "Grafos.h"

#include <algorithm>
#include <cstddef>

Grafo ConstruirGrafo(int vertices, const std::vector<std::pair<int, int>>& aristas) {
  Grafo grafo;
  grafo.inicio.assign(static_cast<std::size_t>(vertices) + 1, 0);
  for (const auto& [desde, hasta] : aristas) ++grafo.inicio[static_cast<std::size_t>(desde) + 1];
  for (std::size_t v = 1; v < grafo.inicio.size(); ++v) grafo.inicio[v] += grafo.inicio[v - 1];
  grafo.destinos.resize(aristas.size());
  std::vector<int> libre(grafo.inicio.begin(), grafo.inicio.end() - 1);
  for (const auto& [desde, hasta] : aristas) grafo.destinos[libre[desde]++] = hasta;
  return grafo;
}

std::vector<int> Componentes(const std::vector<int>& inicio, const std::vector<int>& destinos,
                             int& numComponentes) {
  // Tarjan's algorithm with an explicit stack of (vertex, next edge) frames.
  const int n = static_cast<int>(inicio.size()) - 1;
  std::vector<int> indice(n, -1), minimo(n, 0), componente(n, -1);
  std::vector<int> abiertos;
  std::vector<std::pair<int, int>> marcos;
  int contador = 0;
  numComponentes = 0;
  for (int raiz = 0; raiz < n; ++raiz) {
    if (indice[raiz] >= 0) continue;
    marcos.emplace_back(raiz, inicio[raiz]);
    indice[raiz] = minimo[raiz] = contador++;
    abiertos.push_back(raiz);
    while (!marcos.empty()) {
      auto& [v, arista] = marcos.back();
      if (arista < inicio[v + 1]) {
        const int w = destinos[arista++];
        if (indice[w] < 0) {
          indice[w] = minimo[w] = contador++;
          abiertos.push_back(w);
          marcos.emplace_back(w, inicio[w]);
        } else if (componente[w] < 0) {
          minimo[v] = std::min(minimo[v], indice[w]);
        }
        continue;
      }
      const int hecho = v;
      marcos.pop_back();
      if (!marcos.empty())
        minimo[marcos.back().first] = std::min(minimo[marcos.back().first], minimo[hecho]);
      if (minimo[hecho] != indice[hecho]) continue;
      for (int w = -1; w != hecho;) {
        w = abiertos.back();
        abiertos.pop_back();
        componente[w] = numComponentes;
      }
      ++numComponentes;
    }
  }
  return componente;
}
