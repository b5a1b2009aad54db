# The console debugger fed on standard input, the -lines listing, and the
# profile summary that -profile writes to the log file.

printf 'function twice(v) {\n  var r = v * 2;\n  return r;\n}\nvar a = twice(3);\na = a + 1;\nprint(a);\n' >"$WORK/calls.vs"

check "-lines lists every breakable statement" 0 \
    $'breakable lines:\ncalls.vs L002C003 var r = v * 2\ncalls.vs L003C003 return r\ncalls.vs L005C001 var a = twice(3)\ncalls.vs L005C009 twice(3)\ncalls.vs L006C001 a = a + 1\ncalls.vs L007C001 print(a)\n' \
    '' -- -lines calls.vs

check "-debug session: step, print, breakpoint, continue" 0 \
    $'at calls.vs L005C001 var a = twice(3)\n>> at calls.vs L005C009 twice(3)\n>> at calls.vs L002C003 var r = v * 2\n>> 3\n>> >> at calls.vs L003C003 return r\n>> at calls.vs L006C001 a = a + 1\n>> 6\n>> at calls.vs L007C001 print(a)\n>> 7' \
    '' -- -debug calls.vs <<<$'s\ns\np v\nb 7\nN\nN\np a\nc\nc'

check "-debug quit aborts with exit code 1" 1 \
    $'at calls.vs L005C001 var a = twice(3)\n>> exception occured:\ncalls.vs Line 5 Col 1 aborted by user\ncalls.vs Line 5 Col 1 aborted by user\n' \
    '' -- -debug calls.vs <<<'quit'

check "-debug with -script" 0 \
    $'at console L001C001 1+2\n>> invalid command\n>> 3\n' '' -- -debug -script '1+2' <<<$'go\nc'

rm -f "$WORK/vornscript.log"
printf 'var s = 0;\nfor (var i = 0; i < 300; i++) {\n  s += i;\n}\nvar t = 1 +\n  2;\n' >"$WORK/loop.vs"
check "-profile=count names the log file on standard error" 0 '' \
    $'profile summary written to log file vornscript.log\n' -- -profile=count loop.vs
log=$(cat "$WORK/vornscript.log")
check_log "-profile=count heads the summary with the file name" "filename: loop.vs" "$(head -n 1 <<<"$log")"
check_log "-profile=count writes at most 100 records" "calls;301" \
    "$(sed -n 2p <<<"$log" | cut -d';' -f1-2)"
counts=$(tail -n +2 <<<"$log" | cut -d';' -f2)
check_log "-profile=count sorts by count descending" "$(sort -rn <<<"$counts")" "$counts"
check_log "-profile: sumnetto never negative" "" "$(grep 'sumnetto=-' <<<"$log")"
check_log "-profile: statements on several lines are written on one" \
    'calls;1;pos;;loop.vs Line 5 Col 1;source;var t = 1 +   2' \
    "$(grep 'Line 5 Col 1;' <<<"$log" | sed 's/;sumbrutto=.*;pos;/;pos;/')"

rm -f "$WORK/vornscript.log"
check "-profile=+count on a -script text" 0 $'3\n' \
    $'profile summary written to log file vornscript.log\n' -- -profile=+count -script '1+2'
log=$(cat "$WORK/vornscript.log")
check_log "-profile=+count heads the summary with the script text" "script: 1+2" "$(head -n 1 <<<"$log")"
counts=$(tail -n +2 <<<"$log" | cut -d';' -f2)
check_log "-profile=+count sorts by count ascending" "$(sort -n <<<"$counts")" "$counts"
rm -f "$WORK/vornscript.log"
