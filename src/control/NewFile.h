#pragma once
// File > New: forget the current files and start over from the empty (or default) section.
namespace magmo {
struct Sim;

void fileNew(Sim& sim);

}  // namespace magmo
