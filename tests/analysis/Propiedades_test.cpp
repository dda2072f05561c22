// The traced analysis against a small, independent textbook LL(1) checker, over many
// generated grammars: same verdict, same table, same nullable/FIRST/FOLLOW sets.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "Ayuda.h"
#include "Conjuntosexactos.h"
#include "Gramaticasazar.h"

using prueba::Analizar;
using prueba::Generada;
using prueba::Generar;
using prueba::Regla;

namespace {

const std::string kFin = "$";

// Textbook sets by plain iteration to a fixed point.
struct Libro {
  std::map<std::string, bool> anulable;
  std::map<std::string, std::set<std::string>> first, follow;
  const Generada& g;

  explicit Libro(const Generada& gramatica) : g(gramatica) {
    for (bool cambio = true; cambio;) {
      cambio = false;
      for (const auto& r : g.reglas) {
        // nullable(A) if some right side is all nullable; FIRST(A) ⊇ FIRST(right side)
        auto [f, n] = FirstDe(r.derecha, 0);
        if (n && !anulable[r.antecedente]) cambio = anulable[r.antecedente] = true;
        for (const auto& t : f) cambio |= first[r.antecedente].insert(t).second;
      }
    }
    follow["S"].insert(kFin);
    for (bool cambio = true; cambio;) {
      cambio = false;
      for (const auto& r : g.reglas)
        for (std::size_t i = 0; i < r.derecha.size(); ++i) {
          const auto& x = r.derecha[i];
          if (g.EsTerminal(x)) continue;
          auto [f, n] = FirstDe(r.derecha, i + 1);
          for (const auto& t : f) cambio |= follow[x].insert(t).second;
          if (n)
            for (const auto& t : std::set<std::string>(follow[r.antecedente]))
              cambio |= follow[x].insert(t).second;
        }
    }
  }

  std::pair<std::set<std::string>, bool> FirstDe(const std::vector<std::string>& s,
                                                 std::size_t desde) {
    std::set<std::string> f;
    for (std::size_t i = desde; i < s.size(); ++i) {
      if (g.EsTerminal(s[i])) {
        f.insert(s[i]);
        return {f, false};
      }
      f.insert(first[s[i]].begin(), first[s[i]].end());
      if (!anulable[s[i]]) return {f, false};
    }
    return {f, true};
  }

  bool RecursivoPorLaIzquierda() {
    // A reaches B when B stands after a nullable prefix in a production of A.
    std::map<std::string, std::set<std::string>> alcanza;
    for (const auto& r : g.reglas)
      for (const auto& x : r.derecha) {
        if (g.EsTerminal(x)) break;
        alcanza[r.antecedente].insert(x);
        if (!anulable[x]) break;
      }
    for (bool cambio = true; cambio;) {
      cambio = false;
      for (auto& [a, bs] : alcanza)
        for (const auto& b : std::set<std::string>(bs))
          for (const auto& c : std::set<std::string>(alcanza[b])) cambio |= bs.insert(c).second;
    }
    for (const auto& [a, bs] : alcanza)
      if (bs.count(a)) return true;
    return false;
  }

  std::set<std::string> Prediccion(const Regla& r) {
    auto [f, n] = FirstDe(r.derecha, 0);
    if (n) f.insert(follow[r.antecedente].begin(), follow[r.antecedente].end());
    return f;
  }
};

std::set<std::string> Nombres(const ConjuntoSimbolos& c) {
  std::set<std::string> n;
  for (const PSimbolo s : c) n.insert(s->Nombre() == NombreFinCadena() ? kFin : s->Nombre());
  return n;
}

std::string TextoRegla(const Regla& r) {
  std::string t = r.antecedente + " ->";
  if (r.derecha.empty()) t += " lambda";
  for (const auto& x : r.derecha) t += " " + x;
  return t;
}

}  // namespace

TEST(PropiedadesLL1, verdictTableAndSetsAgreeWithTheTextbook) {
  std::mt19937 azar(20261208);
  int ll1 = 0, conflictos = 0, omitidas = 0;
  for (int caso = 0; caso < 4000; ++caso) {
    const Generada g = Generar(azar);
    SCOPED_TRACE(g.Texto());
    const auto a = Analizar(g.Texto());
    ASSERT_TRUE(a.gramatica);
    // Undeclared... every generated text reads without errors.
    ASSERT_TRUE(std::none_of(a.codigos.begin(), a.codigos.end(),
                             [](CodigoError c) { return c < kPrimerCodigoLL1; }));
    Libro libro(g);

    // The exact sets hold for every grammar.
    const ConjuntosExactos& exactos = a.gramatica->Exactos();
    for (const auto& n : g.noTerminales) {
      CSimboloNoTerminal* nt = a.Nt(n);
      EXPECT_EQ(exactos.Anulable(*nt), libro.anulable[n]) << n;
      EXPECT_EQ(Nombres(exactos.First(*nt)), libro.first[n]) << n;
      EXPECT_EQ(Nombres(exactos.Follow(*nt)), libro.follow[n]) << n;
    }

    bool sinProducciones = false;
    for (const auto& n : g.noTerminales)
      sinProducciones |= std::none_of(g.reglas.begin(), g.reglas.end(),
                                      [&](const Regla& r) { return r.antecedente == n; });
    const bool recursivo = libro.RecursivoPorLaIzquierda();
    const auto tiene = [&](CodigoError codigo) {
      return std::count(a.codigos.begin(), a.codigos.end(), codigo) > 0;
    };
    if (sinProducciones || recursivo) {
      EXPECT_EQ(tiene(CodigoError::SinProducciones), sinProducciones);
      if (recursivo) {
        EXPECT_TRUE(tiene(CodigoError::RecursividadIzquierda));
      }
      EXPECT_FALSE(a.tabla);
      ++omitidas;
      continue;
    }
    EXPECT_FALSE(tiene(CodigoError::SinProducciones) || tiene(CodigoError::RecursividadIzquierda) ||
                 tiene(CodigoError::AfectadaPorRecursividad));

    // LL(1): no two productions of a non-terminal share a FIRST symbol, at most one is
    // nullable, and when one is, no other production's FIRST meets FOLLOW of the antecedent.
    bool esLL1 = true;
    for (std::size_t i = 0; i < g.reglas.size(); ++i)
      for (std::size_t j = 0; j < g.reglas.size(); ++j) {
        if (i == j || g.reglas[i].antecedente != g.reglas[j].antecedente) continue;
        const auto [fi, ni] = libro.FirstDe(g.reglas[i].derecha, 0);
        const auto [fj, nj] = libro.FirstDe(g.reglas[j].derecha, 0);
        for (const auto& t : fi) esLL1 &= !fj.count(t);
        esLL1 &= !(ni && nj);
        if (nj)
          for (const auto& t : fi) esLL1 &= !libro.follow[g.reglas[i].antecedente].count(t);
      }
    EXPECT_EQ(a.errores.empty(), esLL1);
    ASSERT_EQ(static_cast<bool>(a.tabla), esLL1);
    if (!esLL1) {
      ++conflictos;
      continue;
    }
    ++ll1;
    std::vector<std::string> columnas = g.terminales;
    columnas.push_back(kFin);
    for (const auto& n : g.noTerminales)
      for (const auto& t : columnas) {
        std::string esperado = "-";
        for (const auto& r : g.reglas)
          if (r.antecedente == n && libro.Prediccion(r).count(t)) esperado = TextoRegla(r);
        EXPECT_EQ(a.Celda(n, t == kFin ? NombreFinCadena() : t), esperado) << n << " " << t;
      }
  }
  // The generator must exercise every outcome.
  EXPECT_GT(ll1, 300);
  EXPECT_GT(conflictos, 300);
  EXPECT_GT(omitidas, 300);
}

// The table filled row by row equals the selection rule asked cell by cell.
TEST(PropiedadesLL1, tableEqualsTheSelectionRuleOnEveryCell) {
  std::mt19937 azar(7);
  for (int caso = 0; caso < 1500; ++caso) {
    const Generada g = Generar(azar);
    SCOPED_TRACE(g.Texto());
    auto a = Analizar(g.Texto());
    const auto tabla = a.gramatica->ConstruirTabla();
    for (unsigned f = 0; tabla->Fila(f); ++f)
      for (unsigned c = 0; tabla->Columna(c); ++c)
        EXPECT_EQ(tabla->Celda(f, c), tabla->Fila(f)->ProduccionPara(tabla->Columna(c)->Nombre()));
  }
}
