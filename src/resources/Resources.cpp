#include "resources/Resources.h"

#include <cstddef>

namespace kestrel::detail {
struct EmbeddedResource {
  int id;
  const std::uint8_t* data;
  std::size_t size;
};
extern const EmbeddedResource kEmbeddedResources[];
}  // namespace kestrel::detail

namespace kestrel {

std::span<const std::uint8_t> FindResource(int id) {
  for (const detail::EmbeddedResource* entry = detail::kEmbeddedResources; entry->data; ++entry) {
    if (entry->id == id) return {entry->data, entry->size};
  }
  return {};
}

}  // namespace kestrel
