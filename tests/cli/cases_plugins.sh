# Plug-in libraries: found in the program's folder, in the -libpath folders
# (from the command line or the settings file) and beside the script file;
# the self-tests' library group runs with the test plug-in present and is
# skipped without it.
PLUGIN="$(dirname "$VORNSCRIPT")/vornscripttestlibrary.so"
mkdir -p "$WORK/libs" "$WORK/scripts"
cp "$PLUGIN" "$WORK/libs/renamed.so"
cp "$PLUGIN" "$WORK/scripts/besidescript.so"

check "a plug-in in the program's folder" 0 $'24\n' '' -- \
    -script "uselibrary('vornscripttestlibrary'); multiply(2,3,4)"
check "-libpath folders are searched in order" 0 $'my lib value\n' '' -- \
    "-libpath=$WORK/none;$WORK/libs" -script "uselibrary('renamed'); MYLIBCONSTANT"
CASE_SETTINGS=$'[Settings]\nlibpath='"$WORK/libs"$'\n' \
    check "libpath from the settings file" 0 $'1\n' '' -- -script "uselibrary('renamed')"
check "a library is not found without its folder" 0 \
    $'console Line 1 Col 1 library not found: renamed\n<error> console Line 1 Col 1 library not found: renamed\n' '' -- \
    -script "uselibrary('renamed')"
printf "uselibrary('besidescript'); println(sum(1,2));\n" >"$WORK/scripts/uses.vs"
check "a plug-in beside the script file" 0 $'3\n' '' -- scripts/uses.vs
check "the library group of the self-tests" 0 $'28 unit tests successful\n' '' -- -tests=library
mkdir -p "$WORK/alone"
cp "$VORNSCRIPT" "$WORK/alone/vornscript"
saved=$VORNSCRIPT
VORNSCRIPT="$WORK/alone/vornscript"
check "without the test plug-in the library group is skipped" 0 $'879 unit tests successful\n' '' -- -tests
VORNSCRIPT=$saved
