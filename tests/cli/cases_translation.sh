# Messages in another language: translation files beside the script, chosen
# with -lang ("ge" is taken as "de"); English stays the default.
mkdir -p "$WORK/german" "$WORK/foreign"
cp "$HERE/../../translations/vornscript_v1.0_de.translation" "$WORK/german/"
printf '3/0;\n' >"$WORK/german/divide.vs"
check "German message with -lang=de" 1 $'german/divide.vs Line 1 Col 3 Division durch 0\n' '' -- -lang=de german/divide.vs
check "ge means de" 1 $'german/divide.vs Line 1 Col 3 Division durch 0\n' '' -- -lang=ge german/divide.vs
check "English stays the default" 1 $'german/divide.vs Line 1 Col 3 division by 0\n' '' -- german/divide.vs
# A file that declares another version is not loaded.
sed 's/^version = .*/version = 9.9/' "$HERE/../../translations/vornscript_v1.0_de.translation" \
    >"$WORK/foreign/vornscript_v1.0_de.translation"
printf '3/0;\n' >"$WORK/foreign/divide.vs"
check "a file of another version is ignored" 1 $'foreign/divide.vs Line 1 Col 3 division by 0\n' '' -- -lang=de foreign/divide.vs
