# strings: building texts and taking them apart with join, replace, split,
# find and slices; a second text grows by concatenation and is cut back.
WORDS = ["alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta"]


def main():
    seed = 7
    total = 0
    acc = ""
    for r in range(40):
        for n in range(1000):
            parts = []
            for k in range(12):
                seed = (seed * 1103515245 + 12345) % 2147483648
                w = seed >> 16
                parts.append(WORDS[w % 8] + str(w % 100))
            line = ",".join(parts)
            upper = line.replace("a", "A")
            fields = upper.split(",")
            total += len(fields) + upper.find("gAmmA") + line.find("zeta9")
            start = (seed >> 8) % 20
            piece = upper[start:start + 6]
            total += len(piece) + piece.find("A")
            acc += fields[(seed >> 12) % 12][0:3]
            if len(acc) > 2000:
                acc = acc[1000:]
    print("strings %d %d %s" % (total, len(acc), acc[0:24]))


main()
