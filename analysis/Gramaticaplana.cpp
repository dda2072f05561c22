#include "Gramaticaplana.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "Cgramatica.h"
#include "Conjuntosexactos.h"
#include "Errores.h"
#include "Simbolos.h"

// ---------------------------------------------------------------------------------------------
// The grammar

int GramaticaPlana::AnadirSimbolo(std::string nombre, bool terminal) {
  nombres.push_back(std::move(nombre));
  porSimbolo.emplace_back();
  if (terminal) ++terminales;
  inicioApariciones.clear();
  return NumSimbolos() - 1;
}

int GramaticaPlana::AnadirProduccion(int a, std::span<const int> derecha) {
  antecedente.push_back(a);
  simbolos.insert(simbolos.end(), derecha.begin(), derecha.end());
  inicio.push_back(static_cast<int>(simbolos.size()));
  porSimbolo[a].push_back(NumProducciones() - 1);
  inicioApariciones.clear();
  return NumProducciones() - 1;
}

std::span<const int> GramaticaPlana::Derecha(int p) const {
  return {simbolos.data() + inicio[p], static_cast<std::size_t>(inicio[p + 1] - inicio[p])};
}

void GramaticaPlana::IndexarApariciones() const {
  inicioApariciones.assign(nombres.size() + 1, 0);
  for (const int s : simbolos) ++inicioApariciones[s + 1];
  for (std::size_t s = 1; s < inicioApariciones.size(); ++s)
    inicioApariciones[s] += inicioApariciones[s - 1];
  apariciones.resize(simbolos.size());
  std::vector<int> libre(inicioApariciones.begin(), inicioApariciones.end() - 1);
  for (int p = 0; p < NumProducciones(); ++p) {
    const auto derecha = Derecha(p);
    for (std::size_t i = 0; i < derecha.size(); ++i)
      apariciones[libre[derecha[i]]++] = {p, static_cast<int>(i)};
  }
}

std::span<const GramaticaPlana::Aparicion> GramaticaPlana::Apariciones(int s) const {
  if (inicioApariciones.empty()) IndexarApariciones();
  return {apariciones.data() + inicioApariciones[s],
          static_cast<std::size_t>(inicioApariciones[s + 1] - inicioApariciones[s])};
}

std::string GramaticaPlana::TextoProduccion(int p) const {
  std::string texto = nombres[antecedente[p]] + " ->";
  if (Derecha(p).empty()) return texto + " lambda";
  for (const int s : Derecha(p)) texto += " " + nombres[s];
  return texto;
}

GramaticaDe::GramaticaDe(const CGramatica& gramatica) {
  const ConjuntosExactos& exactos = gramatica.Exactos();  // also numbers the grammar
  terminales = gramatica.Terminales().Tamano();
  for (const PSimbolo t : gramatica.Terminales()) {
    plana.AnadirSimbolo(t->Nombre(), true);
    simbolos.push_back(t);
  }
  for (const PSimbolo a : gramatica.NoTerminales()) {
    plana.AnadirSimbolo(a->Nombre(), false);
    simbolos.push_back(a);
  }
  anulables.assign(simbolos.size(), 0);
  std::vector<int> derecha;
  for (const CSimboloNoTerminal* a : gramatica.NoTerminalesDeclarados()) {
    declarados.push_back(Numero(a));
    anulables[Numero(a)] = static_cast<char>(exactos.Anulable(*a));
    for (const auto& p : a->Producciones()) {
      derecha.clear();
      for (const CSimbolo* x : p->Consecuente())
        if (x) derecha.push_back(Numero(x));
      plana.AnadirProduccion(Numero(a), derecha);
      producciones.push_back(p.get());
    }
  }
  if (gramatica.Axioma()) plana.PonerAxioma(Numero(gramatica.Axioma()));
}

std::string Enumerar(const std::vector<std::string>& nombres) {
  std::string texto;
  for (std::size_t i = 0; i < nombres.size(); ++i) {
    if (i > 0) texto += i + 1 == nombres.size() ? " y " : ", ";
    texto += nombres[i];
  }
  return texto;
}

bool GramaticaAnalizada(const CGramatica* gramatica, const std::vector<Error>& registros) {
  return gramatica && gramatica->Axioma() &&
         std::none_of(registros.begin(), registros.end(),
                      [](const Error& e) { return e.Codigo() < kPrimerCodigoLL1; });
}

int GramaticaDe::Numero(const CSimbolo* simbolo) const {
  return simbolo->EsTerminal() ? simbolo->Indice() : terminales + simbolo->Indice();
}

// ---------------------------------------------------------------------------------------------
// Nullable, productive and reachable symbols

namespace {

// The least set closed under "a production all of whose counted right-side symbols are in
// the set puts its antecedent in": each production counts its symbols down as they join.
std::vector<char> Cierre(const GramaticaPlana& g, bool terminalesDentro) {
  std::vector<char> dentro(g.NumSimbolos(), 0);
  std::vector<int> faltan(g.NumProducciones(), 0);
  std::deque<int> nuevos;
  auto entrar = [&](int a) {
    if (!dentro[a]) {
      dentro[a] = 1;
      nuevos.push_back(a);
    }
  };
  for (int p = 0; p < g.NumProducciones(); ++p) {
    for (const int s : g.Derecha(p)) faltan[p] += g.EsTerminal(s) && terminalesDentro ? 0 : 1;
    if (faltan[p] == 0) entrar(g.Antecedente(p));
  }
  while (!nuevos.empty()) {
    const int x = nuevos.front();
    nuevos.pop_front();
    for (const auto& [p, posicion] : g.Apariciones(x))
      if (--faltan[p] == 0) entrar(g.Antecedente(p));
  }
  if (terminalesDentro)
    for (int t = 0; t < g.NumTerminales(); ++t) dentro[t] = 1;
  return dentro;
}

}  // namespace

std::vector<char> Anulables(const GramaticaPlana& g) { return Cierre(g, false); }

std::vector<char> Productivos(const GramaticaPlana& g) { return Cierre(g, true); }

std::vector<char> Accesibles(const GramaticaPlana& g) {
  std::vector<char> visto(g.NumSimbolos(), 0);
  if (g.Axioma() < 0) return visto;
  std::vector<int> pendientes{g.Axioma()};
  visto[g.Axioma()] = 1;
  while (!pendientes.empty()) {
    const int a = pendientes.back();
    pendientes.pop_back();
    for (const int p : g.Producciones(a))
      for (const int s : g.Derecha(p))
        if (!visto[s]) {
          visto[s] = 1;
          pendientes.push_back(s);
        }
  }
  return visto;
}

// ---------------------------------------------------------------------------------------------
// Components and left recursion

namespace {

// Calls f(i) for each left-corner position i of production p.
template <typename F>
void EsquinasIzquierdas(const GramaticaPlana& g, const std::vector<char>& anulables, int p, F f) {
  const auto derecha = g.Derecha(p);
  for (std::size_t i = 0; i < derecha.size(); ++i) {
    f(static_cast<int>(i));
    if (!anulables[derecha[i]]) return;
  }
}

}  // namespace

RecursividadIzquierda::RecursividadIzquierda(const GramaticaPlana& g,
                                             const std::vector<char>& anulables)
    : g(g), anulables(anulables) {
  const int n = g.NumSimbolos();
  std::vector<int> inicio(static_cast<std::size_t>(n) + 1, 0), destinos;
  for (int a = 0; a < n; ++a) {
    for (const int p : g.Producciones(a))
      EsquinasIzquierdas(g, anulables, p, [&](int i) { destinos.push_back(g.Derecha(p)[i]); });
    inicio[a + 1] = static_cast<int>(destinos.size());
  }
  int numComponentes = 0;
  componente = Componentes(inicio, destinos, numComponentes);
  // A vertex is on a cycle when an edge stays inside its component.
  recursivo.assign(n, 0);
  for (int a = 0; a < n; ++a)
    for (int e = inicio[a]; e < inicio[a + 1]; ++e)
      if (componente[destinos[e]] == componente[a]) recursivo[a] = 1;
  alguna = std::find(recursivo.begin(), recursivo.end(), 1) != recursivo.end();
  marca.assign(n, -1);
  llegada.resize(n);
}

std::vector<RecursividadIzquierda::Paso> RecursividadIzquierda::Ciclo(int a, int p) const {
  if (!recursivo[a]) return {};
  // Breadth first from p's left corners, inside a's component (only there is a reached
  // again), one level per step, until a is reached.
  const int esta = ++busqueda;
  std::vector<int> nivel, siguiente;
  auto visitar = [&](int desde, int i) {
    const int x = g.Derecha(desde)[i];
    if (g.EsTerminal(x) || componente[x] != componente[a] || marca[x] == esta) return;
    marca[x] = esta;
    llegada[x] = {desde, i};
    siguiente.push_back(x);
  };
  EsquinasIzquierdas(g, anulables, p, [&](int i) { visitar(p, i); });
  for (int pasos = 1; pasos < kMaxCiclo && marca[a] != esta && !siguiente.empty(); ++pasos) {
    nivel.swap(siguiente);
    siguiente.clear();
    for (const int x : nivel)
      for (const int q : g.Producciones(x))
        EsquinasIzquierdas(g, anulables, q, [&](int i) { visitar(q, i); });
  }
  if (marca[a] != esta) return {};
  std::vector<Paso> ciclo;
  for (int x = a;;) {
    ciclo.push_back(llegada[x]);
    if (llegada[x].produccion == p) break;
    x = g.Antecedente(llegada[x].produccion);
  }
  std::reverse(ciclo.begin(), ciclo.end());
  return ciclo;
}

std::vector<RecursividadIzquierda::Paso> RecursividadIzquierda::Ciclo(int a) const {
  std::vector<Paso> mejor;
  for (const int p : g.Producciones(a)) {
    std::vector<Paso> ciclo = Ciclo(a, p);
    if (!ciclo.empty() && (mejor.empty() || ciclo.size() < mejor.size())) mejor = std::move(ciclo);
  }
  return mejor;
}
