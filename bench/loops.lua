-- loops: nested integer loops with arithmetic and bit operations.
local s = 0
local t = 1
for i = 0, 299 do
    for j = 0, 9999 do
        s = (s + ((i * j) ~ (j << 3)) + (i | j)) & 16777215
        t = (t * 31 + (s >> 4)) % 1000003
    end
end
print("loops " .. s .. " " .. t)
