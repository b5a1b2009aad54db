# The program starts and answers.
check "no arguments prints a banner" 1 $'vornscript 1.0\n' '' --
