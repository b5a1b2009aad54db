# fib: recursive function calls, fib(27) five times.
use strict;
use warnings;

sub fib {
    my ($n) = @_;
    return $n if $n < 2;
    return fib($n - 1) + fib($n - 2);
}

my $total = 0;
for my $r (0 .. 4) {
    $total += fib(27);
}
print "fib $total\n";
