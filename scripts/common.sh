# Shared by scripts/run and scripts/test: package installation, the build, and a virtual display.

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

build_packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libx11-dev
                fonts-dejavu-core)
display_packages=(xvfb xauth trayer imagemagick x11-utils xdotool)
# bench/idle-cost compares the program at rest with an independent system monitor.
bench_packages=(conky-std)

# Installs the Debian packages that are not installed yet; a second run costs one dpkg query.
install_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_and_build BUILD_DIR BUILD_TYPE [cmake options...]
configure_and_build() {
    local build_dir=$1 build_type=$2
    shift 2
    cmake -S "$root_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
    cmake --build "$build_dir" --parallel "$(nproc)"
}

# Starts Xvfb on a free display with a tray host and exports DISPLAY; stopped on exit.
start_virtual_display() {
    local number=90
    while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
        number=$((number + 1))
    done
    Xvfb ":${number}" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    virtual_display_pid=$!
    export DISPLAY=":${number}"
    local tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            echo "Xvfb did not start" >&2
            return 1
        fi
        sleep 0.1
    done
    trayer --edge bottom --align right --widthtype request --height 24 --transparent false \
        --tint 0x303030 --SetDockType true --SetPartialStrut true >/dev/null 2>&1 &
    tray_host_pid=$!
    trap stop_virtual_display EXIT
}

stop_virtual_display() {
    [ -n "${tray_host_pid:-}" ] && kill "$tray_host_pid" 2>/dev/null
    [ -n "${virtual_display_pid:-}" ] && kill "$virtual_display_pid" 2>/dev/null
    wait 2>/dev/null || true
}
