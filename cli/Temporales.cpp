#include "Temporales.h"

#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

constexpr int kSenales[] = {SIGINT, SIGTERM, SIGHUP};

// What a signal handler may read: a fixed table, no allocation, no lock. Three files at most in
// a group, each with a temporary file and a second name for its old contents.
struct Anotado {
  volatile std::sig_atomic_t usado = 0;
  char ruta[PATH_MAX] = {};
};
Anotado anotados[8];

sigset_t Conjunto() {
  sigset_t senales;
  sigemptyset(&senales);
  for (const int senal : kSenales) sigaddset(&senales, senal);
  return senales;
}

}  // namespace

// Only async-signal-safe calls. SA_RESETHAND gave the signal back its default action, and it is
// blocked while this runs, so the raise ends the process once the handler returns.
extern "C" void BorrarTemporales(int senal) {
  for (const Anotado& anotado : anotados)
    if (anotado.usado) unlink(anotado.ruta);
  raise(senal);
}

LimpiezaAlInterrumpir::LimpiezaAlInterrumpir() {
  for (std::size_t i = 0; i < std::size(kSenales); ++i) {
    sigaction(kSenales[i], nullptr, &previas[i]);
    // Who started the tool with a signal ignored wants it ignored.
    if (previas[i].sa_handler != SIG_DFL) continue;
    struct sigaction limpiar {};
    limpiar.sa_handler = BorrarTemporales;
    limpiar.sa_mask = Conjunto();
    limpiar.sa_flags = SA_RESETHAND;
    sigaction(kSenales[i], &limpiar, nullptr);
  }
}

LimpiezaAlInterrumpir::~LimpiezaAlInterrumpir() {
  for (std::size_t i = 0; i < std::size(kSenales); ++i)
    sigaction(kSenales[i], &previas[i], nullptr);
}

SenalesRetenidas::SenalesRetenidas() {
  const sigset_t senales = Conjunto();
  sigprocmask(SIG_BLOCK, &senales, &previo);
}

SenalesRetenidas::~SenalesRetenidas() { sigprocmask(SIG_SETMASK, &previo, nullptr); }

void AnotarTemporal(const std::string& ruta) {
  if (ruta.size() >= PATH_MAX) return;
  for (Anotado& anotado : anotados) {
    if (anotado.usado) continue;
    std::memcpy(anotado.ruta, ruta.c_str(), ruta.size() + 1);
    anotado.usado = 1;
    return;
  }
}

void OlvidarTemporal(const std::string& ruta) {
  for (Anotado& anotado : anotados)
    if (anotado.usado && ruta == anotado.ruta) anotado.usado = 0;
}
