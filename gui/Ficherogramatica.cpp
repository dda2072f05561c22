#include "Ficherogramatica.h"

#include <QFile>
#include <QSaveFile>
#include <string_view>

#include "Codificacion.h"
#include "Texto1252.h"

QString DecodificarGramatica(const QByteArray& bytes) {
  std::string normalizado =
      cp1252::NormalizarSaltos(std::string_view(bytes.constData(), bytes.size()));
  // After normalising every CR stands before its LF, and the editor separates lines by LF.
  std::erase(normalizado, '\r');
  return AUnicode(normalizado);
}

std::variant<QByteArray, CaracterInalmacenable> CodificarGramatica(const QString& texto) {
  QByteArray bytes;
  bytes.reserve(texto.size() + texto.size() / 16);
  int linea = 1;
  for (const char32_t codigo : texto.toUcs4()) {
    if (codigo == U'\n') {
      bytes += "\r\n";
      ++linea;
      continue;
    }
    const int byte = cp1252::Codificar(codigo);
    if (byte < 0) return CaracterInalmacenable{codigo, linea};
    bytes += static_cast<char>(byte);
  }
  return bytes;
}

std::optional<QString> LeerGramatica(const QString& ruta) {
  QFile fichero(ruta);
  if (!fichero.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = fichero.readAll();
  if (fichero.error() != QFileDevice::NoError) return std::nullopt;
  return DecodificarGramatica(bytes);
}

bool EscribirFichero(const QString& ruta, const QByteArray& bytes) {
  QSaveFile fichero(ruta);
  if (!fichero.open(QIODevice::WriteOnly)) return false;
  if (fichero.write(bytes) != bytes.size()) {
    fichero.cancelWriting();
    return false;
  }
  return fichero.commit();
}
