#include <ctime>

#include "commands/JobSettings.h"

namespace kestrel {

std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace kestrel
