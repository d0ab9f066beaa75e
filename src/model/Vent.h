#pragma once
// Vent and ballistic physics shared by the styles.
#include <string>

namespace magmo {
struct Sim;

void ventCenter(Sim& sim);            // open the phase's layer at the vent (or go static)
void velocity(Sim& sim);              // launch velocities of one burst, MaxFlight, cloud size
void eruptVEI(Sim& sim);              // duration, volume and explosivity index; labVei
void eruptDike(Sim& sim, int mode);   // mode != 0: dike intrudes; 0: dike cools
void eruptCloud(Sim& sim);            // cloud puffs above the vent

std::string durationText(double hours);
std::string volumeText(double cubicMetres);
int explosivityIndex(double cubicMetres);
// labVei with the current eruption zeroed, as the Erupt button shows it.
void showZeroedStatistics(Sim& sim);

}  // namespace magmo
