#include "Conjuntosexactos.h"

#include <algorithm>
#include <deque>

#include "Cgramatica.h"
#include "Grafos.h"

namespace {

using Palabra = std::uint64_t;

void PonerBit(Palabra* bits, int t) { bits[t / 64] |= Palabra{1} << (t % 64); }

void UnirBits(Palabra* destino, const Palabra* origen, int palabras) {
  for (int w = 0; w < palabras; ++w) destino[w] |= origen[w];
}

// The least solution of S(v) = base(v) ∪ ⋃ S(w) over the edges v → w. Every vertex of a
// strongly connected component gets the same set; components come successors first, so each
// one is settled in a single pass.
std::vector<Palabra> Resolver(const Grafo& grafo, std::vector<Palabra> conjuntos, int palabras) {
  const auto n = grafo.inicio.size() - 1;
  int numComponentes = 0;
  const std::vector<int> componente = Componentes(grafo.inicio, grafo.destinos, numComponentes);
  // The members of each component, grouped by a counting sort.
  std::vector<int> inicioMiembros(static_cast<std::size_t>(numComponentes) + 1, 0);
  for (const int c : componente) ++inicioMiembros[static_cast<std::size_t>(c) + 1];
  for (std::size_t c = 0; c + 1 < inicioMiembros.size(); ++c)
    inicioMiembros[c + 1] += inicioMiembros[c];
  std::vector<int> miembros(n);
  std::vector<int> libre(inicioMiembros.begin(), inicioMiembros.end() - 1);
  for (std::size_t v = 0; v < n; ++v) miembros[libre[componente[v]]++] = static_cast<int>(v);

  std::vector<Palabra> acumulado(static_cast<std::size_t>(palabras));
  auto fila = [&](int v) { return &conjuntos[static_cast<std::size_t>(v) * palabras]; };
  for (int c = 0; c < numComponentes; ++c) {
    std::fill(acumulado.begin(), acumulado.end(), 0);
    for (int i = inicioMiembros[c]; i < inicioMiembros[c + 1]; ++i) {
      const int m = miembros[i];
      UnirBits(acumulado.data(), fila(m), palabras);
      for (int e = grafo.inicio[m]; e < grafo.inicio[m + 1]; ++e)
        if (const int w = grafo.destinos[e]; componente[w] != c)
          UnirBits(acumulado.data(), fila(w), palabras);
    }
    for (int i = inicioMiembros[c]; i < inicioMiembros[c + 1]; ++i)
      std::copy(acumulado.begin(), acumulado.end(), fila(miembros[i]));
  }
  return conjuntos;
}

}  // namespace

ConjuntosExactos::ConjuntosExactos(const CGramatica& gramatica) {
  for (const PSimbolo t : gramatica.Terminales()) terminales.push_back(t);
  palabras = static_cast<int>((terminales.size() + 63) / 64);
  // Declaration order: the productions are visited as they lie in memory.
  std::vector<CProduccion*> producciones;
  for (const CSimboloNoTerminal* nt : gramatica.NoTerminalesDeclarados())
    for (const auto& p : nt->Producciones()) producciones.push_back(p.get());
  const int n = gramatica.NoTerminales().Tamano();
  // Each phase needs the one before.
  CalcularAnulables(n, producciones);
  CalcularFirst(n, producciones);
  CalcularFollow(gramatica, n, producciones);
}

Palabra* ConjuntosExactos::Fila(Bits& bits, int i) const {
  return &bits[static_cast<std::size_t>(i) * static_cast<std::size_t>(palabras)];
}

bool ConjuntosExactos::EsAnulable(const CSimbolo* x) const {
  return !x->EsTerminal() && anulableNT[x->Indice()];
}

// Nullable: a production is nullable once every right-side symbol is; count them down.
void ConjuntosExactos::CalcularAnulables(int n, const std::vector<CProduccion*>& producciones) {
  auto esAtendida = [](const CProduccion* p) {  // attached to the grammar (not dropped)
    return p->Indice() >= 0 && p->Antecedente();
  };
  anulableNT.assign(static_cast<std::size_t>(n), 0);
  anulableProd.assign(producciones.size(), 0);
  std::vector<int> pendientes(producciones.size(), 0);
  std::deque<CSimboloNoTerminal*> nuevos;
  auto marcarAnulable = [&](CSimboloNoTerminal* a) {
    if (!anulableNT[a->Indice()]) {
      anulableNT[a->Indice()] = 1;
      nuevos.push_back(a);
    }
  };
  for (CProduccion* p : producciones) {
    int cuenta = 0;
    for (const CSimbolo* x : p->Consecuente()) cuenta += x ? 1 : 0;
    // A right side emptied by reading errors is not nullable: it was never "lambda".
    if (p->Consecuente().empty()) cuenta = 1;
    pendientes[p->Indice()] = cuenta;
    if (cuenta == 0) marcarAnulable(p->Antecedente());
  }
  while (!nuevos.empty()) {
    CSimboloNoTerminal* x = nuevos.front();
    nuevos.pop_front();
    for (const auto& [p, posicion] : x->Apariciones())
      if (esAtendida(p) && --pendientes[p->Indice()] == 0) marcarAnulable(p->Antecedente());
  }
  for (CProduccion* p : producciones)
    anulableProd[p->Indice()] = static_cast<char>(pendientes[p->Indice()] == 0);
}

// FIRST(A) holds the terminals that open a production of A after a nullable prefix, and
// FIRST(B) for each non-terminal B standing there.
void ConjuntosExactos::CalcularFirst(int n, const std::vector<CProduccion*>& producciones) {
  std::vector<std::pair<int, int>> aristas;
  firstNT.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(palabras), 0);
  for (CProduccion* p : producciones) {
    const int a = p->Antecedente()->Indice();
    for (const CSimbolo* x : p->Consecuente()) {
      if (!x) break;
      if (x->EsTerminal()) {
        PonerBit(Fila(firstNT, a), x->Indice());
        break;
      }
      aristas.emplace_back(a, x->Indice());
      if (!EsAnulable(x)) break;
    }
  }
  firstNT = Resolver(ConstruirGrafo(n, aristas), std::move(firstNT), palabras);
}

// FOLLOW: an occurrence of X takes FIRST of what follows it, and FOLLOW of the antecedent when
// what follows is nullable. The walk from the right end of each right side has FIRST of the
// whole right side at its end, which gives FIRST of the productions on the way.
void ConjuntosExactos::CalcularFollow(const CGramatica& gramatica, int n,
                                      const std::vector<CProduccion*>& producciones) {
  const auto w = static_cast<std::size_t>(palabras);
  firstProd.assign(producciones.size() * w, 0);
  followNT.assign(static_cast<std::size_t>(n) * w, 0);
  if (CSimboloNoTerminal* axioma = gramatica.Axioma())
    if (const CSimbolo* fin = gramatica.BuscarSimbolo(NombreFinCadena()))
      PonerBit(Fila(followNT, axioma->Indice()), fin->Indice());
  std::vector<std::pair<int, int>> aristas;
  std::vector<Palabra> resto(w);
  for (CProduccion* p : producciones) {
    const int b = p->Antecedente()->Indice();
    std::fill(resto.begin(), resto.end(), 0);
    bool restoAnulable = true;
    const auto& consecuente = p->Consecuente();
    for (auto i = consecuente.rbegin(); i != consecuente.rend(); ++i) {
      const CSimbolo* x = *i;
      if (!x) continue;
      if (x->EsTerminal()) {
        std::fill(resto.begin(), resto.end(), 0);
        PonerBit(resto.data(), x->Indice());
        restoAnulable = false;
        continue;
      }
      UnirBits(Fila(followNT, x->Indice()), resto.data(), palabras);
      if (restoAnulable) aristas.emplace_back(x->Indice(), b);
      if (!EsAnulable(x)) {
        std::fill(resto.begin(), resto.end(), 0);
        restoAnulable = false;
      }
      UnirBits(resto.data(), Fila(firstNT, x->Indice()), palabras);
    }
    std::copy(resto.begin(), resto.end(), Fila(firstProd, p->Indice()));
  }
  followNT = Resolver(ConstruirGrafo(n, aristas), std::move(followNT), palabras);
}

ConjuntoSimbolos ConjuntosExactos::AConjunto(const std::uint64_t* bits) const {
  ConjuntoSimbolos conjunto;
  for (int palabra = 0; palabra < palabras; ++palabra)
    for (Palabra resto = bits[palabra]; resto; resto &= resto - 1)
      conjunto.InsertarNuevo(terminales[static_cast<std::size_t>(palabra) * 64 +
                                        static_cast<std::size_t>(__builtin_ctzll(resto))]);
  return conjunto;
}

bool ConjuntosExactos::Anulable(const CSimboloNoTerminal& simbolo) const {
  return anulableNT[simbolo.Indice()];
}

ConjuntoSimbolos ConjuntosExactos::First(const CSimboloNoTerminal& simbolo) const {
  return AConjunto(&firstNT[static_cast<std::size_t>(simbolo.Indice()) * palabras]);
}

ConjuntoSimbolos ConjuntosExactos::Follow(const CSimboloNoTerminal& simbolo) const {
  return AConjunto(&followNT[static_cast<std::size_t>(simbolo.Indice()) * palabras]);
}

bool ConjuntosExactos::Anulable(const CProduccion& produccion) const {
  return anulableProd[produccion.Indice()];
}

ConjuntoSimbolos ConjuntosExactos::First(const CProduccion& produccion) const {
  return AConjunto(&firstProd[static_cast<std::size_t>(produccion.Indice()) * palabras]);
}
