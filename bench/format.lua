-- format: string.format with widths, padding, precision, hex, characters
-- and strings, 300000 times. The doubles are multiples of 1/8.
local format = string.format
local seed = 13
local total = 0
local last = ""
for r = 0, 149 do
    for i = 0, 1999 do
        seed = (seed * 1103515245 + 12345) % 2147483648
        local w = seed >> 16
        last = format("%5d|%-8s|%08.3f|%6.1f|%x|%c|%s", w, "n" .. (w % 1000), w / 8.0,
                      (w % 80) / 8.0, w * 3, 65 + w % 26, i)
        total = total + #last
    end
end
print("format " .. total .. " " .. last)
