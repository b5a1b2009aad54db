# doubles: floating arithmetic, sqrt and comparisons on 500000 points.
use strict;
use warnings;

my $seed = 42;
my $inside = 0;
my $acc = 0.0;
for my $i (0 .. 99) {
    for my $j (0 .. 4999) {
        $seed = ($seed * 1103515245 + 12345) % 2147483648;
        my $x = (($seed >> 16) % 2000) * 0.001 - 1.0;
        $seed = ($seed * 1103515245 + 12345) % 2147483648;
        my $y = (($seed >> 16) % 2000) * 0.001 - 1.0;
        my $r2 = $x * $x + $y * $y;
        $inside++ if $r2 < 1.0000005;
        $acc += sqrt($r2 + 1.0) * 0.5 - $x * $y;
    }
}
printf "doubles %d %.2f\n", $inside, $acc;
