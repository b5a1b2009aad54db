-- fib: recursive function calls, fib(27) five times.
local function fib(n)
    if n < 2 then return n end
    return fib(n - 1) + fib(n - 2)
end

local total = 0
for r = 0, 4 do
    total = total + fib(27)
end
print("fib " .. total)
