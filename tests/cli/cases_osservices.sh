# Operating-system services from the program: commands run in the
# command-line context, with the command's status and output.

printf 'var out;\nvar status = runprocess("printf one; exit 4", out);\nprint(status, " ", out);\n' >"$WORK/process.vs"
check "runprocess gives status and output" 0 '4 one' '' -- process.vs
check "findapplication without a name" 0 \
    $'console Line 1 Col 1 function findapplication requires argument appname\n<error> console Line 1 Col 1 function findapplication requires argument appname\n' '' \
    -- -script "findapplication('')"
