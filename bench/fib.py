# fib: recursive function calls, fib(27) five times.
def fib(n):
    if n < 2:
        return n
    return fib(n - 1) + fib(n - 2)


def main():
    total = 0
    for r in range(5):
        total += fib(27)
    print("fib %d" % total)


main()
