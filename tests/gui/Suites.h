// The GUI test suites, registered by name so that one executable runs any one of them (CTest runs
// each as its own test) or all of them.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

using FabricaSuite = std::function<std::unique_ptr<QObject>()>;

std::map<QString, FabricaSuite>& Suites();

struct RegistroSuite {
  RegistroSuite(const char* nombre, FabricaSuite fabrica) {
    Suites().emplace(nombre, std::move(fabrica));
  }
};

// `nombre` is the suite's name on the command line, the base name of its source file.
#define REGISTRAR_SUITE(Clase, nombre) \
  static const RegistroSuite registro##Clase(nombre, [] { return std::make_unique<Clase>(); })
