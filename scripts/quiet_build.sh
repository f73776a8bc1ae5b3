# Sourced by the scripts that build before they work. quiet_build PRESET configures and builds
# that preset from the repository's top folder; the output is shown only when it fails, which
# then ends the calling script.
quiet_build() {
    local preset=$1 log
    log=$(mktemp)
    if ! (cd "$(dirname "${BASH_SOURCE[0]}")/.." && cmake --preset "$preset" &&
          cmake --build --preset "$preset") >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "$(basename "$0"): the $preset build failed; see above" >&2
        exit 1
    fi
    rm -f "$log"
}
