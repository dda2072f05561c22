// The analysis trace: the sink every trace line goes to, and the text a saved trace holds.
#pragma once

#include <concepts>
#include <functional>
#include <string>
#include <vector>

// Hands one trace line to the installed sink (by default lines are dropped).
void MostrarAnalisis(const std::string& linea);

// Whether a sink is installed: without one, a line need not even be written.
bool TrazaActiva();

// Hands the line `linea()` makes to the sink, and only makes it when a sink listens: on large
// grammars the lines cost more than the analysis they describe.
template <std::invocable Linea>
void MostrarAnalisis(Linea&& linea) {
  if (TrazaActiva()) MostrarAnalisis(linea());
}

using SumideroAnalisis = std::function<void(const std::string&)>;
// Installs the sink for trace lines; returns the previous one.
SumideroAnalisis InstalarSumidero(SumideroAnalisis sumidero);

// Installs a sink for one scope and puts the previous one back.
class SumideroTemporal {
 public:
  explicit SumideroTemporal(SumideroAnalisis sumidero)
      : anterior(InstalarSumidero(std::move(sumidero))) {}
  ~SumideroTemporal() { InstalarSumidero(std::move(anterior)); }
  SumideroTemporal(const SumideroTemporal&) = delete;
  SumideroTemporal& operator=(const SumideroTemporal&) = delete;

 private:
  SumideroAnalisis anterior;
};

// A saved trace: the lines with the first two emptied and the third replaced by the title
// (lines that do not exist are left alone), each line ended by CR LF.
std::string TextoGuardadoAnalisis(const std::vector<std::string>& lineas,
                                  const std::string& titulo);
