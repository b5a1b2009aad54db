# memory: one million small numbers (0 to 999) held in one list.
def main():
    v = []
    for i in range(1000):
        for j in range(1000):
            v.append(j)
    print("million %d" % len(v))


main()
