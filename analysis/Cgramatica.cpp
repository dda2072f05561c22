#include "Cgramatica.h"

#include <algorithm>
#include <functional>

#include "Conjuntosexactos.h"
#include "Tablasintactica.h"

namespace {

// The slot comes from the low bits of the hash, the mark from the high ones.
std::size_t Hash(std::string_view nombre) { return std::hash<std::string_view>{}(nombre); }
std::uint32_t Marca(std::size_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

}  // namespace

IndiceNombres::Encontrado IndiceNombres::Buscar(std::string_view nombre) const {
  if (entradas.empty()) return {};
  const std::size_t hash = Hash(nombre);
  const std::uint32_t marca = Marca(hash);
  const std::size_t mascara = entradas.size() - 1;
  for (std::size_t i = hash & mascara;; i = (i + 1) & mascara) {
    const Entrada& e = entradas[i];
    if (e.numero == 0) return {};
    if (e.marca == marca && Nombra(e, nombre))
      return {simbolos[e.numero - 1], static_cast<int>(e.numero - 1), e.terminal != 0};
  }
}

bool IndiceNombres::Nombra(const Entrada& entrada, std::string_view nombre) const {
  if (entrada.largo <= kNombreCorto)
    return nombre == std::string_view(entrada.corto, entrada.largo);
  return simbolos[entrada.numero - 1]->Nombre() == nombre;
}

int IndiceNombres::Anadir(CSimbolo* simbolo, bool terminal) {
  if (2 * (simbolos.size() + 1) > entradas.size()) Crecer();
  simbolos.push_back(simbolo);
  const std::string& nombre = simbolo->Nombre();
  const std::size_t hash = Hash(nombre);
  Entrada e;
  e.marca = Marca(hash);
  e.numero = static_cast<std::uint32_t>(simbolos.size());
  e.terminal = terminal ? 1 : 0;
  e.largo = static_cast<unsigned char>(std::min(nombre.size(), kNombreCorto + 1));
  if (nombre.size() <= kNombreCorto) nombre.copy(e.corto, nombre.size());
  const std::size_t mascara = entradas.size() - 1;
  std::size_t i = hash & mascara;
  while (entradas[i].numero != 0) i = (i + 1) & mascara;
  entradas[i] = e;
  return static_cast<int>(simbolos.size()) - 1;
}

void IndiceNombres::Crecer() {
  std::vector<Entrada> antiguas(entradas.empty() ? 64 : 2 * entradas.size());
  antiguas.swap(entradas);
  const std::size_t mascara = entradas.size() - 1;
  for (const Entrada& e : antiguas) {
    if (e.numero == 0) continue;
    const std::string_view nombre = e.largo <= kNombreCorto
                                        ? std::string_view(e.corto, e.largo)
                                        : std::string_view(simbolos[e.numero - 1]->Nombre());
    std::size_t i = Hash(nombre) & mascara;
    while (entradas[i].numero != 0) i = (i + 1) & mascara;
    entradas[i] = e;
  }
}

CGramatica::CGramatica() = default;
CGramatica::~CGramatica() = default;

bool CGramatica::AnadirTerminal(const std::string& nombre, int linea) {
  if (porNombre.Buscar(nombre).simbolo) return false;
  auto simbolo = std::make_unique<CSimboloTerminal>(nombre, linea);
  porNombre.Anadir(simbolo.get(), true);
  terminales.InsertarNuevo(simbolo.get());
  simbolos.push_back(std::move(simbolo));
  return true;
}

bool CGramatica::AnadirNoTerminal(const std::string& nombre, int linea) {
  if (porNombre.Buscar(nombre).simbolo) return false;
  auto simbolo = std::make_unique<CSimboloNoTerminal>(nombre, linea, this, porNombre.Tamano());
  porNombre.Anadir(simbolo.get(), false);
  noTerminales.InsertarNuevo(simbolo.get());
  declarados.push_back(simbolo.get());
  simbolos.push_back(std::move(simbolo));
  return true;
}

CSimbolo* CGramatica::BuscarSimbolo(const std::string& nombre) const {
  return porNombre.Buscar(nombre).simbolo;
}

CSimboloNoTerminal* CGramatica::BuscarNoTerminal(const std::string& nombre) const {
  CSimbolo* simbolo = BuscarSimbolo(nombre);
  return simbolo && !simbolo->EsTerminal() ? static_cast<CSimboloNoTerminal*>(simbolo) : nullptr;
}

bool CGramatica::DefinirAxioma(const std::string& nombre) {
  CSimboloNoTerminal* simbolo = BuscarNoTerminal(nombre);
  if (!simbolo) return false;
  axioma = simbolo;
  AnadirTerminal(NombreFinCadena(), 0);
  axioma->MarcarAxioma(true, BuscarSimbolo(NombreFinCadena()));
  return true;
}

void CGramatica::DescartarProduccion(std::unique_ptr<CProduccion> produccion) {
  descartadas.push_back(std::move(produccion));
}

void CGramatica::AsignarIndices() const {
  if (indicesAsignados) return;
  indicesAsignados = true;
  int k = 0;
  for (const PSimbolo t : terminales) t->PonerIndice(k++);
  k = 0;
  for (const PSimbolo a : noTerminales) a->PonerIndice(k++);
  int p = 0;
  for (CSimboloNoTerminal* a : declarados)
    for (const auto& produccion : a->Producciones()) produccion->PonerIndice(p++);
}

const ConjuntosExactos& CGramatica::Exactos() const {
  if (!exactos) {
    AsignarIndices();
    exactos = std::make_unique<ConjuntosExactos>(*this);
  }
  return *exactos;
}

void CGramatica::AnalizarLL1() {
  AsignarIndices();
  for (int k = 0; CSimbolo* simbolo = noTerminales.Elemento(k); ++k) {
    bool recursivo = false;
    CSimbolo* simboloRecursivo = nullptr;
    simbolo->First(recursivo, simboloRecursivo);
    ComprobarPendientes();
  }
}

void CGramatica::ComprobarPendientes() {
  // A FOLLOW walk may compute further FIRST sets, which may queue more.
  while (!pendientes.empty()) {
    CSimboloNoTerminal* simbolo = pendientes.front();
    pendientes.pop_front();
    simbolo->ComprobarFirstFollow();
  }
}

std::unique_ptr<CTablaSintactica> CGramatica::ConstruirTabla() {
  AsignarIndices();
  auto tabla = std::make_unique<CTablaSintactica>();
  for (const PSimbolo t : terminales) tabla->AgregarColumna(t);
  tabla->ReservarFilas(static_cast<unsigned>(noTerminales.Tamano()));
  // The selection rule of ProduccionPara, filled row by row from the sets instead of one
  // lookup per cell: for a terminal of FIRST(A) the first production whose FIRST has it,
  // otherwise the nullable production for a terminal of FOLLOW(A). Rows stand in name order
  // but are filled in declaration order, which walks the productions as they lie in memory.
  for (const PSimbolo a : noTerminales)
    tabla->AgregarFila(static_cast<CSimboloNoTerminal*>(static_cast<CSimbolo*>(a)));
  std::vector<char> enFirst(terminales.Tamano(), 0);
  for (CSimboloNoTerminal* a : declarados) {
    const auto fila = static_cast<unsigned>(a->Indice());
    for (const PSimbolo t : a->ConjuntoFirst()) enFirst[t->Indice()] = 1;
    int porCubrir = a->ConjuntoFirst().Tamano();
    for (std::size_t i = 0; porCubrir > 0 && i < a->Producciones().size(); ++i) {
      bool r = false;
      CSimbolo* s = nullptr;
      CProduccion* p = a->Producciones()[i].get();
      for (const PSimbolo t : p->First(r, s)) {
        const auto columna = static_cast<unsigned>(t->Indice());
        if (enFirst[columna] && !tabla->Celda(fila, columna)) {
          tabla->PonerCelda(fila, columna, i);
          --porCubrir;
        }
      }
    }
    if (a->Anulable() && a->ProduccionAnulable()) {
      const auto& producciones = a->Producciones();
      const auto anulable = static_cast<std::size_t>(
          std::find_if(producciones.begin(), producciones.end(),
                       [a](const auto& p) { return p.get() == a->ProduccionAnulable(); }) -
          producciones.begin());
      for (const PSimbolo t : a->ConjuntoFollow())
        if (!enFirst[t->Indice()])
          tabla->PonerCelda(fila, static_cast<unsigned>(t->Indice()), anulable);
    }
    for (const PSimbolo t : a->ConjuntoFirst()) enFirst[t->Indice()] = 0;
  }
  return tabla;
}

bool CGramatica::AnadirAlConsecuente(CProduccion& produccion, std::string_view nombre) {
  const IndiceNombres::Encontrado encontrado = porNombre.Buscar(nombre);
  if (!encontrado.simbolo) return false;
  const int posicion = produccion.Anexar(encontrado.simbolo);
  if (!encontrado.terminal) anotadas.push_back({encontrado.numero, {&produccion, posicion}});
  return true;
}

void CGramatica::AnotarAparicion(const CSimboloNoTerminal& simbolo, CProduccion* produccion,
                                 int posicion) {
  anotadas.push_back({simbolo.Ranura(), {produccion, posicion}});
}

std::span<const Aparicion> CGramatica::Apariciones(const CSimboloNoTerminal& simbolo) const {
  if (!anotadas.empty()) AgruparApariciones();
  const auto k = static_cast<std::size_t>(simbolo.Ranura());
  if (k + 1 >= inicios.size()) return {};
  return {agrupadas.data() + inicios[k], agrupadas.data() + inicios[k + 1]};
}

// A counting sort by the symbols' numbers, stable: each symbol's occurrences keep their reading
// order. Those grouped before come first, as they were noted first.
void CGramatica::AgruparApariciones() const {
  const auto n = static_cast<std::size_t>(porNombre.Tamano());
  std::vector<std::size_t> nuevosInicios(n + 1, 0);
  for (std::size_t k = 0; k + 1 < inicios.size(); ++k)
    nuevosInicios[k + 1] += inicios[k + 1] - inicios[k];
  for (const AparicionAnotada& a : anotadas)
    ++nuevosInicios[static_cast<std::size_t>(a.ranura) + 1];
  for (std::size_t k = 0; k < n; ++k) nuevosInicios[k + 1] += nuevosInicios[k];
  std::vector<Aparicion> nuevas(nuevosInicios[n]);
  std::vector<std::size_t> libre(nuevosInicios.begin(), nuevosInicios.end() - 1);
  for (std::size_t k = 0; k + 1 < inicios.size(); ++k)
    for (std::size_t i = inicios[k]; i < inicios[k + 1]; ++i) nuevas[libre[k]++] = agrupadas[i];
  for (const AparicionAnotada& a : anotadas)
    nuevas[libre[static_cast<std::size_t>(a.ranura)]++] = a.aparicion;
  agrupadas = std::move(nuevas);
  inicios = std::move(nuevosInicios);
  anotadas.clear();
  anotadas.shrink_to_fit();
}
