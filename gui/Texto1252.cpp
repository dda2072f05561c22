#include "Texto1252.h"

#include <QList>

#include "Codificacion.h"

QString AUnicode(std::string_view bytes) {
  QString texto(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* destino = texto.data();
  for (const char c : bytes)
    *destino++ = QChar(static_cast<char16_t>(cp1252::Decodificar(static_cast<unsigned char>(c))));
  return texto;
}

std::string ACp1252(const QString& texto) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(texto.size()));
  for (const char32_t codigo : texto.toUcs4()) {
    const int byte = cp1252::Codificar(codigo);
    bytes += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return bytes;
}
