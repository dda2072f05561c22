#include "Cgramatica.h"

#include <functional>

#include "Conjuntosexactos.h"
#include "Tablasintactica.h"

CSimbolo* IndiceNombres::Buscar(std::string_view nombre) const {
  if (entradas.empty()) return nullptr;
  const std::size_t hash = std::hash<std::string_view>{}(nombre);
  const std::size_t mascara = entradas.size() - 1;
  for (std::size_t i = hash & mascara;; i = (i + 1) & mascara) {
    const Entrada& e = entradas[i];
    if (!e.simbolo) return nullptr;
    if (e.hash == hash && e.simbolo->Nombre() == nombre) return e.simbolo;
  }
}

void IndiceNombres::Anadir(CSimbolo* simbolo) {
  if (2 * (ocupadas + 1) > entradas.size()) Crecer();
  const std::size_t hash = std::hash<std::string_view>{}(simbolo->Nombre());
  const std::size_t mascara = entradas.size() - 1;
  std::size_t i = hash & mascara;
  while (entradas[i].simbolo) i = (i + 1) & mascara;
  entradas[i] = {hash, simbolo};
  ++ocupadas;
}

void IndiceNombres::Crecer() {
  std::vector<Entrada> antiguas(entradas.empty() ? 64 : 2 * entradas.size());
  antiguas.swap(entradas);
  const std::size_t mascara = entradas.size() - 1;
  for (const Entrada& e : antiguas) {
    if (!e.simbolo) continue;
    std::size_t i = e.hash & mascara;
    while (entradas[i].simbolo) i = (i + 1) & mascara;
    entradas[i] = e;
  }
}

CGramatica::CGramatica() = default;
CGramatica::~CGramatica() = default;

bool CGramatica::AnadirTerminal(const std::string& nombre, int linea) {
  if (porNombre.Buscar(nombre)) return false;
  auto simbolo = std::make_unique<CSimboloTerminal>(nombre, linea);
  porNombre.Anadir(simbolo.get());
  terminales.InsertarNuevo(simbolo.get());
  simbolos.push_back(std::move(simbolo));
  return true;
}

bool CGramatica::AnadirNoTerminal(const std::string& nombre, int linea) {
  if (porNombre.Buscar(nombre)) return false;
  auto simbolo = std::make_unique<CSimboloNoTerminal>(nombre, linea, this,
                                                      static_cast<int>(declarados.size()));
  porNombre.Anadir(simbolo.get());
  noTerminales.InsertarNuevo(simbolo.get());
  declarados.push_back(simbolo.get());
  simbolos.push_back(std::move(simbolo));
  return true;
}

CSimbolo* CGramatica::BuscarSimbolo(const std::string& nombre) const {
  return porNombre.Buscar(nombre);
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
          tabla->PonerCelda(fila, columna, p);
          --porCubrir;
        }
      }
    }
    if (a->Anulable())
      for (const PSimbolo t : a->ConjuntoFollow())
        if (!enFirst[t->Indice()])
          tabla->PonerCelda(fila, static_cast<unsigned>(t->Indice()), a->ProduccionAnulable());
    for (const PSimbolo t : a->ConjuntoFirst()) enFirst[t->Indice()] = 0;
  }
  return tabla;
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

// A counting sort by declaration place, stable: each symbol's occurrences keep their reading
// order. Those grouped before come first, as they were noted first.
void CGramatica::AgruparApariciones() const {
  const std::size_t n = declarados.size();
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
