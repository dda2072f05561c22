// The hidden files of a write in progress (temporary files, second names of old files), removed
// when SIGINT, SIGTERM or SIGHUP ends the process halfway, so that none is left beside a target.
#pragma once

#include <csignal>
#include <string>

// While it lives, those signals (where they are not ignored) remove every file noted and then end
// the process as they would have.
class LimpiezaAlInterrumpir {
 public:
  LimpiezaAlInterrumpir();
  ~LimpiezaAlInterrumpir();
  LimpiezaAlInterrumpir(const LimpiezaAlInterrumpir&) = delete;
  LimpiezaAlInterrumpir& operator=(const LimpiezaAlInterrumpir&) = delete;

 private:
  struct sigaction previas[3]{};
};

// Holds those signals back while it lives: around a hidden file made or removed together with
// its note, and around steps that must not be cut in two.
class SenalesRetenidas {
 public:
  SenalesRetenidas();
  ~SenalesRetenidas();
  SenalesRetenidas(const SenalesRetenidas&) = delete;
  SenalesRetenidas& operator=(const SenalesRetenidas&) = delete;

 private:
  sigset_t previo{};
};

// Notes a hidden file to remove on a signal, and forgets it once it is renamed or removed. Called
// with the signals held back. A group holds few files; one past the table's room goes unnoted.
void AnotarTemporal(const std::string& ruta);
void OlvidarTemporal(const std::string& ruta);
