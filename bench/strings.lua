-- strings: building texts and taking them apart with concat, gsub, split,
-- find and sub; a second text grows by concatenation and is cut back.
local find, sub, gsub, concat = string.find, string.sub, string.gsub, table.concat

-- Index of the first occurrence counted from 0, -1 when absent.
local function index(text, part)
    local pos = find(text, part, 1, true)
    if pos then return pos - 1 end
    return -1
end

local function split(text, separator)
    local result, start = {}, 1
    while true do
        local pos = find(text, separator, start, true)
        if not pos then break end
        result[#result + 1] = sub(text, start, pos - 1)
        start = pos + #separator
    end
    result[#result + 1] = sub(text, start)
    return result
end

local words = { "alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta" }
local seed = 7
local total = 0
local acc = ""
for r = 0, 39 do
    for n = 0, 999 do
        local parts = {}
        for k = 0, 11 do
            seed = (seed * 1103515245 + 12345) % 2147483648
            local w = seed >> 16
            parts[#parts + 1] = words[w % 8 + 1] .. (w % 100)
        end
        local line = concat(parts, ",")
        local upper = gsub(line, "a", "A")
        local fields = split(upper, ",")
        total = total + #fields + index(upper, "gAmmA") + index(line, "zeta9")
        local start = (seed >> 8) % 20
        local piece = sub(upper, start + 1, start + 6)
        total = total + #piece + index(piece, "A")
        acc = acc .. sub(fields[(seed >> 12) % 12 + 1], 1, 3)
        if #acc > 2000 then acc = sub(acc, 1001) end
    end
end
print("strings " .. total .. " " .. #acc .. " " .. sub(acc, 1, 24))
