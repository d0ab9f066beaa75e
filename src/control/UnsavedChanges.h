#pragma once
// Before work is thrown away (New, Open, Exit): the question desktop programs ask.
namespace magmo {
struct Sim;

// For the changed section, then the changed record: "Save changes to …?" Yes saves it, No goes
// on without; Cancel, or a save that was cancelled or failed, answers false: keep everything.
bool confirmDiscard(Sim& sim);

}  // namespace magmo
