# Shared by the scripts: package installation, the checks before a build, the build, and a virtual display.

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

build_packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libx11-dev
                fonts-dejavu-core)
# openbox: the window manager that some X11 tests start on a display of their own.
display_packages=(xvfb xauth trayer imagemagick x11-utils xdotool openbox)
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

# Generates a locale (e.g. de_DE.UTF-8) when the system does not have it yet.
ensure_locale() {
    local name=$1
    local compact
    compact=$(echo "$name" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
    locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | grep -qx "$compact" && return 0
    install_packages locales
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" sed -i "s/^# *\(${name} \)/\1/" /etc/locale.gen
    grep -q "^${name} " /etc/locale.gen || echo "${name} UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen >/dev/null
}

# Fails before a build when a tracked C++ file is not as clang-format (.clang-format) writes it, naming
# the files and the command that formats them, or when scripts/check-layout finds an include off its
# floor. Needs clang-format and python3.
check_sources() {
    local files=() unformatted=() file
    if git -C "$root_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        mapfile -t files < <(git -C "$root_dir" ls-files -- '*.cpp' '*.h')
    else  # a source tree without its history: every C++ file in it
        mapfile -t files < <(cd "$root_dir" && find src tests bench -name '*.cpp' -o -name '*.h' | sort)
    fi
    for file in "${files[@]}"; do
        [ -f "$root_dir/$file" ] || continue
        clang-format --dry-run --Werror "$root_dir/$file" >/dev/null 2>&1 || unformatted+=("$file")
    done
    if [ ${#unformatted[@]} -gt 0 ]; then
        echo "These files are not formatted as .clang-format says:" >&2
        printf '  %s\n' "${unformatted[@]}" >&2
        echo "Format them (in $root_dir) with:" >&2
        echo "  clang-format -i ${unformatted[*]}" >&2
        return 1
    fi
    local layout status=0
    layout=$("$root_dir/scripts/check-layout" 2>&1) || status=$?
    if [ $status -ne 0 ] || [ -n "$layout" ]; then
        echo "scripts/check-layout found includes off their floors (README.md, \"Layout\"):" >&2
        printf '%s\n' "$layout" | sed 's/^/  /' >&2
        return 1
    fi
}

# Line tables are enough for a backtrace or a sanitizer report. Full debug information would copy the
# libraries' types into every test program: 70 MB each, 4 GB for a test build, more than a CI machine
# may have free.
lean_debug_info="-O2 -g1 -DNDEBUG"

# configure_and_build BUILD_DIR BUILD_TYPE [cmake options...]
configure_and_build() {
    local build_dir=$1 build_type=$2
    shift 2
    cmake -S "$root_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$lean_debug_info" "$@" >/dev/null
    cmake --build "$build_dir" --parallel "$(nproc)"
}

# The clang build with AddressSanitizer and UndefinedBehaviorSanitizer that scripts/test --sanitize
# and scripts/fuzz share: the suite runs from it, and its fuzz targets link libFuzzer (the code is
# built with libFuzzer's coverage hooks, which cost the tests little).
sanitize_build_dir=${QUORVANE_SANITIZE_BUILD:-$root_dir/build/sanitize}
configure_sanitized_build() {
    install_packages clang libclang-rt-dev
    local flags="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined"
    flags+=" -fno-omit-frame-pointer"
    cmake -S "$root_dir" -B "$sanitize_build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$lean_debug_info" \
        -DCMAKE_CXX_COMPILER="$(command -v clang++)" -DQUORVANE_TESTS=ON -DQUORVANE_FUZZ=ON \
        -DQUORVANE_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
}

# Sanitizer reports fail the process that makes them. Leaks that system libraries keep for the life
# of the process are theirs (tests/sanitizer/lsan.supp).
export_sanitizer_options() {
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$root_dir/tests/sanitizer/lsan.supp:print_suppressions=0"
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
