#pragma once

#include <cstdint>
#include <span>

namespace kestrel {

// The bytes of an embedded picture or icon by its resource number (129, 132,
// 131, 99, ...); empty when the program carries no such resource.
std::span<const std::uint8_t> FindResource(int id);

}  // namespace kestrel
