#include "Explicacion.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>

#include "Analizador.h"
#include "Cgramatica.h"
#include "Codificacion.h"
#include "Gramaticaplana.h"
#include "Testigos.h"

namespace {

bool EsConflicto(CodigoError c) {
  return c == CodigoError::FirstCompartido || c == CodigoError::DosProduccionesAnulables ||
         c == CodigoError::EnFirstYFollow;
}

// Explains the records of one analysed grammar; the shared tables are built on first need.
class Explicador {
 public:
  explicit Explicador(const CGramatica& gramatica) : gramatica(gramatica), de(gramatica) {
    for (int p = 0; p < de.plana.NumProducciones(); ++p) {
      const auto linea = static_cast<std::size_t>(de.producciones[p]->Linea());
      if (linea >= porLinea.size()) porLinea.resize(linea + 1, -1);
      porLinea[linea] = p;
    }
  }

  std::optional<Explicacion> Ciclo(const Error& registro);
  std::optional<Explicacion> Conflicto(const Error& registro);
  // The terminal a conflict record names (codes 29 and 31), else -1.
  int Terminal(const Error& registro) const;

 private:
  int ProduccionEn(int linea) const {
    return linea > 0 && static_cast<std::size_t>(linea) < porLinea.size() ? porLinea[linea] : -1;
  }
  std::vector<const CSimbolo*> Simbolos(const std::vector<int>& numeros) const;
  Derivacion DeLaPlana(const DerivacionPlana& d) const;

  const CGramatica& gramatica;
  GramaticaDe de;
  std::vector<int> porLinea;  // the production on each line, -1 where none is
  std::unique_ptr<RecursividadIzquierda> recursividad;
  std::unique_ptr<Testigos> testigos;
};

std::vector<const CSimbolo*> Explicador::Simbolos(const std::vector<int>& numeros) const {
  std::vector<const CSimbolo*> simbolos;
  simbolos.reserve(numeros.size());
  for (const int s : numeros) simbolos.push_back(de.simbolos[s]);
  return simbolos;
}

Derivacion Explicador::DeLaPlana(const DerivacionPlana& d) const {
  Derivacion derivacion;
  for (const auto& forma : d.formas) derivacion.formas.push_back(Simbolos(forma));
  for (const int p : d.producciones) derivacion.producciones.push_back(de.producciones[p]);
  return derivacion;
}

int Explicador::Terminal(const Error& registro) const {
  if (registro.Codigo() != CodigoError::FirstCompartido &&
      registro.Codigo() != CodigoError::EnFirstYFollow)
    return -1;
  const CSimbolo* t = gramatica.BuscarSimbolo(registro.Simbolo());
  return t && t->EsTerminal() ? de.Numero(t) : -1;
}

std::optional<Explicacion> Explicador::Ciclo(const Error& registro) {
  const int p = ProduccionEn(registro.Linea1());
  if (p < 0 || de.plana.Nombre(de.plana.Antecedente(p)) != registro.Simbolo()) return std::nullopt;
  if (!recursividad) recursividad = std::make_unique<RecursividadIzquierda>(de.plana, de.anulables);
  const int a = de.plana.Antecedente(p);
  const auto ciclo = recursividad->Ciclo(a, p);
  if (ciclo.empty()) return std::nullopt;
  Explicacion e;
  e.noTerminal = static_cast<const CSimboloNoTerminal*>(de.simbolos[a]);
  e.producciones = {de.producciones[p]};
  for (const auto& [produccion, posicion] : ciclo)
    e.ciclo.push_back({de.producciones[produccion], posicion});
  return e;
}

std::optional<Explicacion> Explicador::Conflicto(const Error& registro) {
  int p = ProduccionEn(registro.Linea1());
  int q = ProduccionEn(registro.Linea2());
  if (p < 0 || q < 0 || p == q || de.plana.Antecedente(p) != de.plana.Antecedente(q))
    return std::nullopt;
  const int a = de.plana.Antecedente(p);
  const int terminal = Terminal(registro);
  const auto* noTerminal = static_cast<const CSimboloNoTerminal*>(de.simbolos[a]);
  if (!testigos) testigos = std::make_unique<Testigos>(de.plana, de.anulables);
  std::optional<TestigoPlano> testigo;
  switch (registro.Codigo()) {
    case CodigoError::FirstCompartido:
      if (terminal >= 0) testigo = testigos->PrimeroComun(p, q, terminal);
      break;
    case CodigoError::DosProduccionesAnulables:
      if (de.plana.Nombre(a) == registro.Simbolo()) testigo = testigos->DosAnulables(p, q);
      break;
    default: {
      // The nullable production second: the one the analysis took as A's nullable production
      // (a record's lines come in ascending order).
      auto anulable = [&](int r) {
        const auto derecha = de.plana.Derecha(r);
        return std::all_of(derecha.begin(), derecha.end(), [&](int s) { return de.anulables[s]; });
      };
      const CProduccion* enLaTraza = noTerminal->ProduccionAnulable();
      if (enLaTraza == de.producciones[p] ||
          (enLaTraza != de.producciones[q] && anulable(p) && !anulable(q)))
        std::swap(p, q);
      if (terminal >= 0) testigo = testigos->PrimeroSiguiente(p, q, terminal);
    }
  }
  if (!testigo) return std::nullopt;
  Explicacion e;
  e.noTerminal = noTerminal;
  e.terminal = terminal >= 0 ? de.simbolos[terminal] : nullptr;
  e.producciones = {de.producciones[p], de.producciones[q]};
  e.prefijo = Simbolos(testigo->prefijo);
  for (int k = 0; k < 2; ++k) {
    e.derivaciones[k] = DeLaPlana(testigo->derivaciones[k]);
    e.frases[k] = Simbolos(testigo->frases[k]);
  }
  return e;
}

}  // namespace

std::vector<Explicacion> Explicar(const ResultadoAnalisis& resultado) {
  return Explicar(resultado.gramatica.get(), resultado.registros);
}

std::vector<Explicacion> Explicar(const CGramatica* gramatica,
                                  const std::vector<Error>& registros) {
  if (!GramaticaAnalizada(gramatica, registros)) return {};
  std::vector<int> pendientes;
  for (int i = 0; i < static_cast<int>(registros.size()); ++i)
    if (EsConflicto(registros[i].Codigo()) ||
        registros[i].Codigo() == CodigoError::RecursividadIzquierda)
      pendientes.push_back(i);
  if (pendientes.empty()) return {};

  Explicador explicador(*gramatica);
  // Conflicts of one terminal in a row: the tables of a terminal are built once.
  std::vector<int> terminal(registros.size(), -1);
  for (const int i : pendientes) terminal[i] = explicador.Terminal(registros[i]);
  std::stable_sort(pendientes.begin(), pendientes.end(),
                   [&](int i, int j) { return terminal[i] < terminal[j]; });
  std::vector<std::optional<Explicacion>> hechas(registros.size());
  for (const int i : pendientes) {
    hechas[i] = registros[i].Codigo() == CodigoError::RecursividadIzquierda
                    ? explicador.Ciclo(registros[i])
                    : explicador.Conflicto(registros[i]);
    if (!hechas[i]) continue;
    hechas[i]->error = i;
    hechas[i]->registro = registros[i];
  }
  std::vector<Explicacion> explicaciones;
  for (auto& hecha : hechas)
    if (hecha) explicaciones.push_back(std::move(*hecha));
  return explicaciones;
}

// ---------------------------------------------------------------------------------------------
// Text forms

namespace {

const std::string kSangria = "  ";

std::string ConLinea(const CProduccion* p) {
  return p->TextoProduccion() + " (línea "_cp1252 + std::to_string(p->Linea()) + ")";
}

std::vector<std::string> LineasCiclo(const Explicacion& e) {
  std::vector<std::string> lineas{kSangria + "Ciclo de recursividad por la izquierda:"};
  for (const auto& [produccion, posicion] : e.ciclo) {
    std::string linea = kSangria + kSangria + ConLinea(produccion);
    std::vector<std::string> saltados;
    const auto& derecha = produccion->Consecuente();
    std::transform(derecha.begin(), derecha.begin() + posicion, std::back_inserter(saltados),
                   [](const CSimbolo* s) { return s->Nombre(); });
    if (!saltados.empty())
      linea += ", saltando " + Enumerar(saltados) +
               (saltados.size() == 1 ? ", que es anulable" : ", que son anulables");
    lineas.push_back(linea);
  }
  return lineas;
}

// The derivation of A and what follows it (error 31), with a dot between the two parts of
// each form: "A · B c => · B c => ...". A's part is rewritten first, being leftmost, until it
// has gone to the empty string; each step changes its length as much as the form's.
std::string TextoConContexto(const Derivacion& derivacion) {
  std::string texto;
  std::ptrdiff_t propios = 1;  // the symbols of the form that come from A
  for (std::size_t k = 0; k < derivacion.formas.size(); ++k) {
    const auto& forma = derivacion.formas[k];
    if (k > 0) {
      texto += " => ";
      if (propios > 0)
        propios += static_cast<std::ptrdiff_t>(forma.size()) -
                   static_cast<std::ptrdiff_t>(derivacion.formas[k - 1].size());
    }
    for (std::size_t i = 0; i <= forma.size(); ++i) {
      if (static_cast<std::ptrdiff_t>(i) == propios) texto += i == 0 ? "·"_cp1252 : " ·"_cp1252;
      if (i < forma.size()) texto += (i == 0 && propios > 0 ? "" : " ") + forma[i]->Nombre();
    }
  }
  return texto;
}

std::vector<std::string> LineasTestigo(const Explicacion& e) {
  std::vector<std::string> lineas;
  const std::string& a = e.noTerminal->Nombre();
  lineas.push_back(kSangria + "Prefijo: " +
                   (e.prefijo.empty() ? "ninguno: el conflicto aparece al principio de la cadena"
                                      : TextoForma(e.prefijo)));
  const bool conContexto = e.registro.Codigo() == CodigoError::EnFirstYFollow;
  for (int k = 0; k < 2; ++k)
    lineas.push_back(kSangria + "Derivación por "_cp1252 + ConLinea(e.producciones[k]) + ": " +
                     (k == 1 && conContexto ? TextoConContexto(e.derivaciones[k])
                                            : TextoDerivacion(e.derivaciones[k])));
  if (conContexto)
    lineas.push_back(kSangria +
                     "En la segunda derivación, el punto · separa lo que deriva "_cp1252 + a +
                     " (a su izquierda) de lo que sigue a " + a + " en la frase.");
  if (e.registro.Codigo() == CodigoError::DosProduccionesAnulables) {
    lineas.push_back(kSangria + "Frase: " + TextoForma(e.frases[0]));
    lineas.push_back(kSangria +
                     "La misma frase se deriva de dos maneras: las dos producciones de " + a +
                     " llevan a la cadena vacía."_cp1252);
    return lineas;
  }
  for (int k = 0; k < 2; ++k)
    lineas.push_back(kSangria + "Frase " + std::to_string(k + 1) + ": " + TextoForma(e.frases[k]));
  const std::string& t = e.terminal->Nombre();
  std::string porque = kSangria +
                       (e.prefijo.empty() ? "Al principio de la frase" : "Tras el prefijo") +
                       ", con " + t + " como siguiente símbolo, el analizador no puede "_cp1252;
  if (e.registro.Codigo() == CodigoError::FirstCompartido)
    porque += "elegir entre " + e.producciones[0]->TextoProduccion() + " y " +
              e.producciones[1]->TextoProduccion() + ".";
  else
    porque += "saber si " + t + " empieza " + a + " (" + e.producciones[0]->TextoProduccion() +
              ") o sigue a " + a + " (" + e.producciones[1]->TextoProduccion() + ").";
  lineas.push_back(porque);
  return lineas;
}

}  // namespace

std::string TextoForma(const std::vector<const CSimbolo*>& forma) {
  if (forma.empty()) return "lambda";
  std::string texto;
  for (const CSimbolo* s : forma) {
    if (!texto.empty()) texto += ' ';
    texto += s->Nombre();
  }
  return texto;
}

std::string TextoDerivacion(const Derivacion& derivacion) {
  std::string texto;
  for (const auto& forma : derivacion.formas) {
    if (!texto.empty()) texto += " => ";
    texto += TextoForma(forma);
  }
  return texto;
}

std::vector<std::string> LineasExplicacion(const Explicacion& explicacion) {
  std::vector<std::string> lineas{explicacion.registro.Mensaje()};
  const std::vector<std::string> resto =
      explicacion.ciclo.empty() ? LineasTestigo(explicacion) : LineasCiclo(explicacion);
  lineas.insert(lineas.end(), resto.begin(), resto.end());
  return lineas;
}

std::vector<std::string> LineasExplicaciones(const std::vector<Explicacion>& explicaciones,
                                             const std::vector<Aviso>& avisos) {
  std::vector<std::string> lineas;
  for (const bool ciclos : {false, true})
    for (const Explicacion& e : explicaciones) {
      if (e.ciclo.empty() == ciclos) continue;
      const std::vector<std::string> bloque = LineasExplicacion(e);
      lineas.insert(lineas.end(), bloque.begin(), bloque.end());
      lineas.emplace_back();
    }
  for (const Aviso& aviso : avisos) lineas.push_back(TextoAviso(aviso));
  if (!lineas.empty() && lineas.back().empty()) lineas.pop_back();
  return lineas;
}
