#!/bin/sh
# Installs the Debian packages Magmo builds with, when any is missing; packages given as
# arguments are needed too (the fuzzing script adds its compiler). The 3-D viewer needs Qt Data
# Visualization, whose CMake package also looks for Qt's OpenGL and QML modules; sound needs Qt
# Multimedia; the toolbar's icons are SVG, drawn by Qt SVG; the screen-saver tests run on a
# private session bus of the D-Bus daemon; the eruption chart draws with Qt Charts; elevation grids of
# GIS programs are read and written with GDAL, whose gdalinfo the tests ask about what Magmo saved.
set -e
PACKAGES="cmake ninja-build g++ qt6-base-dev libgtest-dev libbenchmark-dev xvfb xauth
  qt6-datavisualization-dev libqt6opengl6-dev qt6-declarative-dev qt6-multimedia-dev qt6-svg-dev dbus-daemon
  qt6-charts-dev libgdal-dev gdal-bin $*"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installing:$missing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
