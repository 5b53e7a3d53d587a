# Shared by the scripts in this folder; sourced, never run. Each script sets
# `root` (the top of the source tree) before it sources this file. What the
# scripts are for, and their stages: HACKING.md, "The two tiers".
# shellcheck shell=bash

# A stage that cannot run here ends with this status, after one line
# "skipped: REASON" (scripts/test reads both).
readonly skipped_status=77
skip() { echo "skipped: $*"; exit "$skipped_status"; }

# Root, or sudo without asking (the test command asks once, up front, and
# keeps the permission fresh while it runs).
may_be_root() { [ "$(id -u)" -eq 0 ] || sudo -n true 2>/dev/null; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi; }

# Runs a script that needs root throughout again through sudo, keeping the
# variables that say which print server and tree are meant.
become_root() {
    local why=$1 script=$2
    shift 2
    [ "$(id -u)" -eq 0 ] && return 0
    may_be_root || skip "$why needs root, and $(id -un) may not use sudo here"
    exec sudo -n --preserve-env=GAUGESTAR_PRINTER_ROOT,GAUGESTAR_TREE_OWNER \
        GAUGESTAR_TREE_OWNER="${GAUGESTAR_TREE_OWNER:-$(id -u):$(id -g)}" "$script" "$@"
}

# What root wrote goes back to whoever ran the script through sudo (or owns
# the tree), whether the script runs as root or only called root through
# sudo: the next run, or a plain `rm -rf`, needs no root.
give_back() {
    local owner=${GAUGESTAR_TREE_OWNER:-$(stat -c %u:%g "$root")} path
    if [ "$(id -u)" -ne 0 ]; then
        owner="$(id -u):$(id -g)"
        may_be_root || return 0
    fi
    [ "$owner" != 0:0 ] || return 0
    for path in "$@"; do
        if [ -e "$path" ]; then
            as_root chown -R "$owner" "$path"
        fi
    done
    return 0
}

missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || echo "$package"
    done
}

# Skips, naming PREFIX and the missing packages, when they can't be installed.
installing_needs_root() {
    [ -z "$(missing_packages "${@:2}")" ] || may_be_root ||
        skip "$1$(missing_packages "${@:2}" | xargs) missing, and installing needs root"
}

# Installs the missing packages, through sudo (which may ask for a password)
# unless root, waiting for another installer rather than failing.
install_packages() {
    local options=() missing apt=(env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900)
    if [ "${1:-}" = --no-recommends ]; then
        options=(--no-install-recommends)
        shift
    fi
    mapfile -t missing < <(missing_packages "$@")
    [ "${#missing[@]}" -gt 0 ] || return 0
    if [ "$(id -u)" -ne 0 ]; then
        apt=(sudo "${apt[@]}")
    fi
    echo "Installing: ${missing[*]}"
    "${apt[@]}" update -qq && "${apt[@]}" install -y -qq "${options[@]}" "${missing[@]}"
}

# --- Builds: CMakePresets.json names each one and its folder ---

# The build folder of the configure preset NAME, as CMakePresets.json names
# it (cmake/preset_dir.cmake reads it there).
#   preset_dir NAME
preset_dir() {
    cmake -DPRESET="$1" -P "$root/cmake/preset_dir.cmake"
}

# Configures and builds the preset NAME; with "test", runs its tests too.
# Any further arguments go to the configure (cache variables, -DNAME=VALUE).
#   build_preset NAME [test] [-DNAME=VALUE...]
build_preset() {
    local preset=$1 with_tests=no
    shift
    if [ "${1:-}" = test ]; then
        with_tests=yes
        shift
    fi
    (
        cd "$root" || exit 1
        cmake --preset "$preset" "$@" >/dev/null || exit 1
        cmake --build --preset "$preset" || exit 1
        if [ "$with_tests" = yes ]; then
            ctest --preset "$preset"
        fi
    )
}

# The native digits, same_numbers of the Qt-free build, written to FILE:
# what every other side is compared with.
#   native_same_numbers FILE
native_same_numbers() {
    local dir
    dir=$(preset_dir qt-free) || return 1
    (
        cd "$root" &&
            cmake --preset qt-free >/dev/null &&
            cmake --build --preset qt-free --target same_numbers >/dev/null
    ) || return 1
    timeout 600 "$dir/tests/same_numbers/same_numbers" >"$1"
}

# Two runs of same_numbers must print the same bytes.
#   same_numbers_identical FIRST SECOND LABEL   (LABEL: "GCC and Clang")
same_numbers_identical() {
    local first=$1 second=$2 label=$3 output calls
    for output in "$first" "$second"; do
        [ -s "$output" ] || { echo "same numbers, $label: $output is missing or empty"; return 1; }
    done
    if ! cmp "$first" "$second"; then
        echo "same numbers, $label: they differ; the first differing lines:"
        diff "$first" "$second" | head -20
        return 1
    fi
    calls=$(grep -c ' tank ' "$first")
    echo "same numbers, $label: $calls TankVolume and $calls NetVolume calls, identical to the byte" \
        "($(wc -c <"$first") bytes)"
}

# The stable releases the project builds packages of its own for, by
# codename (as apt, the chroots and the matrix name them), with the number
# that names their packages. Such a package is upstream's build, never an
# upload to Debian, and is named so: its version ends in ~~gaugestarN, which
# sorts below every version Debian itself could give the same Debian
# revision ("~" sorts before anything, the end included, so
# X.Y.Z-1~~gaugestar13 < X.Y.Z-1~bpo13+1 < X.Y.Z-1~deb13u1 < X.Y.Z-1), and
# its distribution, gaugestar-trixie, is one that no Debian archive takes:
# uploaded by mistake, it is refused rather than routed to a stable release.
declare -A stable_release_number=([bookworm]=12 [trixie]=13)

# The number of the stable release CODENAME; fails for any other.
release_number() {
    local codename=$1
    if [ -z "${stable_release_number[$codename]:-}" ]; then
        echo "no stable Debian release $codename" >&2
        return 1
    fi
    echo "${stable_release_number[$codename]}"
}

# The package's version on RELEASE: VERSION itself on unstable (or with no
# release given), VERSION~~gaugestarN on a stable release.
#   release_version VERSION [RELEASE]
release_version() {
    local version=$1 release=${2:-unstable} number
    if [ "$release" = unstable ]; then
        echo "$version"
        return 0
    fi
    number=$(release_number "$release") || return 1
    echo "$version~~gaugestar$number"
}

# The distribution of the project's own package for a stable RELEASE.
release_distribution() {
    release_number "$1" >/dev/null || return 1
    echo "gaugestar-$1"
}

# lintian's tags let through in every lintian run of RELEASE's package
# (empty or unstable: the unstable one): an initial upload closes the bug
# that asked for the package, and none can be filed from here. A stable
# release's package also has a distribution of the project's own, which
# lintian rightly does not know, and that release's lintian knows only the
# policy of its day, older than the Standards-Version.
lintian_let_through() {
    local tags=initial-upload-closes-no-bugs
    [ "${1:-unstable}" = unstable ] || tags+=,bad-distribution-in-changes-file,newer-standards-version
    echo "$tags"
}

# blhc: every compile and link in a package's build LOG had Debian's
# hardening flags, all of them (the package asks for hardening=+all). PIE
# is Debian's compilers' default, never on their command lines. Passed by:
# the preprocessor alone, which CMake runs for moc's predefined macros and
# which compiles nothing.
hardening_flags_reached() {
    blhc --debian --all --ignore-line '.* -dM -E (-c )?\S*/CMakeCXXCompilerABI\.cpp .*' "$1" &&
        echo "blhc: every hardening flag in every compile and link"
}

# --- The source as git has it ---

# The project's version, as its CMakeLists.txt sets it.
project_version() {
    sed -n '/^project(/,/)/s/^ *VERSION \([0-9][0-9.]*\).*/\1/p' "$root/CMakeLists.txt" | head -1
}

# The commit of the tree as it stands: HEAD when the working tree is clean,
# else a commit, made for the moment, of what git tracks and the new files
# it does not ignore, dated as HEAD so that the same files give the same
# commit. Nothing but git's own objects is written.
tree_commit() {
    local head index tree date
    head=$(git -C "$root" rev-parse --verify 'HEAD^{commit}') || return 1
    index=$(mktemp -d) || return 1
    tree=$(export GIT_INDEX_FILE=$index/index && git -C "$root" read-tree HEAD &&
        git -C "$root" add --all && git -C "$root" write-tree)
    rm -rf "$index"
    [ -n "$tree" ] || return 1
    if [ "$tree" = "$(git -C "$root" rev-parse 'HEAD^{tree}')" ]; then
        echo "$head"
        return 0
    fi
    date=$(git -C "$root" log -1 --format=%cd --date=raw)
    GIT_AUTHOR_NAME="working tree" GIT_AUTHOR_EMAIL=nobody@localhost GIT_AUTHOR_DATE="$date" \
        GIT_COMMITTER_NAME="working tree" GIT_COMMITTER_EMAIL=nobody@localhost GIT_COMMITTER_DATE="$date" \
        git -C "$root" commit-tree "$tree" -p "$head" -m "The working tree on $head"
}

# The upstream tarball of COMMIT (without debian/), as VERSION, into FILE:
# git's own archive, so the same commit gives the same bytes, its files
# owned by root and dated by the commit, which it names in its header.
#   upstream_tarball COMMIT VERSION FILE
upstream_tarball() {
    mkdir -p "$(dirname "$3")" &&
        git -C "$root" archive --format=tar --prefix="gaugestar-$2/" "$1" -- . ':(exclude)debian' |
        xz -6 -T1 >"$3.part" && mv "$3.part" "$3"
}

# --- The Debian archives this machine's apt uses ---

# The URI of the archive whose suite on this machine ends in SUFFIX (empty:
# the release's own, -security: the security archive), from apt's own
# reading of its sources: a mirror is never written into a script.
apt_archive() {
    local codename
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    # shellcheck disable=SC2016 # apt's own placeholders
    apt-get indextargets --no-release-info --format '$(RELEASE) $(REPO_URI)' |
        awk -v suite="$codename$1" '$1 == suite { print $2; exit }' | sed 's,/$,,'
}

# --- The stages of scripts/test and scripts/matrix: passed, FAILED, or
# SKIPPED (status 77, the reason in its log, kept in build-logs/) ---
summary=()
declare -A counts=([passed]=0 [FAILED]=0 [SKIPPED]=0) background_pid background_begin

record() {
    local name=$1 status=$2 seconds=$3 log=$4 verdict=FAILED reason=""
    [ "$status" -ne 0 ] || verdict=passed
    if [ "$status" -eq "$skipped_status" ]; then
        reason=$(sed -n 's/^skipped: //p' "$log" | tail -1)
        verdict=SKIPPED reason=": ${reason:-no reason given}"
    fi
    counts[$verdict]=$((counts[$verdict] + 1))
    summary+=("$(printf '%-8s %s (%s s)%s' "$verdict" "$name" "$seconds" "$reason")")
}

log_of() {
    local name=${1,,}
    local logs=$root/build-logs
    mkdir -p "$logs"
    echo "$logs/${name//[^a-z0-9]/-}.log"
}

stage() {
    local name=$1 begin=$SECONDS log
    shift
    log=$(log_of "$name")
    printf '\n=== %s ===\n' "$name"
    "$@" 2>&1 | tee "$log"
    record "$name" "${PIPESTATUS[0]}" $((SECONDS - begin)) "$log"
}

# Its time counts until it ends: SECONDS goes on counting in the subshell,
# which notes when it ended. finish_background NAME shows its output.
background() {
    local name=$1 log
    shift
    log=$(log_of "$name")
    background_begin[$name]=$SECONDS
    (
        "$@" >"$log" 2>&1
        status=$?
        echo "$SECONDS" >"$log.ended"
        exit "$status"
    ) &
    background_pid[$name]=$!
    printf '\n=== %s: started in the background ===\n' "$name"
}

finish_background() {
    local name=$1 status log ended
    log=$(log_of "$name")
    wait "${background_pid[$name]}"
    status=$?
    printf '\n=== %s (ran in the background; the end of %s) ===\n' "$name" "$log"
    tail -60 "$log"
    ended=$(cat "$log.ended" 2>/dev/null || echo "$SECONDS")
    record "$name" "$status" $((ended - background_begin[$name])) "$log"
}

# A build beside the stages in front takes whatever core they leave idle.
at_lowest_priority() { renice -n 19 -p "$BASHPID" >/dev/null; "$@"; }

# The summary, then the exit status: 0 when every stage passed, 1 when any
# failed, 2 when none failed but some were skipped (the run is incomplete).
summarize() {
    printf '\n=== summary (%s s) ===\n' $((SECONDS - $1))
    printf '%s\n' "${summary[@]}"
    printf '\n%s passed, %s failed, %s skipped\n' "${counts[passed]}" "${counts[FAILED]}" "${counts[SKIPPED]}"
    [ "${counts[FAILED]}" -eq 0 ] || return 1
    if [ "${counts[SKIPPED]}" -ne 0 ]; then
        echo "INCOMPLETE: the skipped stages did not run, so this run proves nothing about them"
        return 2
    fi
}
