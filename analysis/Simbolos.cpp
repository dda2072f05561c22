#include "Simbolos.h"

#include <algorithm>
#include <utility>

#include "Cgramatica.h"
#include "Codificacion.h"
#include "Conjuntosexactos.h"
#include "Errores.h"
#include "Mostraranalisis.h"

// ---------------------------------------------------------------------------------------------
// Sets

bool operator<(PSimbolo a, PSimbolo b) {
  return static_cast<CSimbolo*>(a) != static_cast<CSimbolo*>(b) &&
         NombreMenor(a->Nombre(), b->Nombre());
}

namespace {

// Orders a member against a name.
struct PorNombre {
  bool operator()(PSimbolo a, const std::string& nombre) const {
    return NombreMenor(a->Nombre(), nombre);
  }
  bool operator()(const std::string& nombre, PSimbolo a) const {
    return NombreMenor(nombre, a->Nombre());
  }
};

// Right sides, productions and occurrences are short lists: starting them with room for a few
// saves the reallocations of growing one entry at a time.
constexpr std::size_t kListaCorta = 4;

const ConjuntoSimbolos& ConjuntoVacio() {
  static const ConjuntoSimbolos vacio;
  return vacio;
}

}  // namespace

void ConjuntoSimbolos::Ordenar() const {
  if (!desordenado) return;
  std::sort(miembros.begin(), miembros.end());
  desordenado = false;
}

bool ConjuntoSimbolos::Insertar(CSimbolo* simbolo) {
  Ordenar();
  const auto sitio =
      std::lower_bound(miembros.begin(), miembros.end(), simbolo->Nombre(), PorNombre{});
  if (sitio != miembros.end() && (*sitio)->Nombre() == simbolo->Nombre()) return false;
  miembros.insert(sitio, simbolo);
  return true;
}

void ConjuntoSimbolos::InsertarNuevo(CSimbolo* simbolo) {
  if (!desordenado && !miembros.empty() && !(miembros.back() < PSimbolo(simbolo)))
    desordenado = true;
  miembros.push_back(simbolo);
}

CSimbolo* ConjuntoSimbolos::Buscar(const std::string& nombre) const {
  Ordenar();
  const auto sitio = std::lower_bound(miembros.begin(), miembros.end(), nombre, PorNombre{});
  if (sitio == miembros.end() || (*sitio)->Nombre() != nombre) return nullptr;
  return *sitio;
}

CSimbolo* ConjuntoSimbolos::Elemento(int k) const {
  Ordenar();
  if (k < 0 || k >= Tamano()) return nullptr;
  return miembros[static_cast<std::size_t>(k)];
}

std::vector<PSimbolo>::const_iterator ConjuntoSimbolos::begin() const {
  Ordenar();
  return miembros.cbegin();
}

std::vector<PSimbolo>::const_iterator ConjuntoSimbolos::end() const {
  Ordenar();
  return miembros.cend();
}

ConjuntoSimbolos ConjuntoSimbolos::Union(const ConjuntoSimbolos& a, const ConjuntoSimbolos& b) {
  ConjuntoSimbolos resultado = a;
  resultado.Unir(b);
  return resultado;
}

ConjuntoSimbolos ConjuntoSimbolos::Interseccion(const ConjuntoSimbolos& a,
                                                const ConjuntoSimbolos& b) {
  ConjuntoSimbolos resultado;
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(),
                        std::back_inserter(resultado.miembros));
  return resultado;
}

bool ConjuntoSimbolos::Unir(const ConjuntoSimbolos& otro) {
  if (otro.Vacio()) return false;
  Ordenar();
  if (miembros.empty()) {
    miembros.assign(otro.begin(), otro.end());
    return true;
  }
  // The common case of the analysis: the other set adds nothing.
  if (std::includes(miembros.begin(), miembros.end(), otro.begin(), otro.end())) return false;
  std::vector<PSimbolo> unidos;
  unidos.reserve(miembros.size() + otro.miembros.size());
  std::set_union(miembros.begin(), miembros.end(), otro.begin(), otro.end(),
                 std::back_inserter(unidos));
  miembros.swap(unidos);
  return true;
}

bool ConjuntoSimbolos::Corta(const ConjuntoSimbolos& otro) const {
  auto a = begin();
  auto b = otro.begin();
  while (a != end() && b != otro.end()) {
    if (*a < *b) {
      ++a;
    } else if (*b < *a) {
      ++b;
    } else {
      return true;
    }
  }
  return false;
}

std::string ConjuntoSimbolos::TextoConjunto(bool lambda) const {
  std::string texto;
  texto.reserve(16 + 8 * miembros.size());
  texto += " { ";
  for (const PSimbolo miembro : *this) {
    texto += miembro->Nombre();
    texto += ' ';
  }
  texto += lambda ? "lambda }" : "}";
  return texto;
}

// ---------------------------------------------------------------------------------------------
// Symbols

CSimboloTerminal::CSimboloTerminal(std::string nombre, int linea)
    : CSimbolo(std::move(nombre), linea) {
  propio.InsertarNuevo(this);
}

const ConjuntoSimbolos& CSimboloTerminal::First(bool& recursivo, CSimbolo*& simboloRecursivo) {
  recursivo = false;
  simboloRecursivo = nullptr;
  return propio;
}

CSimboloNoTerminal::CSimboloNoTerminal(std::string nombre, int linea, CGramatica* gramatica)
    : CSimbolo(std::move(nombre), linea), gramatica(gramatica) {}

CSimboloNoTerminal::~CSimboloNoTerminal() = default;

void CSimboloNoTerminal::AnadirProduccion(std::unique_ptr<CProduccion> produccion) {
  if (producciones.empty()) producciones.reserve(kListaCorta);
  producciones.push_back(std::move(produccion));
}

void CSimboloNoTerminal::AnadirAparicion(CProduccion* produccion, int posicion) {
  if (apariciones.empty()) apariciones.reserve(kListaCorta);
  apariciones.emplace_back(produccion, posicion);
}

void CSimboloNoTerminal::MarcarAxioma(bool axioma, CSimbolo* fin) {
  esAxioma = axioma;
  if (axioma && fin) follow.Insertar(fin);
}

// ---------------------------------------------------------------------------------------------
// FIRST and left recursion.
//
// The computation is a depth-first walk: a non-terminal asks each of its productions for its
// FIRST, a production asks its right-side symbols in turn, and the trace lines and errors come
// out in that nesting order. Grammars may chain non-terminals hundreds of thousands deep, so
// the walk keeps its own stack of frames instead of recursing. Each frame stands for one
// running CalcularFirst; the out-parameters (recursion flag and recursive symbol) that the
// recursive form passes down by reference live in the frame of the non-terminal whose
// production loop owns them, and children name that frame by index (`destino`).

class MotorFirst {
 public:
  static void CalcularNoTerminal(CSimboloNoTerminal* raiz, bool& r, CSimbolo*& s) {
    MotorFirst motor(r, s);
    motor.PedirFirst(raiz, -1);
    motor.Ejecutar();
  }
  static void CalcularProduccion(CProduccion* raiz, bool& r, CSimbolo*& s) {
    MotorFirst motor(r, s);
    motor.EmpezarProduccion(raiz, -1);
    motor.Ejecutar();
  }

 private:
  struct Marco {
    CSimboloNoTerminal* simbolo = nullptr;  // a non-terminal's production loop, or
    CProduccion* produccion = nullptr;      // a production's walk over its right side
    std::size_t i = 0;                      // the production / right-side position being asked
    bool esperando = false;                 // the request for position i has been made
    bool r = false;                         // out-parameters of the productions of `simbolo`
    CSimbolo* s = nullptr;
    int destino = -1;   // frame holding this computation's own out-parameters (-1: caller's)
    std::string texto;  // the production's text, for its closing trace line
  };

  MotorFirst(bool& r, CSimbolo*& s) : rRaiz(r), sRaiz(s) {}

  bool& R(int destino) { return destino < 0 ? rRaiz : pila[destino].r; }
  CSimbolo*& S(int destino) { return destino < 0 ? sRaiz : pila[destino].s; }

  void Ejecutar() {
    while (!pila.empty()) {
      const int tope = static_cast<int>(pila.size()) - 1;
      if (pila[tope].simbolo)
        PasoNoTerminal(tope);
      else
        PasoProduccion(tope);
    }
  }

  // First(recursivo, simboloRecursivo) of a non-terminal asked with out-parameters `destino`.
  void PedirFirst(CSimboloNoTerminal* a, int destino) {
    // A request while the computation runs is a re-entry, also after an earlier re-entry
    // marked it computed.
    if (!a->firstEnCurso && a->firstCalculado) {
      R(destino) = a->esRecursivo;
      return;
    }
    MostrarAnalisis("Analizando símbolo "_cp1252 + a->Nombre());
    if (a->firstEnCurso) {
      a->esRecursivo = true;
      S(destino) = a;
      TerminarPeticion(a, destino);
      return;
    }
    S(destino) = nullptr;
    if (a->producciones.empty()) {
      listaErrores.Agregar(Error(26, a->Nombre(), a->Linea()));
      a->anulable = true;
      MostrarAnalisis("El símbolo "_cp1252 + a->Nombre() + " no tiene producciones");
      TerminarCalculo(a);
      TerminarPeticion(a, destino);
      return;
    }
    a->firstEnCurso = true;
    Marco marco;
    marco.simbolo = a;
    marco.destino = destino;
    pila.push_back(marco);
  }

  // What First() does after CalcularFirst returns.
  void TerminarPeticion(CSimboloNoTerminal* a, int destino) {
    a->firstCalculado = true;
    R(destino) = a->esRecursivo;
  }

  void TerminarCalculo(CSimboloNoTerminal* a) {
    // The FIRST/FOLLOW check of a nullable non-terminal runs once no FIRST computation is in
    // progress; the grammar keeps the order in which they finished.
    if (a->anulable && a->gramatica) a->gramatica->EncolarAnulable(a);
    a->firstCalculado = true;
    a->firstEnCurso = false;
  }

  void PasoNoTerminal(int indice) {
    Marco& marco = pila[indice];
    CSimboloNoTerminal* a = marco.simbolo;
    if (marco.esperando) {
      marco.esperando = false;
      ResultadoProduccion(marco);
      ++marco.i;
    }
    if (marco.i < a->producciones.size()) {
      CProduccion* p = a->producciones[marco.i].get();
      marco.esperando = true;
      marco.r = false;
      marco.s = nullptr;
      if (!p->firstCalculado) EmpezarProduccion(p, indice);  // may move `marco`
      return;
    }
    MostrarAnalisis("FIRST de "_cp1252 + a->Nombre() + "  = " +
                    a->first.TextoConjunto(a->anulable));
    const int destino = marco.destino;
    pila.pop_back();
    TerminarCalculo(a);
    TerminarPeticion(a, destino);
  }

  // Steps after p(i).First(r, s) returned inside A's production loop.
  void ResultadoProduccion(Marco& marco) {
    CSimboloNoTerminal* a = marco.simbolo;
    CProduccion* p = a->producciones[marco.i].get();
    if (marco.r) {
      a->esRecursivo = true;
      if (marco.s) {
        listaErrores.Agregar(Error(27, a->Nombre(), p->Linea()));
        S(marco.destino) = marco.s == a ? nullptr : marco.s;
        MostrarAnalisis("Símbolo "_cp1252 + a->Nombre() + " recursivo por la izquierda");
      } else {
        listaErrores.Agregar(Error(28, a->Nombre(), p->Linea()));
        S(marco.destino) = nullptr;
        MostrarAnalisis("Símbolo "_cp1252 + a->Nombre() +
                        " afectado por la recursividad de otro símbolo"_cp1252);
      }
      return;
    }
    ComprobarFirstComun(a, marco.i);
    a->first.Unir(p->first);
    if (p->anulable) {
      if (a->anulable) {
        listaErrores.Agregar(Error(30, a->Nombre(), a->produccionAnulable->Linea(), p->Linea()));
      } else {
        a->anulable = true;
        a->produccionAnulable = p;
      }
    }
  }

  // Two productions of A may not share a FIRST symbol: one error per earlier production.
  static void ComprobarFirstComun(CSimboloNoTerminal* a, std::size_t i) {
    CProduccion* p = a->producciones[i].get();
    if (!a->first.Corta(p->first)) return;
    const ConjuntoSimbolos comunes = ConjuntoSimbolos::Interseccion(a->first, p->first);
    for (std::size_t j = 0; j < i; ++j) {
      const CProduccion* anterior = a->producciones[j].get();
      const ConjuntoSimbolos k = ConjuntoSimbolos::Interseccion(comunes, anterior->first);
      if (!k.Vacio())
        listaErrores.Agregar(Error(29, k.Elemento(0)->Nombre(), p->Linea(), anterior->Linea()));
    }
  }

  void EmpezarProduccion(CProduccion* p, int destino) {
    R(destino) = false;
    S(destino) = nullptr;
    std::string texto = p->TextoProduccion();
    MostrarAnalisis("Analizando producción "_cp1252 + texto);
    if (p->consecuente.empty() || p->EsLambda()) {
      TerminarProduccion(p, p->EsLambda(), texto);
      return;
    }
    Marco marco;
    marco.produccion = p;
    marco.destino = destino;
    marco.texto = std::move(texto);
    pila.push_back(std::move(marco));
  }

  static void TerminarProduccion(CProduccion* p, bool anulable, const std::string& texto) {
    p->anulable = anulable;
    MostrarAnalisis("FIRST de "_cp1252 + texto + "  = " + p->first.TextoConjunto(p->anulable));
    p->firstCalculado = true;
  }

  void PasoProduccion(int indice) {
    Marco& marco = pila[indice];
    CProduccion* p = marco.produccion;
    CSimbolo* x = p->consecuente[marco.i];
    if (!marco.esperando) {
      marco.esperando = true;
      if (x->EsTerminal()) {
        R(marco.destino) = false;
        S(marco.destino) = nullptr;
      } else {
        const std::size_t antes = pila.size();
        PedirFirst(static_cast<CSimboloNoTerminal*>(x), marco.destino);  // may move `marco`
        if (pila.size() != antes) return;
      }
    }
    Marco& actual = pila[indice];
    actual.esperando = false;
    p->first.Unir(FirstGuardado(x));
    const bool anulable = x->Anulable();
    if (anulable && !R(actual.destino) && actual.i + 1 < p->consecuente.size()) {
      ++actual.i;
      return;
    }
    const std::string texto = std::move(actual.texto);
    pila.pop_back();
    TerminarProduccion(p, anulable, texto);
  }

  // The FIRST set a finished request left: asking First() again could be a new re-entry.
  static const ConjuntoSimbolos& FirstGuardado(CSimbolo* x) {
    if (x->EsTerminal()) {
      bool r = false;
      CSimbolo* s = nullptr;
      return x->First(r, s);
    }
    return static_cast<CSimboloNoTerminal*>(x)->first;
  }

  bool& rRaiz;
  CSimbolo*& sRaiz;
  std::vector<Marco> pila;
};

void CSimboloNoTerminal::CalcularFirst(bool& recursivo, CSimbolo*& simboloRecursivo) {
  MotorFirst::CalcularNoTerminal(this, recursivo, simboloRecursivo);
}

const ConjuntoSimbolos& CSimboloNoTerminal::First(bool& recursivo, CSimbolo*& simboloRecursivo) {
  if (firstEnCurso || !firstCalculado)
    CalcularFirst(recursivo, simboloRecursivo);
  else
    recursivo = esRecursivo;
  return first;
}

void CProduccion::CalcularFirst(bool& recursivo, CSimbolo*& simboloRecursivo) {
  MotorFirst::CalcularProduccion(this, recursivo, simboloRecursivo);
}

const ConjuntoSimbolos& CProduccion::First(bool& recursivo, CSimbolo*& simboloRecursivo) {
  if (!firstCalculado) CalcularFirst(recursivo, simboloRecursivo);
  return first;
}

// ---------------------------------------------------------------------------------------------
// FOLLOW.
//
// The walk over the occurrences decides which FIRST computations run and which FOLLOW
// computations nest inside which, and so the order of the trace. The set each computation
// stores and prints is the grammar's true FOLLOW set (the least fixed point), so that a FOLLOW
// met while in progress, which adds nothing to the walk, never leaves a set short.

class MotorFollow {
 public:
  static void Calcular(CSimboloNoTerminal* raiz) {
    MotorFollow motor;
    motor.Empezar(raiz);
    motor.Ejecutar();
  }

 private:
  struct Marco {
    CSimboloNoTerminal* simbolo;
    std::size_t aparicion;
  };

  void Empezar(CSimboloNoTerminal* a) {
    if (a->followEnCurso) return;
    a->followEnCurso = true;
    MostrarAnalisis("Calculando FOLLOW de "_cp1252 + a->Nombre());
    pila.push_back({a, 0});
  }

  void Ejecutar() {
    while (!pila.empty()) {
      Marco& marco = pila.back();
      CSimboloNoTerminal* a = marco.simbolo;
      if (marco.aparicion == a->apariciones.size()) {
        pila.pop_back();
        Terminar(a);
        continue;
      }
      const auto [produccion, posicion] = a->apariciones[marco.aparicion++];
      if (!RestoAnulable(produccion, posicion)) continue;
      CSimboloNoTerminal* antecedente = produccion->Antecedente();
      if (antecedente && !antecedente->followEnCurso && !antecedente->followCalculado)
        Empezar(antecedente);
    }
  }

  // Walks the symbols after `posicion` while they are nullable, computing their FIRST sets
  // on the way; true when all of them (or none) follow. Asking a computed symbol again changes
  // nothing, so in long right sides the computed nullable runs are jumped over: without that,
  // a production of n nullable symbols would cost n * n steps.
  static bool RestoAnulable(CProduccion* produccion, int posicion) {
    const auto& consecuente = produccion->consecuente;
    const int n = static_cast<int>(consecuente.size());
    auto& salto = produccion->saltoAnulable;
    if (n > kLargoSinSaltos && salto.empty()) {
      salto.resize(static_cast<std::size_t>(n) + 1);
      for (int j = 0; j <= n; ++j) salto[j] = j;
    }
    for (int j = Siguiente(salto, posicion + 1); j < n; j = Siguiente(salto, j + 1)) {
      CSimbolo* x = consecuente[j];
      bool r = false;
      CSimbolo* s = nullptr;
      x->First(r, s);
      if (!x->Anulable()) return false;
      if (!salto.empty()) salto[j] = j + 1;
    }
    return true;
  }

  // The first position from `j` on not yet known to be a computed nullable symbol.
  static int Siguiente(std::vector<int>& salto, int j) {
    if (salto.empty()) return j;
    int raiz = j;
    while (salto[raiz] != raiz) raiz = salto[raiz];
    while (salto[j] != raiz) j = std::exchange(salto[j], raiz);
    return raiz;
  }

  static constexpr int kLargoSinSaltos = 8;

  static void Terminar(CSimboloNoTerminal* a) {
    a->followCalculado = true;
    a->followEnCurso = false;
    if (a->gramatica) a->follow = a->gramatica->Exactos().Follow(*a);
    MostrarAnalisis("FOLLOW de "_cp1252 + a->Nombre() + "  = " + a->follow.TextoConjunto(false));
  }

  std::vector<Marco> pila;
};

void CSimboloNoTerminal::CalcularFollow() { MotorFollow::Calcular(this); }

const ConjuntoSimbolos& CSimboloNoTerminal::Follow() {
  if (followEnCurso) return ConjuntoVacio();
  if (!followCalculado) CalcularFollow();
  return follow;
}

// ---------------------------------------------------------------------------------------------
// LL(1) condition on FIRST against FOLLOW, and the table's selection rule

void CSimboloNoTerminal::ComprobarFirstFollow() {
  const ConjuntoSimbolos& siguientes = Follow();
  if (!first.Corta(siguientes)) return;
  const ConjuntoSimbolos comunes = ConjuntoSimbolos::Interseccion(first, siguientes);
  for (const auto& p : producciones) {
    const ConjuntoSimbolos k = ConjuntoSimbolos::Interseccion(comunes, p->ConjuntoFirst());
    if (!k.Vacio() && p.get() != produccionAnulable)
      listaErrores.Agregar(
          Error(31, k.Elemento(0)->Nombre(), p->Linea(), produccionAnulable->Linea()));
  }
}

CProduccion* CSimboloNoTerminal::ProduccionPara(const std::string& t) {
  if (first.Buscar(t)) {
    for (const auto& p : producciones) {
      bool r = false;
      CSimbolo* s = nullptr;
      if (p->First(r, s).Buscar(t)) return p.get();
    }
    return nullptr;
  }
  if (Anulable() && follow.Buscar(t)) return produccionAnulable;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Productions and text forms

void CProduccion::AnadirSimbolo(CSimbolo* simbolo) {
  if (consecuente.empty()) consecuente.reserve(kListaCorta);
  consecuente.push_back(simbolo);
  if (simbolo && !simbolo->EsTerminal())
    static_cast<CSimboloNoTerminal*>(simbolo)->AnadirAparicion(
        this, static_cast<int>(consecuente.size()) - 1);
}

CSimbolo* CProduccion::SimboloEn(int i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= consecuente.size()) return nullptr;
  return consecuente[static_cast<std::size_t>(i)];
}

namespace {

// The antecedent, the arrow piece and the right side, each name passed through `nombre`.
template <typename FormaNombre>
std::string ComponerProduccion(const CProduccion& p, const char* flecha, FormaNombre nombre) {
  std::string texto;
  texto.reserve(64);
  if (p.Antecedente()) texto += nombre(p.Antecedente()->Nombre());
  texto += flecha;
  if (p.EsLambda()) return texto + " lambda";
  for (const CSimbolo* x : p.Consecuente()) {
    texto += ' ';
    texto += nombre(x->Nombre());
  }
  return texto;
}

}  // namespace

std::string CProduccion::TextoProduccion() const {
  return ComponerProduccion(*this, " ->", [](const std::string& n) { return n; });
}

std::string CProduccion::TextoProduccionHTML() const {
  return ComponerProduccion(*this, " &rarr;", EscaparHTML);
}

std::string EscaparHTML(const std::string& texto) {
  std::string resultado;
  resultado.reserve(texto.size());
  for (const char c : texto) {
    switch (c) {
      case '"':
        resultado += "&quot;";
        break;
      case '&':
        resultado += "&amp;";
        break;
      case '<':
        resultado += "&lt;";
        break;
      case '>':
        resultado += "&gt;";
        break;
      default:
        resultado += c;
    }
  }
  return resultado;
}

const std::string& NombreFinCadena() { return "\u00A0$ (final de cadena)"_cp1252; }
