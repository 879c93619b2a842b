# Shared by the run and test scripts: installs what the build needs from
# Debian's packages, skipping what is already there.
set -euo pipefail

TOLVE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TOLVE_PACKAGES=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-multimedia-dev libgl-dev libqt6opengl6-dev
    libgl1-mesa-dri libegl1
    xvfb xauth dpkg-dev
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=()
    for package in "${TOLVE_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# configure_and_build BUILD_DIR [cmake options...]
configure_and_build() {
    local dir="$1"
    shift
    cmake -S "$TOLVE_ROOT" -B "$dir" -G Ninja "$@" > /dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
