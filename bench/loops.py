# loops: nested integer loops with arithmetic and bit operations.
def main():
    s = 0
    t = 1
    for i in range(300):
        for j in range(10000):
            s = (s + ((i * j) ^ (j << 3)) + (i | j)) & 16777215
            t = (t * 31 + (s >> 4)) % 1000003
    print("loops %d %d" % (s, t))


main()
