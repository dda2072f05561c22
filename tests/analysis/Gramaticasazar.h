// Small random grammars for the property tests: up to three terminals (a, b, c) and four
// non-terminals (S, the axiom, A, B, C), each with up to three productions of up to three
// symbols. Many come out LL(1), many do not; every text reads without errors.
#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace prueba {

struct Regla {
  std::string antecedente;
  std::vector<std::string> derecha;  // empty: lambda
};

struct Generada {
  std::vector<std::string> terminales, noTerminales;
  std::vector<Regla> reglas;

  bool EsTerminal(const std::string& x) const {
    return std::find(terminales.begin(), terminales.end(), x) != terminales.end();
  }

  std::string Texto() const {
    std::string t = "Terminales = {";
    for (const auto& x : terminales) t += " " + x;
    t += " }\r\nNoTerminales = {";
    for (const auto& x : noTerminales) t += " " + x;
    t += " }\r\nAxioma = S\r\nProducciones = {\r\n";
    for (const auto& r : reglas) {
      t += r.antecedente + " ->";
      if (r.derecha.empty()) t += " lambda";
      for (const auto& x : r.derecha) t += " " + x;
      t += "\r\n";
    }
    return t + "}\r\n";
  }
};

inline Generada Generar(std::mt19937& azar) {
  auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
  Generada g;
  const char* ts[] = {"a", "b", "c"};
  const char* ns[] = {"S", "A", "B", "C"};
  for (int i = entre(1, 3); i > 0; --i) g.terminales.push_back(ts[i - 1]);
  for (int i = 0, n = entre(1, 4); i < n; ++i) g.noTerminales.push_back(ns[i]);
  std::vector<std::string> todos = g.terminales;
  todos.insert(todos.end(), g.noTerminales.begin(), g.noTerminales.end());
  for (const auto& a : g.noTerminales) {
    for (int k = entre(a == "S" ? 1 : 0, 3); k > 0; --k) {
      Regla r{a, {}};
      for (int l = entre(0, 3); l > 0; --l) r.derecha.push_back(todos[entre(0, todos.size() - 1)]);
      g.reglas.push_back(r);
    }
  }
  return g;
}

}  // namespace prueba
