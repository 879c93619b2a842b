#!/usr/bin/env bash
# Sets up Tolve and runs the editor on the bundled sample map. Without a
# display it draws the sample map instead and says where the pictures are.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
BUILD="$TOLVE_ROOT/build-release"
configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTOLVE_BUILD_TESTS=OFF -DTOLVE_BUILD_BENCH=OFF
# The sample folder holds quake.pal and quake101.wad, which the editor looks
# for in its working directory.
cd "$TOLVE_ROOT/samples"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$BUILD/app/tolve" demo.map
fi

PICTURES="$BUILD/pictures"
mkdir -p "$PICTURES"
echo "No display: drawing samples/demo.map instead."
for plane in xy xz yz; do
    "$BUILD/tools/tolve-map" render demo.map --plane "$plane" --out "$PICTURES/demo-$plane.png" 2>/dev/null
done
"$BUILD/tools/tolve-map" render demo.map --plane xz --3d --out "$PICTURES/demo-xz-3d.png" 2>/dev/null
if command -v xvfb-run > /dev/null; then
    xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/tools/tolve-map" render demo.map \
        --camera "-300 -300 150 45 -15" --size 1280x720 --out "$PICTURES/demo-camera.png" 2>/dev/null
    xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/app/tolve" --screenshot "$PICTURES/editor.png" demo.map 2>/dev/null
else
    QT_QPA_PLATFORM=offscreen "$BUILD/app/tolve" --screenshot "$PICTURES/editor.png" demo.map 2>/dev/null
fi
echo "Pictures of the map and of the editor window are in $PICTURES"
