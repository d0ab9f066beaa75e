#pragma once
// The eruption-style procedures, one phase each.
namespace magmo {
struct Sim;

void typeStromb(Sim& sim);

}  // namespace magmo
