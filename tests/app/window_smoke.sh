#!/bin/sh
# Starts the real program on a virtual display and lets it close itself; the start-up must have
# made the user's data folder and the shutdown must have saved the settings.
set -eu
xvfb_run=$1
program=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home/run \
  QT_QPA_PLATFORM=xcb "$xvfb_run" -a "$program" --close-after 1500
test -d "$home/Documents/Plovk/Magmo3" || { echo "no data folder was made"; exit 1; }
grep -q 'Settings\\Scale=Normal' "$home/.config/Plovk/Magmo3.ini" || { echo "settings were not saved"; exit 1; }
echo "magmo started and closed"
