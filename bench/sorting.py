# sorting: sorted() of 20000 numbers, and a sort of 4000 numbers with a
# script compare function (by value modulo 1000, ties by value).
from functools import cmp_to_key


def bymod(a, b):
    ma = a % 1000
    mb = b % 1000
    if ma != mb:
        return -1 if ma < mb else 1
    return -1 if a < b else (1 if a > b else 0)


def digest(v, h):
    """Order-dependent checksum of a sorted list."""
    for x in v:
        h = (h * 31 + x) % 1000000007
    return h


def main():
    seed = 3
    numbers = []
    for i in range(2):
        for j in range(10000):
            seed = (seed * 1103515245 + 12345) % 2147483648
            numbers.append((seed >> 4) % 1000000)
    few = []
    for i in range(4000):
        few.append(numbers[i * 5])
    h = 0
    bymod_key = cmp_to_key(bymod)
    for r in range(12):
        h = digest(sorted(numbers), h)
        h = digest(sorted(few, key=bymod_key), h)
    print("sorting %d" % h)


main()
