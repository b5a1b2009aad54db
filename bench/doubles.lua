-- doubles: floating arithmetic, sqrt and comparisons on 500000 points.
local sqrt = math.sqrt
local seed = 42
local inside = 0
local acc = 0.0
for i = 0, 99 do
    for j = 0, 4999 do
        seed = (seed * 1103515245 + 12345) % 2147483648
        local x = ((seed >> 16) % 2000) * 0.001 - 1.0
        seed = (seed * 1103515245 + 12345) % 2147483648
        local y = ((seed >> 16) % 2000) * 0.001 - 1.0
        local r2 = x * x + y * y
        if r2 < 1.0000005 then inside = inside + 1 end
        acc = acc + sqrt(r2 + 1.0) * 0.5 - x * y
    end
end
print(string.format("doubles %d %.2f", inside, acc))
