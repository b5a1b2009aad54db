# structures: a list of 5000 dicts, field reads, counting into a dict under
# computed keys, and a histogram list updated by index.
def main():
    seed = 11
    recs = []
    for i in range(5000):
        seed = (seed * 1103515245 + 12345) % 2147483648
        w = seed >> 16
        recs.append({"id": i, "val": w % 1000, "tag": "t" + str(w % 37)})
    hist = []
    for h in range(64):
        hist.append(0)
    counts = {}
    for r in range(120):
        for i in range(5000):
            idx = (i * 7 + r * 13) % 5000
            key = recs[idx]["tag"] + "_" + str(r % 4)
            if key not in counts:
                counts[key] = 0
            counts[key] += recs[idx]["val"]
            hist[recs[idx]["val"] % 64] += 1
    total = 0
    for k in counts:
        total += counts[k] * len(k)
    hsum = 0
    for h in range(64):
        hsum += hist[h] * (h + 1)
    print("structures %d %d %d" % (len(counts), total, hsum))


main()
