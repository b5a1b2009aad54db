# loops: nested integer loops with arithmetic and bit operations.
use strict;
use warnings;

my $s = 0;
my $t = 1;
for my $i (0 .. 299) {
    for my $j (0 .. 9999) {
        $s = ($s + (($i * $j) ^ ($j << 3)) + ($i | $j)) & 16777215;
        $t = ($t * 31 + ($s >> 4)) % 1000003;
    }
}
print "loops $s $t\n";
