# The script run: the value of -script texts, errors and exit codes in both
# modes, the -parse and -check views, and nesting far beyond the limits.

check "-script prints the value of the last statement" 0 $'23\n' '' -- -script '3+4*5'
DIVERR='console Line 1 Col 3 division by 0'
check "-script error prints the text twice, exit 0" 0 "$DIVERR"$'\n<error> '"$DIVERR"$'\n' '' -- -script '3/0'
printf 'var x = 1;\nx / 0;\n' >"$WORK/fails.vs"
check "file error prints the full text, exit 1" 1 $'fails.vs Line 2 Col 5 division by 0\n' '' -- fails.vs
# exit leaves loops inside functions at once; the run still ends quietly.
printf 'function f() {\n  for (var i = 0; ; i++) { foreach (var x in [1]) { if (i == 2) exit(7); } }\n}\nf();\nprintln("after");\n' >"$WORK/exitinloop.vs"
check "exit inside loops of a function ends quietly with its code" 7 '' '' -- exitinloop.vs
printf 'var x = ;\n' >"$WORK/syntax.vs"
check "syntax error in file mode" 1 $'syntax.vs Line 1 Col 9 invalid syntax: unexpected token ;\n' '' -- syntax.vs

check "-parse prints the tree instead of running" 0 \
    $'parser result:\nSTATEMENTS{\n  BINARY +\n    LEFT:\n      CONSTVALUE 1\n    RIGHT:\n      CONSTVALUE 2\n}\n\n' '' -- -parse -script 1+2
printf '// only a comment\n' >"$WORK/empty.vs"
check "-parse of a script without tokens" 1 $'parser result:\n<nothing>\n' '' -- -parse empty.vs
check "an empty script is an error in file mode" 1 '' '' -- empty.vs
printf 'var a = 1;\na * 2;\n' >"$WORK/good.vs"
check "-check of a good script prints nothing" 0 '' '' -- -check good.vs
check "-check of a syntax error" 1 $'syntax.vs Line 1 Col 9 invalid syntax: unexpected token ;\n' '' -- -check syntax.vs

check "options are variables" 0 $'5\n' '' -- -x=5 -script x
check "the script text is param1 in -script mode" 0 $'param1\n' '' -- -script param1

# Nesting far beyond the limits fails with an error, never with a crash.
python3 -c "print('(' * 100000)" >"$WORK/parens.vs"
check "100000 opening parentheses" 1 $'parens.vs Line 1 Col 1000 invalid syntax: nesting too deep\n' '' -- parens.vs
python3 -c "print('{' * 100000)" >"$WORK/blocks.vs"
check "100000 nested blocks" 1 $'blocks.vs Line 1 Col 1001 invalid syntax: nesting too deep\n' '' -- blocks.vs
python3 -c "print('var x = 1; ' + 'x = -' * 100000 + '1')" >"$WORK/prefixes.vs"
check "100000 chained assignments" 1 $'prefixes.vs Line 1 Col 5002 invalid syntax: nesting too deep\n' '' -- prefixes.vs

# The deepest nesting the limits allow needs more native stack than a small
# stack limit gives: the program raises a soft limit, and runs on a thread
# of its own when the hard limit is small too.
python3 -c "print('function f(n) { if (n <= 0) return 0; return ' + '1+(' * 40 + 'f(n-1)' + ')' * 40 + '; } f(99);')" >"$WORK/deep.vs"
python3 -c "print('println(' + '(' * 990 + '1' + ')' * 990 + ');')" >"$WORK/deepparens.vs"
for limit in "-S -s 256" "-s 256"; do
    printf '#!/usr/bin/env bash\nulimit %s\nexec "%s" "$@"\n' "$limit" "$VORNSCRIPT" >"$WORK/limited"
    chmod +x "$WORK/limited"
    saved=$VORNSCRIPT
    VORNSCRIPT=$WORK/limited
    check "deep calls under ulimit $limit" 1 $'deep.vs Line 1 Col 130 evaluation nested too deeply\n' '' -- deep.vs
    check "deep parentheses under ulimit $limit" 0 $'1\n' '' -- deepparens.vs
    VORNSCRIPT=$saved
done

# printf and printerrorf format like sprintf onto the two streams.
check "printf writes to standard output" 0 $'003F 02a1\n' '' -- -script "printf('%04X %03x', 63, 0x2A)"
check "printerrorf writes to standard error" 0 $'1\n' $'7-x' -- -script "printerrorf('%d-%s', 7, 'x')"
check "printf with an undefined format" 0 $'console Line 1 Col 1 printf requires format parameter as first argument\n<error> console Line 1 Col 1 printf requires format parameter as first argument\n' '' -- -script "printf(null)"
