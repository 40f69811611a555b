// Reading the declared values back with the run's own keyed-line readers.
#include "DeclaredValues.h"

#include <variant>

#include "Main_modul6.h"
#include "platform/RunError.h"

namespace lamivex::batch {

std::array<double, kDeclaredCount> ReadDeclaredValues(const std::string& path) {
  const KeyedFile file = ReadKeyedFile(path);
  if (!file.exists) {
    throw RunError(kExitFault, "SM5.2", "Error: the run's file " + path + " is missing!");
  }
  std::array<double, kDeclaredCount> values{};
  for (size_t v = 0; v < kDeclaredCount; ++v) {
    const std::string text = std::get<std::string>(ReadKeyText(file, kDeclaredKeys[v]));
    const bool read = KeyPresent(file, kDeclaredKeys[v]) && ParseNumber(text, values[v]);
    if (!read) {
      throw RunError(kExitFault, "SM5.2",
                     std::string("Error: the value \"") + kDeclaredKeys[v] + "\" of " + path +
                         " is missing or not a number!");
    }
  }
  return values;
}

}  // namespace lamivex::batch
