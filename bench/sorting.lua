-- sorting: table.sort of 20000 numbers, and a sort of 4000 numbers with a
-- script compare function (by value modulo 1000, ties by value).
local function bymod(a, b)
    local ma, mb = a % 1000, b % 1000
    if ma ~= mb then return ma < mb end
    return a < b
end

-- Order-dependent checksum of a sorted array.
local function digest(v, h)
    for i = 1, #v do h = (h * 31 + v[i]) % 1000000007 end
    return h
end

local function sorted(v, compare)
    local copy = table.move(v, 1, #v, 1, {})
    table.sort(copy, compare)
    return copy
end

local seed = 3
local numbers = {}
for i = 0, 1 do
    for j = 0, 9999 do
        seed = (seed * 1103515245 + 12345) % 2147483648
        numbers[#numbers + 1] = (seed >> 4) % 1000000
    end
end
local few = {}
for i = 0, 3999 do few[#few + 1] = numbers[i * 5 + 1] end
local h = 0
for r = 0, 11 do
    h = digest(sorted(numbers), h)
    h = digest(sorted(few, bymod), h)
end
print("sorting " .. h)
