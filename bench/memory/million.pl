# memory: one million small numbers (0 to 999) held in one array.
use strict;
use warnings;

my @v;
for my $i (0 .. 999) {
    push @v, $_ for 0 .. 999;
}
print "million ", scalar(@v), "\n";
