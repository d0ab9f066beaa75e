#!/bin/sh
# Rebuilds the ready-made eruption histories of data/Files/Scenarios (the Scenarios menu) and
# the demonstration record and DEM of data/Files with the batch runner. Fixed seeds make every
# run give the same files. The records name their starting file by its bare file name, which
# the program finds in the user's data folder or the factory folder (see README, record file).
# usage: scripts/make_scenarios.sh [path/to/magmo-batch]
set -e
cd "$(dirname "$0")/.."
B=${1:-build/bin/magmo-batch}
F=data/Files
S=$F/Scenarios
mkdir -p "$S"

# The batch runner records the absolute path it loaded; keep only the file name.
bare() {
  sed -i '1s|,"[^"]*/|,"|' "$1"
}

# Keep each history short: the test suite plays every one, also under the sanitizers.
"$B" --seed 101 --load $F/Magmo3.str --record $S/HawaiianShield.rec \
     --erupt hawaiian --location 12.8 --bursts 12 \
     --erupt hawaiian --location 12.8 --bursts 12 \
     --erupt hawaiian --location 13.4 --bursts 12 \
     --erupt hawaiian --location 12.2 --bursts 12 \
     --erupt hawaiian --location 12.8 --bursts 10
# The small scale (4 m a column, a section 5.12 km wide) shows cones, domes, maars and calderas at
# a height a class can see without exaggeration.
"$B" --seed 102 --scale small --load $F/Magmo3.str --record $S/ConeField.rec \
     --erupt strombolian --location 0.9 --strength 0.4 --bursts 40 \
     --erupt strombolian --location 2.3 --strength 0.5 --wind 6 --bursts 50 \
     --erupt strombolian --location 4.1 --strength 0.35 --wind -4 --bursts 35 \
     --erupt strombolian --location 3.2 --strength 0.3 --bursts 25
"$B" --seed 103 --scale small --load $F/Magmo3.str --record $S/Stratovolcano.rec \
     --erupt peleean --location 2.56 --bursts 15 \
     --erupt plinian --location 2.56 --strength 0.4 --bursts 25 \
     --erupt peleean --location 2.56 --bursts 15 \
     --erupt plinian --location 2.56 --strength 0.5 --wind 10 --bursts 25 \
     --erupt peleean --location 2.56 --bursts 15
"$B" --seed 104 --scale small --load $F/Magmo3.str --record $S/MazamaCaldera.rec \
     --erupt peleean --location 2.56 --bursts 15 \
     --erupt plinian --location 2.56 --strength 0.5 --bursts 25 \
     --erupt peleean --location 2.56 --bursts 15 \
     --erupt plinian --location 2.56 --strength 0.9 --caldera mazama --bursts 60 \
     --erupt peleean --location 2.56 --bursts 2
# A maar needs rock to blast through: a lava plateau first.
"$B" --seed 105 --scale small --load $F/Magmo3.str --record $S/MaarDiatreme.rec \
     --erupt hawaiian --location 1.2 --bursts 10 \
     --erupt hawaiian --location 3.9 --bursts 10 \
     --erupt strombolian --location 2.56 --strength 0.25 --diatreme --slider 2=10 --bursts 5 \
     --erupt vulcanian --location 2.56 --strength 0.25 --bursts 12 \
     --erupt fumarole --location 2.56 --strength 0.8 --explosions --bursts 10
"$B" --seed 106 --scale small --load $F/Magmo3.str --record $S/CollapseRegrowth.rec \
     --erupt strombolian --location 2.56 --strength 0.6 --bursts 80 \
     --erupt peleean --location 2.56 --bursts 15 \
     --erupt collapse --top 2.56 --base 3.3 --strength 0.6 \
     --erupt strombolian --location 2.8 --strength 0.5 --bursts 60 \
     --erupt hawaiian --location 2.8 --bursts 8
"$B" --seed 107 --scale small --load $F/Magmo3.str --record $S/FaultedVolcano.rec \
     --erupt peleean --location 2.56 --bursts 12 \
     --erupt strombolian --location 2.56 --strength 0.5 --bursts 60 \
     --erupt peleean --location 2.56 --bursts 10 \
     --erupt fault --location 2.3 --magnitude 12 --dip 0 --down left \
     --erupt erosion --cycles 6 \
     --erupt fault --location 2.9 --magnitude 8 --dip 3
for f in $S/*.rec; do bare "$f"; done

# The demonstration files File > Open offers: a short history on the demonstration section,
# and that section's map grid as the program's own DEM.
"$B" --seed 108 --load $F/MagmoDemo.str --maps --record $F/MagmoDemo.rec \
     --erupt strombolian --location 17 --strength 0.5 --bursts 50 \
     --erupt hawaiian --location 17 --bursts 8 \
     --erupt plinian --location 12 --strength 0.5 --wind 12 --bursts 25
bare $F/MagmoDemo.rec
"$B" --load $F/MagmoDemo.str --maps --save-dem $F/MagmoDemo.dem
