# structures: an array of 5000 hashes, field reads, counting into a hash
# under computed keys, and a histogram array updated by index.
use strict;
use warnings;

my $seed = 11;
my @recs;
for my $i (0 .. 4999) {
    $seed = ($seed * 1103515245 + 12345) % 2147483648;
    my $w = $seed >> 16;
    push @recs, { id => $i, val => $w % 1000, tag => "t" . ($w % 37) };
}
my @hist;
push @hist, 0 for 0 .. 63;
my %counts;
for my $r (0 .. 119) {
    for my $i (0 .. 4999) {
        my $idx = ($i * 7 + $r * 13) % 5000;
        my $key = $recs[$idx]{tag} . "_" . ($r % 4);
        $counts{$key} = 0 unless exists $counts{$key};
        $counts{$key} += $recs[$idx]{val};
        $hist[$recs[$idx]{val} % 64] += 1;
    }
}
my $total = 0;
$total += $counts{$_} * length($_) for keys %counts;
my $hsum = 0;
$hsum += $hist[$_] * ($_ + 1) for 0 .. 63;
print "structures ", scalar(keys %counts), " $total $hsum\n";
