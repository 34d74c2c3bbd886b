// Builds an ID from its registry text, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
// so tests state IDs the way documents print them, apart from the module's
// own constants.
#pragma once

#include <cstdio>
#include <cstring>

#include "host/component_id.h"

inline ComponentId idFromText(const char* text) {
  unsigned a = 0, b = 0, c = 0, d[8] = {};
  std::sscanf(text, "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}", &a, &b, &c, &d[0], &d[1], &d[2],
              &d[3], &d[4], &d[5], &d[6], &d[7]);
  ComponentId id{};
  id.data1 = a;
  id.data2 = static_cast<std::uint16_t>(b);
  id.data3 = static_cast<std::uint16_t>(c);
  for (int i = 0; i < 8; ++i) id.data4[i] = static_cast<std::uint8_t>(d[i]);
  return id;
}
