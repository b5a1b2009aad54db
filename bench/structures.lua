-- structures: an array of 5000 records, field reads, counting into a table
-- under computed keys, and a histogram array updated by index.
local seed = 11
local recs = {}
for i = 0, 4999 do
    seed = (seed * 1103515245 + 12345) % 2147483648
    local w = seed >> 16
    recs[#recs + 1] = { id = i, val = w % 1000, tag = "t" .. (w % 37) }
end
local hist = {}
for h = 0, 63 do hist[#hist + 1] = 0 end
local counts = {}
for r = 0, 119 do
    for i = 0, 4999 do
        local idx = (i * 7 + r * 13) % 5000
        local key = recs[idx + 1].tag .. "_" .. (r % 4)
        if counts[key] == nil then counts[key] = 0 end
        counts[key] = counts[key] + recs[idx + 1].val
        local slot = recs[idx + 1].val % 64 + 1
        hist[slot] = hist[slot] + 1
    end
end
local total, keys = 0, 0
for k, v in pairs(counts) do
    total = total + v * #k
    keys = keys + 1
end
local hsum = 0
for h = 0, 63 do hsum = hsum + hist[h + 1] * (h + 1) end
print("structures " .. keys .. " " .. total .. " " .. hsum)
