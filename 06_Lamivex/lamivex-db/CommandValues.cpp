#include "CommandValues.h"

#include <charconv>

#include "CommandLine.h"

namespace lamivexdb {

lamivex::TableFamily ParseKind(const std::string& kind) {
  if (kind == "glass") return lamivex::TableFamily::Glass;
  if (kind == "film") return lamivex::TableFamily::Film;
  if (kind == "pvb" || kind == "PVB") return lamivex::TableFamily::PVB;
  throw UsageError("--kind must be glass, film or pvb, not '" + kind + "'");
}

int32_t ParseProductId(const std::string& text, const std::string& what) {
  int32_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw UsageError(what + " must be a whole number from 1 to 2147483647, not '" + text + "'");
  }
  return id;
}

}  // namespace lamivexdb
