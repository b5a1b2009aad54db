# format: sprintf with widths, padding, precision, hex, characters and
# strings, 300000 times. The doubles are multiples of 1/8.
use strict;
use warnings;

my $seed = 13;
my $total = 0;
my $last = "";
for my $r (0 .. 149) {
    for my $i (0 .. 1999) {
        $seed = ($seed * 1103515245 + 12345) % 2147483648;
        my $w = $seed >> 16;
        $last = sprintf("%5d|%-8s|%08.3f|%6.1f|%x|%c|%s", $w, "n" . ($w % 1000), $w / 8.0,
                        ($w % 80) / 8.0, $w * 3, 65 + $w % 26, $i);
        $total += length($last);
    }
}
print "format $total $last\n";
