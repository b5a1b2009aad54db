-- memory: one million small numbers (0 to 999) held in one table.
local v = {}
for i = 0, 999 do
    for j = 0, 999 do v[#v + 1] = j end
end
print("million " .. #v)
