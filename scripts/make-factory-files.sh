#!/bin/sh
# Regenerates the factory stratigraphic files of data/Files with the batch runner:
# the default terrain (one Strombolian cone) and the demonstration section.
set -e
cd "$(dirname "$0")/.."
B=${1:-build/bin/magmo-batch}
"$B" --seed 1 --erupt strombolian --strength 0.5 --bursts 120 --save data/Files/Magmo3.str
"$B" --seed 2 --erupt strombolian --location 9 --strength 0.3 --diatreme --bursts 40 \
     --erupt strombolian --location 9 --strength 0.6 --wind 8 --bursts 150 \
     --erupt strombolian --location 15 --strength 0.4 --wind -5 --bursts 120 \
     --erupt strombolian --location 12 --strength 0.8 --bursts 200 \
     --save data/Files/MagmoDemo.str
