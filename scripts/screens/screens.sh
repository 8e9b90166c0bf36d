# What the screenshot scripts share; sourced, with build (the build folder) and out (where the
# screenshots go) set. screens_prepare builds the screenshot tool named and makes $work, with
# pictures/ and settings/ in it, removed at exit; screens_run runs the tool on its own Xvfb display.
screens_prepare() {
    for tool in Xvfb python3; do
        command -v "$tool" > /dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
    done
    cmake --build "$build" -j2 --target "$1"
    work=$(mktemp -d)
    xvfb=""
    trap '[ -z "$xvfb" ] || kill "$xvfb" 2> /dev/null || true; rm -rf "$work"' EXIT
    mkdir -p "$out" "$work/pictures" "$work/settings"
}

# screens_run DISPLAY-NUMBER TOOL ARGUMENTS...
screens_run() {
    local display=$1
    shift
    Xvfb ":$display" -screen 0 1280x900x24 -nolisten tcp > /dev/null 2>&1 &
    xvfb=$!
    sleep 1
    DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@"
    echo "Screenshots in $out"
}
