# regex: regular expressions over 4000 generated lines, 60 passes: an
# anchored match with four groups, an unanchored search, and a global
# substitution.
use strict;
use warnings;

my @names = qw(alpha beta gamma delta);
my $seed = 5;
my @lines;
for my $i (0 .. 3999) {
    $seed = ($seed * 1103515245 + 12345) % 2147483648;
    my $w = $seed >> 16;
    my $line = $names[$w % 4] . ($w % 1000) . "=" . $names[($w >> 3) % 4] . ";" . ($w % 97);
    $line .= "!" if $w % 10 == 0;
    push @lines, $line;
}
my ($matched, $numsum, $hits, $sublen) = (0, 0, 0, 0);
for my $r (0 .. 59) {
    for my $line (@lines) {
        if (my ($name, $num, $word, $val) = $line =~ /^([a-z]+)([0-9]+)=([a-z]+);([0-9]+)$/) {
            $matched++;
            $numsum += $num + $val + length($name) + length($word);
        }
        $hits++ if $line =~ /ta[0-9]+=g/;
        (my $copy = $line) =~ s/[0-9]+/#/g;
        $sublen += length($copy);
    }
}
print "regex $matched $numsum $hits $sublen\n";
