# Program entry: usage and help, command-line errors, -script and file mode,
# the -source and -scan views, the self-test hand-off and the settings file.

USAGE=$'vornscript 1.0
usage:
vornscript [options] -tests=[testnamefilter]
vornscript [options] -script text
vornscript [options] filename [params]
options:
-source        show source code
-lines         show all breakable lines
-scan          show scanner token list
-parse         show parser tree
-check         check if parser errors occur
-debug         use console debugger
-lang=xx       use language translations (en, de) for translatable text
-profile=xxx   print times and calling counts sorted ascending or descending
               by method +xxx or -xxx
               xxx can be: count,sumbrutto,sumnetto,singlebrutto,singlenetto
'
NOMATCH=$'warning: no matching unit tests found\n'
printf 'var x = 1;\n' >"$WORK/first.vs"
mkdir -p "$WORK/afolder"

# --- usage and help ---
check "no arguments prints the usage" 1 "$USAGE" '' --
for help in -h -he -help -help=yes -? /? /help /h; do
    check "help via $help" 1 "$USAGE" '' -- "$help"
done
check "help wins over a script" 1 "$USAGE" '' -- -h -script 1
check "help=0 does not ask for help" 1 "$USAGE" $'-script requires a script text argument\n' -- -help=0 -script

# --- command-line errors: usage on stdout, the error on stderr ---
check "help with a non-boolean value" 1 "$USAGE" $'error: option needs a value true/false/yes/no/1/0: -help\n' -- -help=maybe
check "abbreviated option reports its full name" 1 "$USAGE" $'error: option needs a value true/false/yes/no/1/0: -debug\n' -- -d=2 x.vs
check "error after a valid option" 1 "$USAGE" $'error: option needs a value true/false/yes/no/1/0: -source\n' -- -debug -sourc= x.vs

# --- -script mode ---
check "-script alone" 1 "$USAGE" $'-script requires a script text argument\n' -- -script
check "-script prints the value" 0 $'3\n' '' -- -script 1+2
check "-source joins the words with blanks" 0 $'source code: console\nvar  a = 1\n1\n' '' -- -source -script 'var ' a = 1
check "-sourc is the shortest source" 0 $'source code: console\n7\n7\n' '' -- -sourc -script 7
check "-sour is an unregistered option" 0 $'1\n' '' -- -sour -script sour
check "-sc is too short for scanner" 0 $'1\n' '' -- -sc -script sc
check "words after -script text are script text" 0 $'4\n' '' -- -script 5 -1
check "unregistered options with values" 0 $'6\n' '' -- -x=5 -y -=3 - -script x+y

# --- -scan view ---
check "-scan lists the tokens instead of running" 0 $'scanner result:\nconsole L1C1 NUMBER 1\nconsole L1C2 +\nconsole L1C3 NUMBER 2\n\n' '' -- -scan -script 1+2
check "-scanner is the full name" 0 $'scanner result:\nconsole L1C1 NUMBER 7\n\n' '' -- -scanner -script 7
check "-source comes before -scan" 0 $'source code: console\n7\nscanner result:\nconsole L1C1 NUMBER 7\n\n' '' -- -scan -source -script 7
check "scanner error ends the run quietly" 0 $'scanner result:\n\n' $'console Line 1 Col 1 invalid syntax: string is not ending before end of line\n' -- -scan -script '"abc'
check "-scan in file mode" 0 $'scanner result:\nfirst.vs L1C1 VARIABLE var\nfirst.vs L1C5 IDENTIFIER x\nfirst.vs L1C7 =\nfirst.vs L1C9 NUMBER 1\nfirst.vs L1C10 ;\n' '' -- -scan first.vs

# --- file mode ---
check "missing file" 1 '' $'error reading from file\nnofile.txt' -- nofile.txt
check "a folder is not a script file" 1 '' $'error reading from file\nafolder' -- afolder
check "options but no file name" 1 "$USAGE" $'missing script filename argument \n' -- -debug -lang=ge
check "file run prints nothing" 0 '' '' -- first.vs
check "-source in file mode" 0 $'source code: first.vs\nvar x = 1;\n\n' '' -- -source first.vs
check "options after the file name are parameters" 0 '' '' -- first.vs -source -debug
check "absolute path is a file, not a / option" 0 $"source code: $WORK/first.vs"$'\nvar x = 1;\n\n' '' -- -source "$WORK/first.vs"

# --- self-test hand-off ---
check "self-tests selected by a name part" 0 $'3 unit tests successful\n' '' -- -tests=padleft first.vs
check "-test is short for -tests" 0 $'3 unit tests successful\n' '' -- -test=padright
check "a filter matching nothing warns" 0 '' "$NOMATCH" -- -tests=nosuchtestname
printf 'unittest_areequal(1+1, 3, "sum");\nunittest_istrue(1, "one");\nprint(unittest_count(), "|", unittest_results());\n' >"$WORK/unitfail.vs"
printf 'unittest_areequal("a", "a", "same");\n' >"$WORK/unitunread.vs"
check "script unit tests report failures" 0 $'2|unit test sum failed:  result=2  correct=3\n' '' -- unitfail.vs
check "unit test results must be read" 1 $'unit test used but results were not checked\n' '' -- unitunread.vs
check "-tes is not -tests" 1 "$USAGE" $'missing script filename argument \n' -- -tes

# --- settings file vornscript.ini, section Settings ---
CASE_SETTINGS=$'[Settings]\nsource=1\n' \
    check "settings switch source on" 0 $'source code: first.vs\nvar x = 1;\n\n' '' -- first.vs
CASE_SETTINGS=$'[Settings]\nsource=1\n' \
    check "command line switches it off" 0 '' '' -- -source=0 first.vs
CASE_SETTINGS=$'; comment\r\n[settings]\r\nSOURCE = yes\r\n' \
    check "sections and keys ignore case" 0 $'source code: first.vs\nvar x = 1;\n\n' '' -- first.vs
CASE_SETTINGS=$'[Other]\nsource=1\n[Settings]\nlogfile=other.log\n' \
    check "other sections are not read" 0 '' '' -- first.vs
CASE_SETTINGS=$'[Settings]\nlogfile=named.log\n' \
    check "settings name the log file" 0 $'to the named log\n' '' -- -script "logmessage('to the named log')"
check_log "the log went to the named file, stamped" 'to the named log' \
    "$(sed -E 's/^\[[A-Z][a-z]{2} [A-Z][a-z]{2} [0-9 ][0-9] [0-9:]{8} [0-9]{4}\] //' "$WORK/named.log" 2>&1)"
CASE_SETTINGS=$'[Settings]\nsourc=1\n' \
    check "keys are full names only" 0 '' '' -- first.vs
CASE_SETTINGS=$'[Settings]\nsource=maybe\n' \
    check "bad settings value" 1 "$USAGE" $'error: option needs a value true/false/yes/no/1/0: -source\n' -- first.vs
CASE_SETTINGS=$'[Settings]\ntests=shortcut\n' \
    check "settings select the self-tests" 0 $'3 unit tests successful\n' '' -- first.vs
CASE_SETTINGS=$'[Settings]\ntests=\n' \
    check "an empty settings value is absent" 0 '' '' -- first.vs
CASE_SETTINGS=$'[Settings]\n?=1\n' \
    check "settings may ask for help" 1 "$USAGE" '' -- first.vs

# The documents folder comes from XDG_DOCUMENTS_DIR, then user-dirs.dirs.
mkdir -p "$WORK/xdghome/.config" "$WORK/xdghome/Papers" "$WORK/elsewhere"
printf '# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR="$HOME/Papers"\n' \
    >"$WORK/xdghome/.config/user-dirs.dirs"
printf '[Settings]\nsource=1\n' >"$WORK/xdghome/Papers/vornscript.ini"
printf '[Settings]\nscanner=1\n' >"$WORK/elsewhere/vornscript.ini"
CASE_HOME=$WORK/xdghome \
    check "documents folder from user-dirs.dirs" 0 $'source code: first.vs\nvar x = 1;\n\n' '' -- first.vs
CASE_HOME=$WORK/xdghome CASE_ENV="XDG_DOCUMENTS_DIR=$WORK/elsewhere" \
    check "documents folder from the environment" 0 $'scanner result:\nfirst.vs L1C1 VARIABLE var\nfirst.vs L1C5 IDENTIFIER x\nfirst.vs L1C7 =\nfirst.vs L1C9 NUMBER 1\nfirst.vs L1C10 ;\n' '' -- first.vs

# --- script run: -check, -parse, options and parameters as variables, exit ---
printf 'var a = 1;\nvar b = ;\n' >"$WORK/syntaxerror.vs"
printf '' >"$WORK/empty.vs"
printf 'println(x, "|", param1, "|", param2);\n' >"$WORK/params.vs"
printf 'var a = 1;\nexit(3);\nprint("after");\n' >"$WORK/exit3.vs"
printf 'var a = 1;\nnothere();\n' >"$WORK/nothere.vs"
printf 'println("out"); printerrorln("err");\n' >"$WORK/streams.vs"
check "-check on a correct script" 0 '' '' -- -check first.vs
check "-check on a syntax error" 1 $'syntaxerror.vs Line 2 Col 9 invalid syntax: unexpected token ;\n' '' -- -check syntaxerror.vs
check "-parse on an empty script" 1 $'parser result:\n<nothing>\n' '' -- -parse empty.vs
check "options and parameters are variables" 0 $'5|params.vs|script\n' '' -- -x=5 params.vs script
check "exit(3) ends quietly with code 3" 3 '' '' -- exit3.vs
check "print and printerror streams" 0 $'out\n' $'err\n' -- streams.vs
check "-script error is printed twice" 0 $'console Line 1 Col 3 division by 0\n<error> console Line 1 Col 3 division by 0\n' '' -- -script "3/0"
check "unknown function is reported before the run" 1 $'nothere.vs Line 2 Col 1 function nothere() not existing\n' '' -- nothere.vs
