#include "Ficherogramatica.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <string_view>

#include "Codificacion.h"
#include "Tamanomaximo.h"
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
  // A FIFO or a device (one without end, say) would freeze the window: only a regular file is
  // read, and only up to the bound. Opened without waiting, so that a FIFO is refused at once.
  const int descriptor =
      ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) return std::nullopt;
  struct stat info {};
  QFile fichero;
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::size_t>(info.st_size) > kTamanoMaximoTexto ||
      !fichero.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(descriptor);
    return std::nullopt;
  }
  const QByteArray bytes = fichero.readAll();
  if (fichero.error() != QFileDevice::NoError ||
      static_cast<std::size_t>(bytes.size()) > kTamanoMaximoTexto)
    return std::nullopt;
  return DecodificarGramatica(bytes);
}

namespace {

// A device or a FIFO is written where it stands: renaming a new file over it would replace the
// device itself. Opened without waiting, so a FIFO nobody reads fails at once instead of
// freezing the window.
bool EscribirEnSuSitio(const QString& ruta, const QByteArray& bytes) {
  const int descriptor =
      ::open(QFile::encodeName(ruta).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) return false;
  // Once open, a reader that is slow to drain a FIFO is waited for rather than cut short.
  ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  QFile fichero;
  const bool escrito = fichero.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered,
                                    QFileDevice::AutoCloseHandle) &&
                       fichero.write(bytes) == bytes.size() &&
                       fichero.error() == QFileDevice::NoError;
  if (!fichero.isOpen()) ::close(descriptor);
  return escrito;
}

}  // namespace

bool EscribirFichero(const QString& ruta, const QByteArray& bytes) {
  const QFileInfo destino(ruta);
  if (destino.exists() && !destino.isFile())
    return !destino.isDir() && EscribirEnSuSitio(ruta, bytes);
  QSaveFile fichero(ruta);
  if (!fichero.open(QIODevice::WriteOnly)) return false;
  // QSaveFile buffers the bytes, and on Qt 6.4 commit() renames the temporary file over the
  // target even when they never reached the disk (a full disk): flush first, and on any error
  // cancel; the uncommitted temporary file goes with `fichero`, and the old file stays.
  if (fichero.write(bytes) != bytes.size() || !fichero.flush() ||
      fichero.error() != QFileDevice::NoError) {
    fichero.cancelWriting();
    return false;
  }
  return fichero.commit();
}
