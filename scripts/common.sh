# Shared by the scripts in this folder; sourced, never run. Each script sets
# `root` (the top of the source tree) before it sources this file.
# shellcheck shell=bash

# A stage that cannot run here ends with this status, after one line
# "skipped: REASON" (scripts/test reads both).
readonly skipped_status=77

skip() {
    echo "skipped: $*"
    exit "$skipped_status"
}

# True when this process may act as root: it is root, or sudo lets it
# without asking (the test command asks once, up front, and keeps the
# permission fresh while it runs).
may_be_root() {
    [ "$(id -u)" -eq 0 ] || sudo -n true 2>/dev/null
}

# Runs a command as root: directly as root, otherwise through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo -n "$@"
    fi
}

# For a script that needs root throughout: unless root already, runs the
# script again through sudo, keeping the variables named (so the same
# print server, cache or build is meant); without sudo it skips, saying
# what needed root.
become_root() {
    local why=$1 script=$2
    shift 2
    [ "$(id -u)" -eq 0 ] && return 0
    may_be_root || skip "$why needs root, and $(id -un) may not use sudo here"
    exec sudo -n --preserve-env=GAUGESTAR_PRINTER_ROOT,GAUGESTAR_CHROOT_CACHE,GAUGESTAR_TREE_OWNER \
        GAUGESTAR_TREE_OWNER="${GAUGESTAR_TREE_OWNER:-$(id -u):$(id -g)}" "$script" "$@"
}

# What root wrote into the working tree goes back to whoever ran the
# script through sudo (or owns the tree), so that the next run, or a plain
# `rm -rf`, needs no root.
give_back() {
    local owner=${GAUGESTAR_TREE_OWNER:-$(stat -c %u:%g "$root")}
    [ "$(id -u)" -eq 0 ] && [ "$owner" != 0:0 ] || return 0
    local path
    for path in "$@"; do
        [ -e "$path" ] && chown -R "$owner" "$path"
    done
    return 0
}

# The Debian packages of the list that are not installed.
missing_packages() {
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            echo "$package"
        fi
    done
}

# Installs the packages of the list that are missing, as root or through
# sudo (which may ask for a password here). Waits for another installer
# that holds the package system rather than failing.
#   install_packages [--no-recommends] PACKAGE...
install_packages() {
    local options=()
    if [ "${1:-}" = --no-recommends ]; then
        options=(--no-install-recommends)
        shift
    fi
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ "${#missing[@]}" -gt 0 ] || return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 update -qq &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 \
            install -y -qq "${options[@]}" "${missing[@]}"
}

# Writes the native build's same_numbers output to FILE, configuring and
# building NATIVE_BUILD_DIR first where needed: the side every other
# machine's numbers are compared with.
native_same_numbers() {
    local native_build=$1 file=$2
    if [ ! -f "$native_build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$native_build" -G Ninja >/dev/null || return 1
    fi
    cmake --build "$native_build" --target same_numbers &&
        timeout 600 "$native_build/tests/same_numbers/same_numbers" >"$file"
}

# The print server of this clone (scripts/cups-printer), named after the
# tree's path: two clones' runs on one machine, or in one chroot, never
# stop each other's printer.
clone_printer_root() {
    echo "/run/gaugestar-cups-$(printf '%s' "$root" | sha256sum | cut -c1-12)"
}

# What a package build's tests leave out (debian/rules runs those labelled
# headless), in the package's BUILD_DIR: every other test but lint, whose
# analyzers run on their own: the rounds on a display, the screen reader's
# bus, the printer, the install checks.
rest_of_suite() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j2 \
        --label-exclude 'headless|lint')
}
