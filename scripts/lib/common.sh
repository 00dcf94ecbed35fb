# Shared by the scripts: where things live, and a log line.
# Everything built outside the repo goes below VELO_CACHE, keyed by versions.
VELO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# HOME may be missing in a bare CI environment; root's is the fallback.
VELO_CACHE="${VELO_CACHE:-${HOME:-/root}/.cache/velo2duro}"
VELO_WIN32_DEPS="$VELO_CACHE/i686"
# Two prefixes: the tests' one runs on its own Wine desktop (see make-wine-prefix), the one
# the program is run in for a person shows its windows on the real screen.
VELO_TEST_PREFIX="$VELO_CACHE/wineprefix"
VELO_RUN_PREFIX="$VELO_CACHE/wineprefix-run"
# The end-to-end scenario with real input runs as a person does, without the Wine desktop,
# in a prefix of its own.
VELO_REAL_INPUT_PREFIX="${VELO_REAL_INPUT_PREFIX:-$VELO_CACHE/wineprefix-real-input}"
export WINEPREFIX="${WINEPREFIX:-$VELO_TEST_PREFIX}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono and no Gecko: the program needs neither, and their installers want the network.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

log() { printf '\033[1m[velo2duro]\033[0m %s\n' "$*" >&2; }

# The build directories of the two presets (kept in step with CMakePresets.json).
VELO_BUILD_NATIVE="$VELO_ROOT/build/native"
VELO_BUILD_WIN32="$VELO_ROOT/build/win32"
