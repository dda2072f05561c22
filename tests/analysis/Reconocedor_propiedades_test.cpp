// The predictive parser against Earley's recogniser, written here from the productions alone
// (no table), over random LL(1) grammars: sentences derived from the grammar are accepted with
// a tree that spells them; for mutated sentences the verdict is the recogniser's, and a
// rejection stops at the first name that no sentential form can continue with.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <tuple>

#include "Ayuda.h"
#include "Gramaticasazar.h"
#include "Reconocedor.h"

using prueba::Analizar;
using prueba::Generada;
using prueba::Generar;
using prueba::Regla;

namespace {

using Palabras = std::vector<std::string>;

std::set<std::string> Anulables(const Generada& g) {
  std::set<std::string> anulables;
  for (bool cambio = true; cambio;) {
    cambio = false;
    for (const Regla& r : g.reglas)
      if (std::all_of(r.derecha.begin(), r.derecha.end(),
                      [&](const std::string& x) { return anulables.count(x) > 0; }))
        cambio |= anulables.insert(r.antecedente).second;
  }
  return anulables;
}

// Earley's item sets over `w`, with the nullable shortcut of Aycock and Horspool: an item
// that predicts a nullable symbol also steps over it.
struct Earley {
  // (rule, dot, origin)
  std::vector<std::set<std::tuple<std::size_t, std::size_t, std::size_t>>> conjuntos;
  bool acepta = false;

  Earley(const Generada& g, const Palabras& w) : conjuntos(w.size() + 1) {
    const std::set<std::string> anulables = Anulables(g);
    for (std::size_t r = 0; r < g.reglas.size(); ++r)
      if (g.reglas[r].antecedente == "S") conjuntos[0].insert({r, 0, 0});
    for (std::size_t k = 0; k <= w.size(); ++k) {
      auto& actual = conjuntos[k];
      std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> pendientes(actual.begin(),
                                                                                actual.end());
      const auto anadir = [&](std::size_t r, std::size_t punto, std::size_t origen) {
        if (actual.insert({r, punto, origen}).second) pendientes.emplace_back(r, punto, origen);
      };
      while (!pendientes.empty()) {
        const auto [r, punto, origen] = pendientes.back();
        pendientes.pop_back();
        const Regla& regla = g.reglas[r];
        if (punto == regla.derecha.size()) {  // completion
          for (const auto& [r2, p2, o2] : std::set(conjuntos[origen]))
            if (p2 < g.reglas[r2].derecha.size() && g.reglas[r2].derecha[p2] == regla.antecedente)
              anadir(r2, p2 + 1, o2);
          continue;
        }
        const std::string& x = regla.derecha[punto];
        if (g.EsTerminal(x)) {  // scan
          if (k < w.size() && w[k] == x) conjuntos[k + 1].insert({r, punto + 1, origen});
          continue;
        }
        for (std::size_t r2 = 0; r2 < g.reglas.size(); ++r2)  // prediction
          if (g.reglas[r2].antecedente == x) anadir(r2, 0, k);
        if (anulables.count(x)) anadir(r, punto + 1, origen);
      }
    }
    for (const auto& [r, punto, origen] : conjuntos[w.size()])
      acepta |=
          origen == 0 && g.reglas[r].antecedente == "S" && punto == g.reglas[r].derecha.size();
  }

  // Whether some sentential form begins with the first k names.
  bool Prefijo(std::size_t k) const { return !conjuntos[k].empty(); }
};

// Random sentences by leftmost derivation: free choices up to a depth, then the productions
// that end soonest. Empty when the axiom derives no sentence.
class Derivador {
 public:
  Derivador(const Generada& g, std::mt19937& azar) : g(g), azar(azar) {
    for (bool cambio = true; cambio;) {
      cambio = false;
      for (const Regla& r : g.reglas) {
        const int a = Altura(r);
        if (a < kInfinito && (!altura.count(r.antecedente) || a < altura[r.antecedente])) {
          altura[r.antecedente] = a;
          cambio = true;
        }
      }
    }
  }

  bool Productivo() const { return altura.count("S") > 0; }

  Palabras Frase() {
    Palabras frase;
    Derivar("S", 0, frase);
    return frase;
  }

 private:
  static constexpr int kInfinito = 1 << 20;
  static constexpr int kProfundidad = 6;

  int Altura(const Regla& r) const {
    int a = 0;
    for (const auto& x : r.derecha) {
      if (g.EsTerminal(x)) continue;
      const auto h = altura.find(x);
      if (h == altura.end()) return kInfinito;
      a = std::max(a, h->second);
    }
    return a + 1;
  }

  void Derivar(const std::string& x, int profundidad, Palabras& frase) {
    if (g.EsTerminal(x)) {
      frase.push_back(x);
      return;
    }
    std::vector<const Regla*> validas;
    for (const Regla& r : g.reglas)
      if (r.antecedente == x && Altura(r) < kInfinito &&
          (profundidad < kProfundidad || Altura(r) == altura.at(x)))
        validas.push_back(&r);
    const Regla* elegida =
        validas[std::uniform_int_distribution<std::size_t>(0, validas.size() - 1)(azar)];
    for (const auto& y : elegida->derecha) Derivar(y, profundidad + 1, frase);
  }

  const Generada& g;
  std::mt19937& azar;
  std::map<std::string, int> altura;
};

Palabras Mutar(const Generada& g, Palabras frase, std::mt19937& azar) {
  auto entre = [&](std::size_t a, std::size_t b) {
    return std::uniform_int_distribution<std::size_t>(a, b)(azar);
  };
  // Now and then a name that is no terminal.
  const std::string nuevo =
      entre(0, 9) == 0 ? std::string("z") : g.terminales[entre(0, g.terminales.size() - 1)];
  switch (frase.empty() ? 0 : entre(0, 2)) {
    case 0:
      frase.insert(frase.begin() + static_cast<std::ptrdiff_t>(entre(0, frase.size())), nuevo);
      break;
    case 1:
      frase.erase(frase.begin() + static_cast<std::ptrdiff_t>(entre(0, frase.size() - 1)));
      break;
    default:
      frase[entre(0, frase.size() - 1)] = nuevo;
  }
  return frase;
}

std::string Texto(const Palabras& frase) {
  std::string texto;
  for (const auto& x : frase) texto += x + " ";
  return texto;
}

// An accepted parse: every node expanded or matched, the leaves spell the sentence and every
// node's children are its production's right side.
void ComprobarArbol(const Reconocimiento& r, const Palabras& frase) {
  Palabras hojas;
  std::vector<int> pendientes{0};
  while (!pendientes.empty()) {
    const auto& nodo = r.Arbol()[static_cast<std::size_t>(pendientes.back())];
    pendientes.pop_back();
    ASSERT_GE(nodo.paso, 0);
    if (nodo.simbolo->EsTerminal()) {
      hojas.push_back(nodo.simbolo->Nombre());
      continue;
    }
    ASSERT_TRUE(nodo.produccion);
    Palabras hijos, derecha;
    for (int h = 0; h < nodo.numHijos; ++h)
      hijos.push_back(r.Arbol()[static_cast<std::size_t>(nodo.primerHijo + h)].simbolo->Nombre());
    for (const CSimbolo* s : nodo.produccion->Consecuente())
      if (s) derecha.push_back(s->Nombre());
    ASSERT_EQ(hijos, derecha);
    for (int h = nodo.primerHijo + nodo.numHijos - 1; h >= nodo.primerHijo && h >= 0; --h)
      pendientes.push_back(h);
  }
  EXPECT_EQ(hojas, frase);
}

}  // namespace

TEST(ReconocedorPropiedades, agreesWithEarleyOnDerivedAndMutatedSentences) {
  std::mt19937 azar(20261209);
  int gramaticas = 0, aceptadas = 0, rechazadas = 0, desconocidas = 0;
  for (int caso = 0; caso < 8000; ++caso) {
    const Generada g = Generar(azar);
    const auto a = Analizar(g.Texto());
    if (!a.tabla) continue;
    Derivador derivador(g, azar);
    if (!derivador.Productivo()) continue;
    ++gramaticas;
    SCOPED_TRACE(g.Texto());
    for (int i = 0; i < 8; ++i) {
      const Palabras frase = derivador.Frase();
      SCOPED_TRACE(Texto(frase));
      const Reconocimiento r = Reconocer(*a.gramatica, *a.tabla, Texto(frase));
      ASSERT_TRUE(r.Aceptada());
      ASSERT_TRUE(Earley(g, frase).acepta);
      ComprobarArbol(r, frase);
      ++aceptadas;

      const Palabras mutada = Mutar(g, frase, azar);
      SCOPED_TRACE(Texto(mutada));
      const Reconocimiento m = Reconocer(*a.gramatica, *a.tabla, Texto(mutada));
      const Earley earley(g, mutada);
      ASSERT_EQ(m.Aceptada(), earley.acepta);
      if (m.Aceptada()) continue;
      ++rechazadas;
      // The names before the error's position were matched, and no sentential form goes on
      // with the one there.
      const auto p = static_cast<std::size_t>(m.Error()->posicion);
      const auto emparejados = std::count_if(m.Pasos().begin(), m.Pasos().end(), [](const auto& s) {
        return s.accion == AccionPaso::Emparejar;
      });
      if (m.Entrada().empty()) {
        ++desconocidas;
        EXPECT_EQ(mutada[p - 1], "z");
        EXPECT_EQ(std::count(mutada.begin(), mutada.begin() + static_cast<std::ptrdiff_t>(p), "z"),
                  1);
        continue;
      }
      EXPECT_EQ(static_cast<std::size_t>(emparejados), p - 1);
      EXPECT_TRUE(earley.Prefijo(p - 1));
      if (p <= mutada.size()) {
        EXPECT_FALSE(earley.Prefijo(p));
      }
    }
  }
  EXPECT_GT(gramaticas, 800);
  EXPECT_GT(rechazadas, 5000);
  EXPECT_GT(desconocidas, 400);
  EXPECT_GT(aceptadas - rechazadas, 800);  // mutations that are still sentences
}
