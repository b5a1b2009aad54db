-- regex: patterns over 4000 generated lines, 60 passes: an anchored match
-- with four captures, an unanchored search, and a global substitution.
local match, find, gsub = string.match, string.find, string.gsub
local names = { "alpha", "beta", "gamma", "delta" }
local seed = 5
local lines = {}
for i = 0, 3999 do
    seed = (seed * 1103515245 + 12345) % 2147483648
    local w = seed >> 16
    local line = names[w % 4 + 1] .. (w % 1000) .. "=" .. names[(w >> 3) % 4 + 1] .. ";" .. (w % 97)
    if w % 10 == 0 then line = line .. "!" end
    lines[#lines + 1] = line
end
local matched, numsum, hits, sublen = 0, 0, 0, 0
for r = 0, 59 do
    for _, line in ipairs(lines) do
        local name, num, word, val = match(line, "^([a-z]+)([0-9]+)=([a-z]+);([0-9]+)$")
        if name then
            matched = matched + 1
            numsum = numsum + tonumber(num) + tonumber(val) + #name + #word
        end
        if find(line, "ta[0-9]+=g") then hits = hits + 1 end
        sublen = sublen + #(gsub(line, "[0-9]+", "#"))
    end
end
print("regex " .. matched .. " " .. numsum .. " " .. hits .. " " .. sublen)
