# jsontrip: round trips through json.dumps and json.loads. Each round builds a
# document of 10 records (numbers, texts, a list and a nested dict), writes
# it, reads it back, writes and reads the result again, and sums the values
# it finds in the second copy.
import json


def main():
    seed = 9
    total = 0
    chars = 0
    for r in range(4000):
        items = []
        for i in range(10):
            seed = (seed * 1103515245 + 12345) % 2147483648
            w = seed >> 16
            items.append({"id": r * 10 + i, "name": "item" + str(w % 500), "score": w % 1000,
                          "tags": ["x" + str(w % 7), "y" + str(w % 11)],
                          "pos": {"x": w % 100, "y": (w >> 7) % 100}})
        doc = {"round": r, "items": items}
        again = json.loads(json.dumps(json.loads(json.dumps(doc))))
        for item in again["items"]:
            total += item["id"] + item["score"] + item["pos"]["x"] * item["pos"]["y"]
            chars += len(item["name"]) + len(item["tags"][0]) + len(item["tags"][1])
        total += again["round"]
    print("jsontrip %d %d" % (total, chars))


main()
