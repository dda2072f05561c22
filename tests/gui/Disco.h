// Disks that fail: a file-size limit that makes every write past it fail (EFBIG) as a full disk
// would, and a real full disk (a small tmpfs, mounted only where the test may mount).
#pragma once

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <csignal>

// While it lives, no file of the process grows past `bytes`.
class LimiteDeEscritura {
 public:
  explicit LimiteDeEscritura(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previo);
    senal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = previo;
    limite.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limite);
  }
  ~LimiteDeEscritura() {
    setrlimit(RLIMIT_FSIZE, &previo);
    std::signal(SIGXFSZ, senal);
  }
  LimiteDeEscritura(const LimiteDeEscritura&) = delete;
  LimiteDeEscritura& operator=(const LimiteDeEscritura&) = delete;

 private:
  rlimit previo{};
  void (*senal)(int) = SIG_DFL;
};

// A 64 KiB tmpfs at `carpeta` while it lives; Montado() is false where mounting is refused.
class DiscoPequeno {
 public:
  explicit DiscoPequeno(const QString& carpeta) : ruta(QFile::encodeName(carpeta)) {
    QDir().mkpath(carpeta);
    montado = geteuid() == 0 &&
              mount("tmpfs", ruta.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
  }
  ~DiscoPequeno() {
    if (montado) umount2(ruta.constData(), MNT_DETACH);
  }
  DiscoPequeno(const DiscoPequeno&) = delete;
  DiscoPequeno& operator=(const DiscoPequeno&) = delete;

  bool Montado() const { return montado; }
  // Takes every free byte left, in a file of its own.
  void Llenar() const {
    QFile relleno(QFile::decodeName(ruta) + "/relleno");
    if (!relleno.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray bloque(4096, 'x');
    while (relleno.write(bloque) == bloque.size()) {
    }
    relleno.write(QByteArray(1, 'x'));
  }

 private:
  QByteArray ruta;
  bool montado = false;
};
