// The one crossing between the core's Windows-1252 byte strings and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// Every byte has a character, so this never fails and round-trips through ACp1252.
QString AUnicode(std::string_view bytes);

// A character the code page cannot hold becomes '?' (one per character, whatever its size).
std::string ACp1252(const QString& texto);
