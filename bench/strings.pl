# strings: building texts and taking them apart with join, s///, split,
# index and substr; a second text grows by concatenation and is cut back.
use strict;
use warnings;

my @words = qw(alpha beta gamma delta epsilon zeta eta theta);
my $seed = 7;
my $total = 0;
my $acc = "";
for my $r (0 .. 39) {
    for my $n (0 .. 999) {
        my @parts;
        for my $k (0 .. 11) {
            $seed = ($seed * 1103515245 + 12345) % 2147483648;
            my $w = $seed >> 16;
            push @parts, $words[$w % 8] . ($w % 100);
        }
        my $line = join(",", @parts);
        (my $upper = $line) =~ s/a/A/g;
        my @fields = split(/,/, $upper, -1);
        $total += scalar(@fields) + index($upper, "gAmmA") + index($line, "zeta9");
        my $piece = substr($upper, ($seed >> 8) % 20, 6);
        $total += length($piece) + index($piece, "A");
        $acc .= substr($fields[($seed >> 12) % 12], 0, 3);
        $acc = substr($acc, 1000) if length($acc) > 2000;
    }
}
print "strings $total ", length($acc), " ", substr($acc, 0, 24), "\n";
