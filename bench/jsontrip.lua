-- jsontrip: JSON round trips. Lua ships no JSON module, so a compact codec
-- in plain Lua (objects, arrays, integers, strings with \" and \\ escapes)
-- does the writing and reading. Each round builds a document of 10 records,
-- writes it, reads it back, writes and reads the result again, and sums the
-- values it finds in the second copy.
local byte, sub, find, format, concat = string.byte, string.sub, string.find, string.format, table.concat

local encodevalue

local function encodestring(text, out)
    out[#out + 1] = '"' .. text:gsub('[\\"]', '\\%0') .. '"'
end

-- Arrays are tables with a first element; everything else is an object with
-- its keys sorted, so the text is deterministic.
encodevalue = function(value, out)
    local kind = type(value)
    if kind == "number" then
        out[#out + 1] = format("%d", value)
    elseif kind == "string" then
        encodestring(value, out)
    elseif value[1] ~= nil then
        out[#out + 1] = "["
        for i = 1, #value do
            if i > 1 then out[#out + 1] = "," end
            encodevalue(value[i], out)
        end
        out[#out + 1] = "]"
    else
        local keys = {}
        for key in pairs(value) do keys[#keys + 1] = key end
        table.sort(keys)
        out[#out + 1] = "{"
        for i, key in ipairs(keys) do
            if i > 1 then out[#out + 1] = "," end
            encodestring(key, out)
            out[#out + 1] = ":"
            encodevalue(value[key], out)
        end
        out[#out + 1] = "}"
    end
end

local function encode(value)
    local out = {}
    encodevalue(value, out)
    return concat(out)
end

local decodevalue

local function skipblanks(text, pos)
    return (find(text, "[^ \t\r\n]", pos)) or #text + 1
end

local function decodestring(text, pos)
    local parts, start = {}, pos + 1
    while true do
        local stop = find(text, '[\\"]', start)
        if not stop then error("unterminated string") end
        parts[#parts + 1] = sub(text, start, stop - 1)
        if byte(text, stop) == 34 then return concat(parts), stop + 1 end
        parts[#parts + 1] = sub(text, stop + 1, stop + 1)
        start = stop + 2
    end
end

decodevalue = function(text, pos)
    pos = skipblanks(text, pos)
    local c = byte(text, pos)
    if c == 123 then -- {
        local object = {}
        pos = skipblanks(text, pos + 1)
        if byte(text, pos) == 125 then return object, pos + 1 end
        while true do
            local key
            key, pos = decodestring(text, skipblanks(text, pos))
            pos = skipblanks(text, pos) + 1 -- the colon
            object[key], pos = decodevalue(text, pos)
            pos = skipblanks(text, pos)
            if byte(text, pos) == 125 then return object, pos + 1 end
            pos = pos + 1 -- the comma
        end
    elseif c == 91 then -- [
        local array = {}
        pos = skipblanks(text, pos + 1)
        if byte(text, pos) == 93 then return array, pos + 1 end
        while true do
            array[#array + 1], pos = decodevalue(text, pos)
            pos = skipblanks(text, pos)
            if byte(text, pos) == 93 then return array, pos + 1 end
            pos = pos + 1
        end
    elseif c == 34 then
        return decodestring(text, pos)
    else
        local first, last = find(text, "^-?%d+", pos)
        if not first then error("unexpected character at " .. pos) end
        return math.tointeger(tonumber(sub(text, first, last))), last + 1
    end
end

local function decode(text)
    return (decodevalue(text, 1))
end

local seed = 9
local total = 0
local chars = 0
for r = 0, 3999 do
    local items = {}
    for i = 0, 9 do
        seed = (seed * 1103515245 + 12345) % 2147483648
        local w = seed >> 16
        items[#items + 1] = { id = r * 10 + i, name = "item" .. (w % 500), score = w % 1000,
                              tags = { "x" .. (w % 7), "y" .. (w % 11) },
                              pos = { x = w % 100, y = (w >> 7) % 100 } }
    end
    local doc = { round = r, items = items }
    local again = decode(encode(decode(encode(doc))))
    for _, item in ipairs(again.items) do
        total = total + item.id + item.score + item.pos.x * item.pos.y
        chars = chars + #item.name + #item.tags[1] + #item.tags[2]
    end
    total = total + again.round
end
print("jsontrip " .. total .. " " .. chars)
