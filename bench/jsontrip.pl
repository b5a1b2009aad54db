# jsontrip: round trips through JSON::PP (the JSON module of the Perl core
# distribution). Each round builds a document of 10 records (numbers, texts,
# an array and a nested hash), writes it, reads it back, writes and reads
# the result again, and sums the values it finds in the second copy.
use strict;
use warnings;
use JSON::PP;

my $codec = JSON::PP->new;
my $seed = 9;
my $total = 0;
my $chars = 0;
for my $r (0 .. 3999) {
    my @items;
    for my $i (0 .. 9) {
        $seed = ($seed * 1103515245 + 12345) % 2147483648;
        my $w = $seed >> 16;
        push @items, { id => $r * 10 + $i, name => "item" . ($w % 500), score => $w % 1000,
                       tags => ["x" . ($w % 7), "y" . ($w % 11)],
                       pos => { x => $w % 100, y => ($w >> 7) % 100 } };
    }
    my $doc = { round => $r, items => \@items };
    my $again = $codec->decode($codec->encode($codec->decode($codec->encode($doc))));
    for my $item (@{ $again->{items} }) {
        $total += $item->{id} + $item->{score} + $item->{pos}{x} * $item->{pos}{y};
        $chars += length($item->{name}) + length($item->{tags}[0]) + length($item->{tags}[1]);
    }
    $total += $again->{round};
}
print "jsontrip $total $chars\n";
