# format: %-formatting with widths, padding, precision, hex, characters and
# strings, 300000 times. The doubles are multiples of 1/8.
def main():
    seed = 13
    total = 0
    last = ""
    for r in range(150):
        for i in range(2000):
            seed = (seed * 1103515245 + 12345) % 2147483648
            w = seed >> 16
            last = "%5d|%-8s|%08.3f|%6.1f|%x|%c|%s" % (w, "n" + str(w % 1000), w / 8.0,
                                                       (w % 80) / 8.0, w * 3, 65 + w % 26, i)
            total += len(last)
    print("format %d %s" % (total, last))


main()
