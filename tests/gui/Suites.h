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

#define REGISTRAR_SUITE(Clase) \
  static const RegistroSuite registro##Clase(#Clase, [] { return std::make_unique<Clase>(); })
