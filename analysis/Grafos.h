// Directed graphs with their adjacency lists in one array, and their strongly connected
// components: the fixed points of the sets and the left-recursion cycles both stand on them.
#pragma once

#include <utility>
#include <vector>

// The successors of v are destinos[inicio[v] .. inicio[v+1]).
struct Grafo {
  std::vector<int> inicio;
  std::vector<int> destinos;
};
Grafo ConstruirGrafo(int vertices, const std::vector<std::pair<int, int>>& aristas);

// Strongly connected components of a graph given as adjacency lists in one array. Answers each
// vertex's component; components are numbered successors first.
std::vector<int> Componentes(const std::vector<int>& inicio, const std::vector<int>& destinos,
                             int& numComponentes);
