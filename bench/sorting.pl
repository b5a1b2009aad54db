# sorting: sort of 20000 numbers, and a sort of 4000 numbers with a script
# compare function (by value modulo 1000, ties by value).
use strict;
use warnings;

sub bymod {
    my ($x, $y) = @_;
    my $mx = $x % 1000;
    my $my = $y % 1000;
    return $mx <=> $my if $mx != $my;
    return $x <=> $y;
}

# Order-dependent checksum of a sorted array.
sub digest {
    my ($v, $h) = @_;
    $h = ($h * 31 + $_) % 1000000007 for @$v;
    return $h;
}

my $seed = 3;
my @numbers;
for my $i (0 .. 1) {
    for my $j (0 .. 9999) {
        $seed = ($seed * 1103515245 + 12345) % 2147483648;
        push @numbers, ($seed >> 4) % 1000000;
    }
}
my @few;
push @few, $numbers[$_ * 5] for 0 .. 3999;
my $h = 0;
for my $r (0 .. 11) {
    $h = digest([sort { $a <=> $b } @numbers], $h);
    $h = digest([sort { bymod($a, $b) } @few], $h);
}
print "sorting $h\n";
