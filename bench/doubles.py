# doubles: floating arithmetic, sqrt and comparisons on 500000 points.
from math import sqrt


def main():
    seed = 42
    inside = 0
    acc = 0.0
    for i in range(100):
        for j in range(5000):
            seed = (seed * 1103515245 + 12345) % 2147483648
            x = ((seed >> 16) % 2000) * 0.001 - 1.0
            seed = (seed * 1103515245 + 12345) % 2147483648
            y = ((seed >> 16) % 2000) * 0.001 - 1.0
            r2 = x * x + y * y
            if r2 < 1.0000005:
                inside += 1
            acc += sqrt(r2 + 1.0) * 0.5 - x * y
    print("doubles %d %.2f" % (inside, acc))


main()
