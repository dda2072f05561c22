#include "Testigos.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <queue>
#include <utility>

#include "Gramaticaplana.h"

namespace {

constexpr std::uint64_t kInfinito = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t kTope = std::uint64_t{1} << 60;  // finite costs saturate here

// What a part of a witness costs: the terminals it yields, then its derivation steps. Costs
// below the cap are exact; only those are ever turned into witnesses.
struct Coste {
  std::uint64_t longitud = kInfinito;
  std::uint64_t pasos = kInfinito;

  bool Finito() const { return longitud != kInfinito; }
  friend bool operator<(const Coste& a, const Coste& b) {
    return a.longitud != b.longitud ? a.longitud < b.longitud : a.pasos < b.pasos;
  }
};

constexpr Coste kPaso{0, 1};
constexpr Coste kUnTerminal{1, 0};

Coste operator+(const Coste& a, const Coste& b) {
  if (!a.Finito() || !b.Finito()) return {};
  return {std::min(a.longitud + b.longitud, kTope), std::min(a.pasos + b.pasos, kTope)};
}

bool Cabe(const Coste& c, std::uint64_t pasos) {
  return c.Finito() && c.longitud <= Testigos::kMaxLongitud && c.pasos <= pasos;
}

// The open vertices of a shortest-path search, cheapest first, then the lower number.
class Cola {
 public:
  void Meter(Coste c, int v) { cola.push({c, v}); }
  bool Vacia() const { return cola.empty(); }
  std::pair<Coste, int> Sacar() {
    const Entrada e = cola.top();
    cola.pop();
    return {e.coste, e.vertice};
  }

 private:
  struct Entrada {
    Coste coste;
    int vertice;
  };
  struct Despues {
    bool operator()(const Entrada& a, const Entrada& b) const {
      if (a.coste < b.coste) return false;
      if (b.coste < a.coste) return true;
      return a.vertice > b.vertice;
    }
  };
  std::priority_queue<Entrada, std::vector<Entrada>, Despues> cola;
};

// Empties the queue: each vertex is settled once, at its cost in `costes` when that entry is
// met, and handed to `relajar`, which may queue cheaper costs for other vertices.
template <typename Relajar>
void Asentar(Cola& cola, const std::vector<Coste>& costes, Relajar relajar) {
  std::vector<char> fijado(costes.size(), 0);
  while (!cola.Vacia()) {
    const auto [c, x] = cola.Sacar();
    if (fijado[x] || costes[x] < c) continue;
    fijado[x] = 1;
    relajar(c, x);
  }
}

// A derivation tree being built; the children of a node are contiguous.
struct Arbol {
  struct Nodo {
    int simbolo;
    int produccion = -1;  // -1: a terminal leaf
    int primerHijo = 0;
    int numHijos = 0;
  };
  std::vector<Nodo> nodos;

  int Nuevo(int simbolo) {
    nodos.push_back({simbolo});
    return static_cast<int>(nodos.size()) - 1;
  }
  // Rewrites node n by production p: one new child per right-side symbol.
  void Expandir(int n, int p, const GramaticaPlana& g) {
    const int primero = static_cast<int>(nodos.size());
    for (const int s : g.Derecha(p)) Nuevo(s);
    nodos[n].produccion = p;
    nodos[n].primerHijo = primero;
    nodos[n].numHijos = static_cast<int>(g.Derecha(p).size());
  }
  int Internos() const {
    return static_cast<int>(
        std::count_if(nodos.begin(), nodos.end(), [](const Nodo& n) { return n.produccion >= 0; }));
  }

  // The leftmost derivation of the forest whose roots are `forma`, left to right.
  DerivacionPlana Izquierda(std::vector<int> forma) const {
    DerivacionPlana d;
    auto anotar = [&] {
      std::vector<int> simbolos(forma.size());
      for (std::size_t i = 0; i < forma.size(); ++i) simbolos[i] = nodos[forma[i]].simbolo;
      d.formas.push_back(std::move(simbolos));
    };
    anotar();
    // Everything left of the cursor is terminal, so the leftmost non-terminal is found by
    // moving it forward only.
    for (std::size_t cursor = 0;;) {
      while (cursor < forma.size() && nodos[forma[cursor]].produccion < 0) ++cursor;
      if (cursor == forma.size()) return d;
      const Nodo& n = nodos[forma[cursor]];
      d.producciones.push_back(n.produccion);
      std::vector<int> hijos(static_cast<std::size_t>(n.numHijos));
      std::iota(hijos.begin(), hijos.end(), n.primerHijo);
      const auto en = forma.begin() + static_cast<std::ptrdiff_t>(cursor);
      forma.insert(forma.erase(en), hijos.begin(), hijos.end());
      anotar();
    }
  }
};

// Sums of the costs of a right side's symbols: before position i, and from position i on.
struct Sumas {
  std::vector<Coste> antes, desde;

  Coste Otros(int i) const { return antes[i] + desde[i + 1]; }
  Coste Todo() const { return desde[0]; }
};

// How the strings that begin with a reach a non-terminal's occurrence from what follows it:
// through the production's later symbols (`siguiente` is the position that begins with a),
// or, with every later symbol nullable, from what follows the antecedent (`siguiente` -1).
struct Eslabon {
  int produccion = -1;
  int posicion = -1;
  int siguiente = -1;
};

}  // namespace

struct Testigos::Tablas {
  Tablas(const GramaticaPlana& g, const std::vector<char>& anulables);

  Sumas SumasDe(int p) const;
  void Rendimiento(int s, std::vector<int>& salida) const;
  // The yields around x in its shortest context, outer parts first on the left.
  bool Contexto(int x, std::vector<int>& izquierda, std::vector<int>& derecha) const;
  // Expands `nodo` (or the children of an expanded one) into shortest-yield trees.
  void Corto(Arbol& arbol, int nodo) const;
  void CortoHijos(Arbol& arbol, int nodo) const;

  void PrepararTerminal(int a);
  void PrepararSiguiente(int a);
  Coste EmpiezaPor(int s, int a) const;
  // Expands `nodo` (a non-terminal of production p) into the cheapest tree whose yield
  // begins with the prepared terminal; false when there is none within the bounds.
  bool ConPrimero(Arbol& arbol, int nodo, int p) const;
  void CadenaConPrimero(Arbol& arbol, int nodo) const;

  const GramaticaPlana& g;
  const std::vector<char>& anulables;
  std::vector<Coste> coste;  // the shortest yield of each symbol
  std::vector<int> mejor;    // the production that gives it
  std::vector<Coste> contexto;
  std::vector<GramaticaPlana::Aparicion> padreContexto;

  // Left corners by the symbol that stands there, with the cost of the production's other
  // symbols (the nullable ones before it derive the empty string).
  struct Esquina {
    int produccion;
    int posicion;
    Coste otros;
  };
  std::vector<int> inicioEsquinas;
  std::vector<Esquina> esquinas;

  int terminal = -1;                 // the terminal of the tables below
  std::vector<Coste> conPrimero;     // shortest yield of each non-terminal that begins with it
  std::vector<int> padreConPrimero;  // the left corner (index in `esquinas`) that gives it
  std::vector<int> empiezan;         // the non-terminals whose strings may begin with it
  std::vector<int> marcaProduccion;  // scratch: the productions met in the current search
  int marca = 0;
  int terminalSiguiente = -1;
  std::vector<Coste> seguido;  // shortest context of each non-terminal followed by it
  std::vector<Eslabon> padreSeguido;
};

Testigos::Tablas::Tablas(const GramaticaPlana& g, const std::vector<char>& anulables)
    : g(g), anulables(anulables) {
  const int n = g.NumSimbolos();
  // Shortest yields (Knuth): a production's cost is known once all its non-terminals are
  // settled; the cheapest known candidate is settled next.
  coste.assign(n, Coste{});
  mejor.assign(n, -1);
  for (int t = 0; t < g.NumTerminales(); ++t) coste[t] = kUnTerminal;
  std::vector<int> faltan(g.NumProducciones(), 0);
  std::vector<Coste> suma(g.NumProducciones(), kPaso);
  Cola cola;
  auto candidato = [&](int p) {
    const int a = g.Antecedente(p);
    if (suma[p] < coste[a]) {
      coste[a] = suma[p];
      mejor[a] = p;
      cola.Meter(suma[p], a);
    }
  };
  for (int p = 0; p < g.NumProducciones(); ++p) {
    for (const int s : g.Derecha(p)) {
      if (g.EsTerminal(s))
        suma[p] = suma[p] + kUnTerminal;
      else
        ++faltan[p];
    }
    if (faltan[p] == 0) candidato(p);
  }
  Asentar(cola, coste, [&](const Coste& c, int x) {
    for (const auto& [p, posicion] : g.Apariciones(x)) {
      suma[p] = suma[p] + c;
      if (--faltan[p] == 0) candidato(p);
    }
  });

  // Left corners, and shortest contexts: from the axiom down through every occurrence in a
  // production whose symbols all derive something.
  inicioEsquinas.assign(static_cast<std::size_t>(n) + 1, 0);
  std::vector<std::pair<int, Esquina>> porSimbolo;
  for (int p = 0; p < g.NumProducciones(); ++p) {
    const Sumas sumas = SumasDe(p);
    if (!sumas.Todo().Finito()) continue;
    const auto derecha = g.Derecha(p);
    for (std::size_t i = 0; i < derecha.size(); ++i) {
      const int posicion = static_cast<int>(i);
      porSimbolo.push_back({derecha[i], {p, posicion, sumas.Otros(posicion)}});
      if (!anulables[derecha[i]]) break;
    }
  }
  for (const auto& [s, e] : porSimbolo) ++inicioEsquinas[s + 1];
  for (int s = 0; s < n; ++s) inicioEsquinas[s + 1] += inicioEsquinas[s];
  esquinas.resize(porSimbolo.size(), Esquina{0, 0, Coste{}});
  std::vector<int> libre(inicioEsquinas.begin(), inicioEsquinas.end() - 1);
  for (const auto& [s, e] : porSimbolo) esquinas[libre[s]++] = e;

  marcaProduccion.assign(g.NumProducciones(), 0);
  contexto.assign(n, Coste{});
  padreContexto.assign(n, {-1, -1});
  if (g.Axioma() < 0) return;
  contexto[g.Axioma()] = Coste{0, 0};
  cola.Meter(contexto[g.Axioma()], g.Axioma());
  Asentar(cola, contexto, [&](const Coste& c, int x) {
    for (const int p : g.Producciones(x)) {
      const Sumas sumas = SumasDe(p);
      if (!sumas.Todo().Finito()) continue;
      const auto derecha = g.Derecha(p);
      for (std::size_t j = 0; j < derecha.size(); ++j) {
        const int y = derecha[j];
        const Coste nuevo = c + sumas.Otros(static_cast<int>(j)) + kPaso;
        if (!g.EsTerminal(y) && nuevo < contexto[y]) {
          contexto[y] = nuevo;
          padreContexto[y] = {p, static_cast<int>(j)};
          cola.Meter(nuevo, y);
        }
      }
    }
  });
}

Sumas Testigos::Tablas::SumasDe(int p) const {
  const auto derecha = g.Derecha(p);
  const std::size_t k = derecha.size();
  Sumas s{std::vector<Coste>(k + 1), std::vector<Coste>(k + 1)};
  s.antes[0] = Coste{0, 0};
  s.desde[k] = Coste{0, 0};
  for (std::size_t i = 0; i < k; ++i) s.antes[i + 1] = s.antes[i] + coste[derecha[i]];
  for (std::size_t i = k; i-- > 0;) s.desde[i] = s.desde[i + 1] + coste[derecha[i]];
  return s;
}

void Testigos::Tablas::Rendimiento(int s, std::vector<int>& salida) const {
  std::vector<int> pila{s};
  while (!pila.empty()) {
    const int x = pila.back();
    pila.pop_back();
    if (g.EsTerminal(x)) {
      salida.push_back(x);
      continue;
    }
    const auto derecha = g.Derecha(mejor[x]);
    pila.insert(pila.end(), derecha.rbegin(), derecha.rend());
  }
}

bool Testigos::Tablas::Contexto(int x, std::vector<int>& izquierda,
                                std::vector<int>& derecha) const {
  if (!Cabe(contexto[x], kMaxPasosContexto)) return false;
  std::vector<GramaticaPlana::Aparicion> niveles;  // innermost first
  for (int y = x; padreContexto[y].produccion >= 0; y = g.Antecedente(padreContexto[y].produccion))
    niveles.push_back(padreContexto[y]);
  for (auto nivel = niveles.rbegin(); nivel != niveles.rend(); ++nivel)
    for (int j = 0; j < nivel->posicion; ++j)
      Rendimiento(g.Derecha(nivel->produccion)[j], izquierda);
  for (const auto& [p, posicion] : niveles) {
    const auto resto = g.Derecha(p).subspan(static_cast<std::size_t>(posicion) + 1);
    for (const int s : resto) Rendimiento(s, derecha);
  }
  return true;
}

void Testigos::Tablas::Corto(Arbol& arbol, int nodo) const {
  std::vector<int> pendientes{nodo};
  while (!pendientes.empty()) {
    const int n = pendientes.back();
    pendientes.pop_back();
    const int s = arbol.nodos[n].simbolo;
    if (g.EsTerminal(s)) continue;
    arbol.Expandir(n, mejor[s], g);
    const Arbol::Nodo& hecho = arbol.nodos[n];
    for (int h = 0; h < hecho.numHijos; ++h) pendientes.push_back(hecho.primerHijo + h);
  }
}

void Testigos::Tablas::CortoHijos(Arbol& arbol, int nodo) const {
  const Arbol::Nodo n = arbol.nodos[nodo];
  for (int h = 0; h < n.numHijos; ++h) Corto(arbol, n.primerHijo + h);
}

// The strings that begin with terminal a, from a backwards over left corners: a
// non-terminal gets the cheapest of its left corners' costs plus the rest of the production.
void Testigos::Tablas::PrepararTerminal(int a) {
  if (terminal == a) return;
  terminal = a;
  terminalSiguiente = -1;
  conPrimero.assign(g.NumSimbolos(), Coste{});
  padreConPrimero.assign(g.NumSimbolos(), -1);
  Cola cola;
  auto relajar = [&](int desde, const Coste& c) {
    for (int e = inicioEsquinas[desde]; e < inicioEsquinas[desde + 1]; ++e) {
      const int x = g.Antecedente(esquinas[e].produccion);
      const Coste nuevo = c + esquinas[e].otros + kPaso;
      if (nuevo < conPrimero[x]) {
        conPrimero[x] = nuevo;
        padreConPrimero[x] = e;
        cola.Meter(nuevo, x);
      }
    }
  };
  relajar(a, kUnTerminal);
  empiezan.clear();
  Asentar(cola, conPrimero, [&](const Coste& c, int x) {
    empiezan.push_back(x);
    relajar(x, c);
  });
}

// Contexts in which terminal a follows a non-terminal: an occurrence followed, past nullable
// symbols, by one whose strings may begin with a (in a production met in its shortest
// context); or an occurrence with only nullable symbols after it, in a production of a
// non-terminal that a follows.
void Testigos::Tablas::PrepararSiguiente(int a) {
  PrepararTerminal(a);
  if (terminalSiguiente == a) return;
  terminalSiguiente = a;
  seguido.assign(g.NumSimbolos(), Coste{});
  padreSeguido.assign(g.NumSimbolos(), Eslabon{});
  Cola cola;
  auto candidato = [&](int y, const Coste& c, Eslabon eslabon) {
    if (!g.EsTerminal(y) && c < seguido[y]) {
      seguido[y] = c;
      padreSeguido[y] = eslabon;
      cola.Meter(c, y);
    }
  };
  // Only the productions where a, or a symbol that may begin with it, stands after the first
  // position give a starting point.
  std::vector<int> producciones;
  ++marca;
  for (std::size_t k = 0; k <= empiezan.size(); ++k)
    for (const auto& [p, posicion] : g.Apariciones(k == 0 ? a : empiezan[k - 1]))
      if (posicion > 0 && marcaProduccion[p] != marca) {
        marcaProduccion[p] = marca;
        producciones.push_back(p);
      }
  std::sort(producciones.begin(), producciones.end());
  for (const int p : producciones) {
    const Coste arriba = contexto[g.Antecedente(p)];
    if (!arriba.Finito()) continue;
    const Sumas sumas = SumasDe(p);
    if (!sumas.Todo().Finito()) continue;
    const auto derecha = g.Derecha(p);
    // From the right end: the cheapest way for the symbols from j on to begin with a, and
    // the position that begins it.
    Coste resto;
    int desde = -1;
    for (std::size_t j = derecha.size(); j-- > 0;) {
      const int s = derecha[j];
      if (!g.EsTerminal(s) && resto.Finito())
        candidato(s, arriba + sumas.antes[j] + resto + kPaso, {p, static_cast<int>(j), desde});
      const Coste aqui = EmpiezaPor(s, a) + sumas.desde[j + 1];
      const Coste saltando = anulables[s] ? coste[s] + resto : Coste{};
      if (aqui.Finito() && !(saltando < aqui)) {
        resto = aqui;
        desde = static_cast<int>(j);
      } else {
        resto = saltando;
      }
    }
  }
  Asentar(cola, seguido, [&](const Coste& c, int x) {
    for (const int p : g.Producciones(x)) {
      const Sumas sumas = SumasDe(p);
      if (!sumas.Todo().Finito()) continue;
      const auto derecha = g.Derecha(p);
      for (std::size_t j = derecha.size(); j-- > 0;) {
        candidato(derecha[j], c + sumas.Otros(static_cast<int>(j)) + kPaso,
                  {p, static_cast<int>(j), -1});
        if (!anulables[derecha[j]]) break;
      }
    }
  });
}

Coste Testigos::Tablas::EmpiezaPor(int s, int a) const {
  if (g.EsTerminal(s)) return s == a ? kUnTerminal : Coste{};
  return conPrimero[s];
}

bool Testigos::Tablas::ConPrimero(Arbol& arbol, int nodo, int p) const {
  const Sumas sumas = SumasDe(p);
  const auto derecha = g.Derecha(p);
  Coste menor;
  int elegida = -1;
  for (std::size_t i = 0; i < derecha.size(); ++i) {
    const Coste c = EmpiezaPor(derecha[i], terminal) + sumas.Otros(static_cast<int>(i)) + kPaso;
    if (c < menor) {
      menor = c;
      elegida = static_cast<int>(i);
    }
    if (!anulables[derecha[i]]) break;
  }
  if (elegida < 0 || !Cabe(menor, kMaxPasos)) return false;
  arbol.Expandir(nodo, p, g);
  const int primero = arbol.nodos[nodo].primerHijo;
  for (int i = 0; i < static_cast<int>(derecha.size()); ++i) {
    if (i == elegida)
      CadenaConPrimero(arbol, primero + i);
    else
      Corto(arbol, primero + i);
  }
  return true;
}

void Testigos::Tablas::CadenaConPrimero(Arbol& arbol, int nodo) const {
  for (int n = nodo; !g.EsTerminal(arbol.nodos[n].simbolo);) {
    const Esquina& e = esquinas[padreConPrimero[arbol.nodos[n].simbolo]];
    arbol.Expandir(n, e.produccion, g);
    const int primero = arbol.nodos[n].primerHijo;
    const int hijos = arbol.nodos[n].numHijos;
    for (int i = 0; i < hijos; ++i)
      if (i != e.posicion) Corto(arbol, primero + i);
    n = primero + e.posicion;
  }
}

// ---------------------------------------------------------------------------------------------

Testigos::Testigos(const GramaticaPlana& g, const std::vector<char>& anulables)
    : t(std::make_unique<Tablas>(g, anulables)) {}

Testigos::~Testigos() = default;

namespace {

std::vector<int> Unir(std::initializer_list<const std::vector<int>*> partes) {
  std::vector<int> todo;
  for (const std::vector<int>* parte : partes)
    todo.insert(todo.end(), parte->begin(), parte->end());
  return todo;
}

}  // namespace

std::optional<TestigoPlano> Testigos::PrimeroComun(int p, int q, int a) {
  const GramaticaPlana& g = t->g;
  TestigoPlano testigo;
  std::vector<int> cola;
  if (!t->Contexto(g.Antecedente(p), testigo.prefijo, cola)) return std::nullopt;
  t->PrepararTerminal(a);
  const int producciones[2] = {p, q};
  for (int k = 0; k < 2; ++k) {
    Arbol arbol;
    const int raiz = arbol.Nuevo(g.Antecedente(p));
    if (!t->ConPrimero(arbol, raiz, producciones[k])) return std::nullopt;
    testigo.derivaciones[k] = arbol.Izquierda({raiz});
    testigo.frases[k] = Unir({&testigo.prefijo, &testigo.derivaciones[k].formas.back(), &cola});
  }
  return testigo;
}

std::optional<TestigoPlano> Testigos::DosAnulables(int p, int q) {
  const GramaticaPlana& g = t->g;
  TestigoPlano testigo;
  std::vector<int> cola;
  if (!t->Contexto(g.Antecedente(p), testigo.prefijo, cola)) return std::nullopt;
  const int producciones[2] = {p, q};
  for (int k = 0; k < 2; ++k) {
    const auto derecha = g.Derecha(producciones[k]);
    if (!std::all_of(derecha.begin(), derecha.end(), [&](int s) { return t->anulables[s]; }) ||
        !Cabe(t->SumasDe(producciones[k]).Todo() + kPaso, kMaxPasos))
      return std::nullopt;
    Arbol arbol;
    const int raiz = arbol.Nuevo(g.Antecedente(p));
    arbol.Expandir(raiz, producciones[k], g);
    t->CortoHijos(arbol, raiz);
    testigo.derivaciones[k] = arbol.Izquierda({raiz});
    testigo.frases[k] = Unir({&testigo.prefijo, &cola});
  }
  return testigo;
}

std::optional<TestigoPlano> Testigos::PrimeroSiguiente(int p, int q, int a) {
  const GramaticaPlana& g = t->g;
  const int antecedente = g.Antecedente(p);
  t->PrepararSiguiente(a);
  if (!Cabe(t->seguido[antecedente], kMaxPasosContexto)) return std::nullopt;

  // What follows A: the nullable rests of the productions it ends, innermost first, up to
  // the production whose later symbols begin with a.
  std::vector<Eslabon> niveles;
  int y = antecedente;
  for (;; y = g.Antecedente(niveles.back().produccion)) {
    niveles.push_back(t->padreSeguido[y]);
    if (niveles.back().siguiente >= 0) break;
  }
  const Eslabon base = niveles.back();
  TestigoPlano testigo;
  std::vector<int> cola;
  const int arriba = g.Antecedente(base.produccion);
  if (!t->Contexto(arriba, testigo.prefijo, cola)) return std::nullopt;
  for (auto nivel = niveles.rbegin(); nivel != niveles.rend(); ++nivel)
    for (int j = 0; j < nivel->posicion; ++j)
      t->Rendimiento(g.Derecha(nivel->produccion)[j], testigo.prefijo);
  std::vector<int> resto;
  const auto derechaBase = g.Derecha(base.produccion);
  for (std::size_t j = static_cast<std::size_t>(base.siguiente) + 1; j < derechaBase.size(); ++j)
    t->Rendimiento(derechaBase[j], resto);
  cola.insert(cola.begin(), resto.begin(), resto.end());

  // The second derivation: A by q to the empty string, what follows it to a string that
  // begins with a.
  const auto derechaQ = g.Derecha(q);
  if (!std::all_of(derechaQ.begin(), derechaQ.end(), [&](int s) { return t->anulables[s]; }) ||
      !Cabe(t->SumasDe(q).Todo() + kPaso, kMaxPasos))
    return std::nullopt;
  Arbol arbol;
  std::vector<int> raices{arbol.Nuevo(antecedente)};
  arbol.Expandir(raices[0], q, g);
  t->CortoHijos(arbol, raices[0]);
  for (const Eslabon& nivel : niveles) {
    const auto derecha = g.Derecha(nivel.produccion);
    const std::size_t hasta =
        nivel.siguiente >= 0 ? static_cast<std::size_t>(nivel.siguiente) + 1 : derecha.size();
    for (std::size_t j = static_cast<std::size_t>(nivel.posicion) + 1; j < hasta; ++j) {
      raices.push_back(arbol.Nuevo(derecha[j]));
      if (j + 1 < hasta || nivel.siguiente < 0)
        t->Corto(arbol, raices.back());
      else
        t->CadenaConPrimero(arbol, raices.back());
    }
  }
  if (arbol.Internos() > static_cast<int>(kMaxPasos)) return std::nullopt;
  testigo.derivaciones[1] = arbol.Izquierda(raices);

  Arbol primero;
  const int raiz = primero.Nuevo(antecedente);
  if (!t->ConPrimero(primero, raiz, p)) return std::nullopt;
  testigo.derivaciones[0] = primero.Izquierda({raiz});
  const std::vector<int>& siguiente = testigo.derivaciones[1].formas.back();
  testigo.frases[0] =
      Unir({&testigo.prefijo, &testigo.derivaciones[0].formas.back(), &siguiente, &cola});
  testigo.frases[1] = Unir({&testigo.prefijo, &siguiente, &cola});
  return testigo;
}
