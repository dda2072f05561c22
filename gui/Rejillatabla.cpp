#include "Rejillatabla.h"

#include <QFontMetrics>
#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "Simbolos.h"
#include "Tablasintactica.h"
#include "Texto1252.h"

namespace {

// Room around a column's widest text.
constexpr int kHolguraColumna = 16;
// Room above and below a line of text in a row.
constexpr int kHolguraFila = 4;

}  // namespace

RejillaTabla::RejillaTabla(const CTablaSintactica& tabla) : textos{QStringLiteral("-")} {
  const unsigned terminales = tabla.NumColumnas();
  cabeceras.reserve(terminales + 1);
  cabeceras.emplace_back();
  for (unsigned c = 0; c < terminales; ++c)
    cabeceras.push_back(AUnicode(tabla.Columna(c)->Nombre()));

  // A production fills as many cells as its FIRST set has terminals: its text is made once.
  std::unordered_map<const CProduccion*, std::int32_t> indices;
  filas.reserve(tabla.NumFilas());
  celdas.reserve(std::size_t{tabla.NumFilas()} * terminales);
  for (unsigned f = 0; f < tabla.NumFilas(); ++f) {
    filas.push_back(AUnicode(tabla.Fila(f)->Nombre()));
    for (unsigned c = 0; c < terminales; ++c) {
      const CProduccion* produccion = tabla.Celda(f, c);
      if (!produccion) {
        celdas.push_back(0);
        continue;
      }
      const auto [posicion, nueva] =
          indices.try_emplace(produccion, static_cast<std::int32_t>(textos.size()));
      if (nueva) textos.push_back(AUnicode(produccion->TextoProduccion()));
      celdas.push_back(posicion->second);
    }
  }
}

const QString& RejillaTabla::Texto(int fila, int columna) const {
  if (columna == 0) return filas[fila];
  const std::size_t terminales = cabeceras.size() - 1;
  return textos[celdas[static_cast<std::size_t>(fila) * terminales + (columna - 1)]];
}

void RejillaTabla::Medir(const QFont& nueva) {
  fuente = nueva;
  const QFontMetrics medidas(fuente);
  altoFila = medidas.height() + kHolguraFila;
  anchos.assign(cabeceras.size(), 0);
  for (std::size_t c = 0; c < cabeceras.size(); ++c)
    anchos[c] = medidas.horizontalAdvance(cabeceras[c]);
  for (const QString& fila : filas)
    anchos[0] = std::max(anchos[0], medidas.horizontalAdvance(fila));
  // Each distinct text is measured once; a column takes the widest of its cells.
  std::vector<int> anchoTexto(textos.size());
  std::transform(textos.begin(), textos.end(), anchoTexto.begin(),
                 [&](const QString& texto) { return medidas.horizontalAdvance(texto); });
  const std::size_t terminales = cabeceras.size() - 1;
  for (std::size_t i = 0; i < celdas.size(); ++i) {
    int& ancho = anchos[1 + i % terminales];
    ancho = std::max(ancho, anchoTexto[static_cast<std::size_t>(celdas[i])]);
  }
  for (int& ancho : anchos) ancho += kHolguraColumna;
}

std::vector<int> RepartirAnchos(const std::vector<int>& minimos, int ancho) {
  std::vector<int> anchos = minimos;
  if (anchos.empty()) return anchos;
  const int sobra = ancho - std::accumulate(minimos.begin(), minimos.end(), 0);
  if (sobra <= 0) return anchos;
  const int columnas = static_cast<int>(anchos.size());
  for (int c = 0; c < columnas; ++c) anchos[c] += sobra / columnas + (c < sobra % columnas ? 1 : 0);
  return anchos;
}
