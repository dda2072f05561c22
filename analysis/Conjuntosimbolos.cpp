#include "Conjuntosimbolos.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "Simbolos.h"

MiembrosConjunto& MiembrosConjunto::operator=(const MiembrosConjunto& otro) {
  if (this != &otro) assign(otro.begin(), otro.end());
  return *this;
}

MiembrosConjunto& MiembrosConjunto::operator=(MiembrosConjunto&& otro) noexcept {
  if (this != &otro) {
    Liberar();
    Tomar(otro);
  }
  return *this;
}

void MiembrosConjunto::reserve(std::size_t n) {
  if (n <= capacidad) return;
  const std::size_t nueva = std::max<std::size_t>(n, 2 * std::size_t{capacidad});
  auto* datos = new PSimbolo[nueva];
  std::copy(begin(), end(), datos);
  if (!EnSitio()) delete[] monton;
  monton = datos;
  capacidad = static_cast<std::uint32_t>(nueva);
}

void MiembrosConjunto::push_back(PSimbolo simbolo) {
  if (tamano == capacidad) reserve(std::size_t{tamano} + 1);
  Datos()[tamano++] = simbolo;
}

void MiembrosConjunto::insert(const PSimbolo* sitio, PSimbolo simbolo) {
  const auto posicion = static_cast<std::size_t>(sitio - begin());
  if (tamano == capacidad) reserve(std::size_t{tamano} + 1);
  PSimbolo* datos = Datos();
  std::copy_backward(datos + posicion, datos + tamano, datos + tamano + 1);
  datos[posicion] = simbolo;
  ++tamano;
}

void MiembrosConjunto::assign(const PSimbolo* desde, const PSimbolo* hasta) {
  tamano = 0;
  reserve(static_cast<std::size_t>(hasta - desde));
  std::copy(desde, hasta, Datos());
  tamano = static_cast<std::uint32_t>(hasta - desde);
}

void MiembrosConjunto::Liberar() {
  if (!EnSitio()) delete[] monton;
  capacidad = kEnSitio;
  tamano = 0;
}

void MiembrosConjunto::Tomar(MiembrosConjunto& otro) {
  if (otro.EnSitio()) {
    std::copy(otro.begin(), otro.end(), enSitio);
  } else {
    monton = otro.monton;
    capacidad = otro.capacidad;
    otro.capacidad = kEnSitio;
  }
  tamano = otro.tamano;
  otro.tamano = 0;
}

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

// The first eight bytes of a name, zero-padded, as a number: a smaller key means a smaller name,
// and equal keys leave the order to the names themselves.
std::uint64_t ClaveDeOrden(const std::string& nombre) {
  std::uint64_t clave = 0;
  for (std::size_t i = 0; i < 8; ++i)
    clave = (clave << 8) | (i < nombre.size() ? static_cast<unsigned char>(nombre[i]) : 0u);
  return clave;
}

}  // namespace

void ConjuntoSimbolos::Ordenar() const {
  if (!desordenado) return;
  desordenado = false;
  if (miembros.size() < kOrdenPorClave) {
    std::sort(miembros.begin(), miembros.end());
    return;
  }
  // A large set (the grammar's non-terminals) is sorted on keys read once per member: comparing
  // names visits two symbols per comparison, and on large grammars the symbols lie far apart.
  struct Clave {
    std::uint64_t clave;
    PSimbolo simbolo;
  };
  std::vector<Clave> claves;
  claves.reserve(miembros.size());
  for (const PSimbolo s : miembros) claves.push_back({ClaveDeOrden(s->Nombre()), s});
  std::sort(claves.begin(), claves.end(), [](const Clave& a, const Clave& b) {
    return a.clave != b.clave ? a.clave < b.clave : a.simbolo < b.simbolo;
  });
  PSimbolo* destino = miembros.begin();
  for (const Clave& c : claves) *destino++ = c.simbolo;
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

const PSimbolo* ConjuntoSimbolos::begin() const {
  Ordenar();
  return miembros.begin();
}

const PSimbolo* ConjuntoSimbolos::end() const {
  Ordenar();
  return miembros.end();
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
  MiembrosConjunto unidos;
  unidos.reserve(miembros.size() + otro.miembros.size());
  std::set_union(miembros.begin(), miembros.end(), otro.begin(), otro.end(),
                 std::back_inserter(unidos));
  miembros = std::move(unidos);
  return true;
}

CSimbolo* ConjuntoSimbolos::PrimeroComun(const ConjuntoSimbolos& otro) const {
  const ConjuntoSimbolos* menor = this;
  const ConjuntoSimbolos* mayor = &otro;
  if (menor->miembros.size() > mayor->miembros.size()) std::swap(menor, mayor);
  // The small one's members in order: the first found is the smallest shared.
  if (menor->miembros.size() * kBuscarCadaUno < mayor->miembros.size()) {
    for (const PSimbolo s : *menor)
      if (std::binary_search(mayor->begin(), mayor->end(), s)) return s;
    return nullptr;
  }
  auto a = begin();
  auto b = otro.begin();
  while (a != end() && b != otro.end()) {
    if (*a < *b) {
      ++a;
    } else if (*b < *a) {
      ++b;
    } else {
      return *a;
    }
  }
  return nullptr;
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
