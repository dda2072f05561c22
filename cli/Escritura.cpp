#include "Escritura.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "Motivo.h"
#include "Temporales.h"

namespace {

namespace fs = std::filesystem;

// One file on its way: the temporary copy of the new contents, and, while the group is being
// replaced, a second name for the old file so that it can be put back; or, for a device or a
// FIFO, the target itself, open.
struct Preparado {
  std::string destino;
  std::string temporal;
  std::string copiaAntigua;  // empty: there was no old file
  bool reemplazado = false;
  int enSuSitio = -1;  // the open device or FIFO
};

// A FIFO opened without waiting tells that nobody reads it by ENXIO, whose own text speaks of a
// missing device.
constexpr int kSinLector = -1;

std::string MensajeEscritura(const std::string& ruta, int codigo) {
  return "no se puede escribir " + ruta + ": " +
         (codigo == kSinLector ? std::string("nadie lee de la tubería") : MotivoFallo(codigo));
}

// A symbolic link is followed, so that the link survives and its target gets the contents.
std::string Destino(const std::string& ruta) {
  struct stat info {};
  if (lstat(ruta.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* real = realpath(ruta.c_str(), nullptr)) {
      std::string resultado(real);
      std::free(real);
      return resultado;
    }
  }
  return ruta;
}

std::string Directorio(const std::string& ruta) {
  const fs::path padre = fs::path(ruta).parent_path();
  return padre.empty() ? std::string(".") : padre.string();
}

// A fresh, private file beside `destino`, noted for removal on a signal; -1 (errno set) when
// none can be made.
int CrearTemporal(const std::string& destino, std::string& nombre) {
  nombre =
      (fs::path(Directorio(destino)) / ("." + fs::path(destino).filename().string() + ".XXXXXX"))
          .string();
  const SenalesRetenidas retenidas;
  const int fd = mkstemp(nombre.data());
  if (fd >= 0) AnotarTemporal(nombre);
  return fd;
}

// Removes a hidden file, or gives it its public name, and forgets its note. Called with the
// signals held back.
void BorrarTemporal(const std::string& nombre) {
  unlink(nombre.c_str());
  OlvidarTemporal(nombre);
}
int RenombrarTemporal(const std::string& nombre, const std::string& destino) {
  if (rename(nombre.c_str(), destino.c_str()) != 0) return errno;
  OlvidarTemporal(nombre);
  return 0;
}

// New files get the permissions an ordinary create would give; a replaced file keeps its own.
mode_t Permisos(const std::string& destino) {
  struct stat info {};
  if (stat(destino.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mascara = umask(0);
  umask(mascara);
  return 0666 & ~mascara;
}

bool EscribirTodo(int fd, const std::string& contenido) {
  const char* datos = contenido.data();
  std::size_t quedan = contenido.size();
  while (quedan > 0) {
    const ssize_t escritos = write(fd, datos, quedan);
    if (escritos < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    datos += escritos;
    quedan -= static_cast<std::size_t>(escritos);
  }
  return true;
}

// Renaming a new file over a device or a FIFO would replace the device itself (as root, even
// the system's own): such a target is written where it stands. A directory is not, so that the
// rename fails as for any target that cannot be replaced.
bool EsDeSuSitio(const std::string& destino) {
  struct stat info {};
  return stat(destino.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

// Opened without waiting, so that a FIFO nobody reads fails at once instead of hanging the tool;
// once open, a reader slow to drain it is waited for. 0, kSinLector or the errno of the failure.
int AbrirEnSuSitio(Preparado& preparado) {
  preparado.enSuSitio =
      open(preparado.destino.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (preparado.enSuSitio < 0) {
    const int codigo = errno;
    struct stat info {};
    return codigo == ENXIO && stat(preparado.destino.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)
               ? kSinLector
               : codigo;
  }
  const int estado = fcntl(preparado.enSuSitio, F_GETFL);
  return estado < 0 || fcntl(preparado.enSuSitio, F_SETFL, estado & ~O_NONBLOCK) != 0 ? errno : 0;
}

// A reader that goes away must fail the write, not end the process with SIGPIPE.
class SinSigpipe {
 public:
  SinSigpipe() {
    struct sigaction ignorar {};
    ignorar.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignorar, &previa);
  }
  ~SinSigpipe() { sigaction(SIGPIPE, &previa, nullptr); }
  SinSigpipe(const SinSigpipe&) = delete;
  SinSigpipe& operator=(const SinSigpipe&) = delete;

 private:
  struct sigaction previa {};
};

// Writes into the open device or FIFO and closes it; 0 or the errno of the failure. A device
// that cannot be flushed (EINVAL: a FIFO, a terminal) has nothing more to flush.
int EscribirEnSuSitio(Preparado& preparado, const std::string& contenido) {
  int codigo = 0;
  {
    const SinSigpipe sinSigpipe;
    if (!EscribirTodo(preparado.enSuSitio, contenido) ||
        (fsync(preparado.enSuSitio) != 0 && errno != EINVAL))
      codigo = errno;
  }
  if (close(preparado.enSuSitio) != 0 && codigo == 0) codigo = errno;
  preparado.enSuSitio = -1;
  return codigo;
}

// The complete new contents in a temporary file, on disk, or the device or FIFO open; 0 or the
// errno of the failure.
int PrepararTemporal(const FicheroPendiente& fichero, Preparado& preparado) {
  preparado.destino = Destino(fichero.ruta);
  if (EsDeSuSitio(preparado.destino)) return AbrirEnSuSitio(preparado);
  const int fd = CrearTemporal(preparado.destino, preparado.temporal);
  if (fd < 0) {
    const int codigo = errno;
    preparado.temporal.clear();
    return codigo;
  }
  int codigo = 0;
  if (!EscribirTodo(fd, fichero.contenido) || fchmod(fd, Permisos(preparado.destino)) != 0 ||
      fsync(fd) != 0)
    codigo = errno;
  if (close(fd) != 0 && codigo == 0) codigo = errno;
  return codigo;
}

// A second name (a hard link, or a copy where links are not possible) for the old file.
int GuardarAntiguo(Preparado& preparado) {
  struct stat info {};
  if (stat(preparado.destino.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  std::string nombre;
  const int fd = CrearTemporal(preparado.destino, nombre);
  if (fd < 0) return errno;
  close(fd);
  unlink(nombre.c_str());
  if (link(preparado.destino.c_str(), nombre.c_str()) == 0) {
    preparado.copiaAntigua = nombre;
    return 0;
  }
  std::error_code fallo;
  fs::copy_file(preparado.destino, nombre, fs::copy_options::overwrite_existing, fallo);
  if (fallo) {
    const SenalesRetenidas retenidas;
    BorrarTemporal(nombre);
    return fallo.value();
  }
  preparado.copiaAntigua = nombre;
  return 0;
}

void Deshacer(std::vector<Preparado>& preparados) {
  const SenalesRetenidas retenidas;
  for (Preparado& preparado : preparados) {
    if (preparado.reemplazado) {
      if (!preparado.copiaAntigua.empty()) {
        if (RenombrarTemporal(preparado.copiaAntigua, preparado.destino) == 0)
          preparado.copiaAntigua.clear();
      } else {
        unlink(preparado.destino.c_str());
      }
    }
    if (!preparado.temporal.empty()) BorrarTemporal(preparado.temporal);
    if (!preparado.copiaAntigua.empty()) BorrarTemporal(preparado.copiaAntigua);
    if (preparado.enSuSitio >= 0) close(preparado.enSuSitio);
  }
}

// The new names must survive a crash too: flush each directory that changed.
void SincronizarDirectorios(const std::vector<Preparado>& preparados) {
  for (const Preparado& preparado : preparados) {
    if (!preparado.reemplazado) continue;
    const int fd = open(Directorio(preparado.destino).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) continue;
    fsync(fd);
    close(fd);
  }
}

}  // namespace

bool EscribirTodosONinguno(const std::vector<FicheroPendiente>& ficheros, std::string& error) {
  const LimpiezaAlInterrumpir limpieza;
  std::vector<Preparado> preparados(ficheros.size());
  for (std::size_t i = 0; i < ficheros.size(); ++i) {
    if (const int codigo = PrepararTemporal(ficheros[i], preparados[i])) {
      Deshacer(preparados);
      error = MensajeEscritura(ficheros[i].ruta, codigo);
      return false;
    }
  }
  if (ficheros.size() > 1) {
    for (std::size_t i = 0; i < ficheros.size(); ++i) {
      if (const int codigo = GuardarAntiguo(preparados[i])) {
        Deshacer(preparados);
        error = MensajeEscritura(ficheros[i].ruta, codigo);
        return false;
      }
    }
  }
  // What is written in place cannot be taken back: it goes after everything that may still
  // fail without a trace, and before the renames.
  for (std::size_t i = 0; i < ficheros.size(); ++i) {
    if (preparados[i].enSuSitio < 0) continue;
    if (const int codigo = EscribirEnSuSitio(preparados[i], ficheros[i].contenido)) {
      Deshacer(preparados);
      error = MensajeEscritura(ficheros[i].ruta, codigo);
      return false;
    }
  }
  // The renames take no time, and a group must not be left half replaced.
  const SenalesRetenidas retenidas;
  for (std::size_t i = 0; i < ficheros.size(); ++i) {
    Preparado& preparado = preparados[i];
    if (preparado.temporal.empty()) continue;
    if (const int codigo = RenombrarTemporal(preparado.temporal, preparado.destino)) {
      Deshacer(preparados);
      error = MensajeEscritura(ficheros[i].ruta, codigo);
      return false;
    }
    preparado.temporal.clear();
    preparado.reemplazado = true;
  }
  for (const Preparado& preparado : preparados)
    if (!preparado.copiaAntigua.empty()) BorrarTemporal(preparado.copiaAntigua);
  SincronizarDirectorios(preparados);
  return true;
}

bool MismoFichero(const std::string& a, const std::string& b) {
  struct stat infoA {
  }, infoB{};
  const bool existeA = stat(a.c_str(), &infoA) == 0, existeB = stat(b.c_str(), &infoB) == 0;
  if (existeA || existeB)
    return existeA && existeB && infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
  std::error_code fallo;
  const fs::path ca = fs::weakly_canonical(fs::absolute(a), fallo);
  if (fallo) return false;
  const fs::path cb = fs::weakly_canonical(fs::absolute(b), fallo);
  if (fallo) return false;
  return ca == cb;
}

// A device or a FIFO is written in place, not replaced: only a regular file can be lost.
bool PisaEntrada(const std::string& salida, const std::string& entrada) {
  struct stat leida {
  }, escrita{};
  const int estado = entrada == "-" ? fstat(STDIN_FILENO, &leida) : stat(entrada.c_str(), &leida);
  return estado == 0 && S_ISREG(leida.st_mode) && stat(salida.c_str(), &escrita) == 0 &&
         leida.st_dev == escrita.st_dev && leida.st_ino == escrita.st_ino;
}
