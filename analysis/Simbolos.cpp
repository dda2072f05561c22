#include "Simbolos.h"

#include <cstddef>
#include <utility>

#include "Cgramatica.h"
#include "Codificacion.h"
#include "Errores.h"

namespace {

// Right sides, productions and occurrences are short lists: starting them with room for a few
// saves the reallocations of growing one entry at a time.
constexpr std::size_t kListaCorta = 4;

}  // namespace

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

CSimboloNoTerminal::CSimboloNoTerminal(std::string nombre, int linea, CGramatica* gramatica,
                                       int ranura)
    : CSimbolo(std::move(nombre), linea), gramatica(gramatica), ranura(ranura) {}

CSimboloNoTerminal::~CSimboloNoTerminal() = default;

void CSimboloNoTerminal::AnadirProduccion(std::unique_ptr<CProduccion> produccion) {
  if (producciones.empty()) producciones.reserve(kListaCorta);
  producciones.push_back(std::move(produccion));
}

void CSimboloNoTerminal::AnadirAparicion(CProduccion* produccion, int posicion) {
  if (gramatica) gramatica->AnotarAparicion(*this, produccion, posicion);
}

std::span<const Aparicion> CSimboloNoTerminal::Apariciones() const {
  if (!gramatica) return {};
  return gramatica->Apariciones(*this);
}

void CSimboloNoTerminal::MarcarAxioma(bool axioma, CSimbolo* fin) {
  esAxioma = axioma;
  if (axioma && fin) follow.Insertar(fin);
}

// ---------------------------------------------------------------------------------------------
// LL(1) condition on FIRST against FOLLOW, and the table's selection rule

void CSimboloNoTerminal::ComprobarFirstFollow() {
  const ConjuntoSimbolos& siguientes = Follow();
  if (!first.Corta(siguientes)) return;
  const ConjuntoSimbolos comunes = ConjuntoSimbolos::Interseccion(first, siguientes);
  for (const auto& p : producciones) {
    if (p.get() == produccionAnulable) continue;
    if (const CSimbolo* k = comunes.PrimeroComun(p->ConjuntoFirst()))
      listaErrores.Agregar(
          Error(CodigoError::EnFirstYFollow, k->Nombre(), p->Linea(), produccionAnulable->Linea()));
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
  const int posicion = Anexar(simbolo);
  if (simbolo && !simbolo->EsTerminal())
    static_cast<CSimboloNoTerminal*>(simbolo)->AnadirAparicion(this, posicion);
}

int CProduccion::Anexar(CSimbolo* simbolo) {
  if (consecuente.empty()) consecuente.reserve(kListaCorta);
  consecuente.push_back(simbolo);
  return static_cast<int>(consecuente.size()) - 1;
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
