# regex: regular expressions over 4000 generated lines, 60 passes: an
# anchored match with four groups, an unanchored search, and a global
# substitution.
import re

RECORD = re.compile(r"^([a-z]+)([0-9]+)=([a-z]+);([0-9]+)$")
SEARCH = re.compile(r"ta[0-9]+=g")
DIGITS = re.compile(r"[0-9]+")
NAMES = ["alpha", "beta", "gamma", "delta"]


def main():
    seed = 5
    lines = []
    for i in range(4000):
        seed = (seed * 1103515245 + 12345) % 2147483648
        w = seed >> 16
        line = NAMES[w % 4] + str(w % 1000) + "=" + NAMES[(w >> 3) % 4] + ";" + str(w % 97)
        if w % 10 == 0:
            line += "!"
        lines.append(line)
    matched = numsum = hits = sublen = 0
    for r in range(60):
        for line in lines:
            m = RECORD.search(line)
            if m:
                matched += 1
                numsum += int(m.group(2)) + int(m.group(4)) + len(m.group(1)) + len(m.group(3))
            if SEARCH.search(line):
                hits += 1
            sublen += len(DIGITS.sub("#", line))
    print("regex %d %d %d %d" % (matched, numsum, hits, sublen))


main()
