# Operating-system services from the program: commands run in the
# command-line context, with the command's status and output.

printf 'var out;\nvar status = runprocess("printf one; exit 4", out);\nprint(status, " ", out);\n' >"$WORK/process.vs"
check "runprocess gives status and output" 0 '4 one' '' -- process.vs
check "findapplication without a name" 0 \
    $'console Line 1 Col 1 function findapplication requires argument appname\n<error> console Line 1 Col 1 function findapplication requires argument appname\n' '' \
    -- -script "findapplication('')"
# shellexecute's messages are translated from the "vornprocess" section.
mkdir -p "$WORK/opening"
cp "$HERE/../../translations/vornscript_v1.0_de.translation" "$WORK/opening/"
printf 'shellexecute("missing.txt");\n' >"$WORK/opening/open.vs"
check "German shellexecute message" 1 \
    $'opening/open.vs Line 1 Col 1 Die Datei wurde nicht gefunden: missing.txt\n' '' -- -lang=de opening/open.vs
