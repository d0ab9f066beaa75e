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
// The coarser duration of the totals shown before an automatic or played-back phase.
std::string wholeDurationText(double hours);
std::string volumeText(double cubicMetres);
int explosivityIndex(double cubicMetres);
// Volume of layer k as it stands in the strata now (m³), measured as the statistics measure a
// phase's deposit.
struct Model;
double layerVolume(const Model& m, int k);
// labVei with the current eruption zeroed, as the Erupt button shows it.
void showZeroedStatistics(Sim& sim);
// The same before each phase of an automatic cycle or a playback, totals in whole units.
void showCycleStartStatistics(Sim& sim);

}  // namespace magmo
