// The system-function prototype table and its lookup. The table is data: one
// prototype text per accepted argument count, grouped by family, exactly as
// scripts see them in "maybe you mean" suggestions.
#include "sysfunctions/prototypetable.h"

namespace vornscript {

namespace {

const char* const prototypetexts[] = {
    // Meta and introspection functions
    "__VERSION__()",
    "__USEVERSION__(version)",
    "abort(message)",
    "abort()",
    "die(message)",
    "die()",
    "exit(exitcode)",
    "exit()",
    "throwexception(reason)",
    "__LINE__()",
    "__LINE__(sublevel)",
    "__POS__()",
    "__POS__(sublevel)",
    "__FILE__()",
    "__FILE__(sublevel)",
    "__FOLDER__()",
    "__FOLDER__(sublevel)",
    "__CODE__()",
    "__CODE__(sublevel)",
    "__CODEPOS__()",
    "__CODEPOS__(sublevel)",
    "getdebuginfo(obj)",
    "gettype(obj)",
    "tostring(obj)",
    "hexdump(obj)",
    "eval(code)",
    "include(filename)",
    "duplicate(obj)",
    "translate(text, context)",
    "translate(text)",
    "isdefined(variable)",
    "isvariabledefined(varname)",
    "getarg(varname)",
    "getarg(varname,defvalue)",
    "callfunction(functionname,...)",
    // Text functions
    "strlen(text)",
    "length(text)",
    "size(text)",
    "comparetext(a,b)",
    "comparetextignorecase(a,b)",
    "comparenumeric(a,b)",
    "isempty(text)",
    "mid(text,pos)",
    "mid(text,pos,len)",
    "left(text,len)",
    "right(text,len)",
    "index(text,subtext)",
    "fill(text, pos, len, filltext)",
    "containstext(text,subtext)",
    "textcontains(text,subtext)",
    "textstartswith(text,subtext)",
    "textendswith(text,subtext)",
    "parseintrangelist(text)",
    "rindex(text,subtext)",
    "strcmp(text1,text2)",
    "stricmp(text1,text2)",
    "trim(text)",
    "trimleft(text)",
    "trimright(text)",
    "escapestring(text)",
    "unescapestring(text)",
    "quotestring(text)",
    "unquotestring(text)",
    "ord(text)",
    "isnumber(text)",
    "ishexnumber(text)",
    "isalpha(text)",
    "isalphanumeric(text)",
    "iswhitespace(text)",
    "chr(value)",
    "toupper(text)",
    "tolower(text)",
    "split(text)",
    "split(text,separator)",
    "splitlines(text, trimends)",
    "splitwords(text)",
    "splitwords(text,sepcharacters)",
    "like(text,pattern)",
    "join(sep,vector)",
    "join(sep,text1,text2,...)",
    "concat(vector)",
    "concat(text1,...)",
    "replace(text,from,against)",
    "replace(text,pattern,replace,options)",
    "defaultreplaceoptions()",
    "match(text,regex,...)",
    "substitute(text,regex,against)",
    "substitute(text,regex,against,options)",
    "makecsvline(stringvector,fieldseparator)",
    "parsecsvline(csvline, fieldseparator)",
    "parsecsvline(csvline)",
    "splitcsvlines(text, quotecharacters)",
    "splitcsvlines(text)",
    // Collection functions, sorting and grep
    "push(vector,value)",
    "pushreference(vector,refvalue)",
    "pop(vector)",
    "shift(vector)",
    "insert(vector,index,value)",
    "unshift(vector,value)",
    "clear(variable)",
    "containskey(structure,key)",
    "containsvalue(structure,value)",
    "removekey(structure,key)",
    "removevalue(structure,value)",
    "collectionkeys(structure)",
    "collectionvalues(structure)",
    "grepkeys(structure,operator,value,...)",
    "grepvalues(collection,operator,value,...)",
    "sort(vector)",
    "sort(vector,comparefunctionname,...)",
    "sortnumeric(vector)",
    "sortalphabetic(vector)",
    "sortignorecase(vector)",
    "inversesort(vector)",
    "inversesort(vector,comparefunctionname,...)",
    "inversesortnumeric(vector)",
    "inversesortalphabetic(vector)",
    "inversesortignorecase(vector)",
    "buffergetbyte(&buffer,pos)",
    "buffersetbyte(&buffer,pos,value)",
    "bufferfillbytes(&buffer,pos,len,value)",
    // Math functions
    "abs(x)",
    "min(vector)",
    "min(x,y,...)",
    "max(vector)",
    "max(x,y,...)",
    "sum(x,y,...)",
    "average(x,y,...)",
    "swap(&x,&y)",
    "acos(x)",
    "asin(x)",
    "atan(x)",
    "atan2(x,y)",
    "cos(x)",
    "cosh(x)",
    "exp(x)",
    "log(x)",
    "log10(x)",
    "sin(x)",
    "sinh(x)",
    "tan(x)",
    "tanh(x)",
    "sqrt(x)",
    "sqr(x)",
    "ceil(x)",
    "floor(x)",
    "fract(x)",
    "div(x,y)",
    "modf(x)",
    "fmod(x,y)",
    "pow(x,y)",
    "odd(value)",
    "round(value)",
    "round(value,digits)",
    "startrandom(initrandom)",
    "random(maxvalue)",
    "random()",
    // Output, formatting and logging
    "sprintf(format,...)",
    "printf(format,...)",
    "print(format,...)",
    "println(text,...)",
    "println()",
    "printerrorf(format,...)",
    "printerror(text,...)",
    "printerrorln(text,...)",
    "printerrorln()",
    "logmessage(text1,...)",
    "timemilliseconds()",
    "timeseconds()",
    "getdatestring()",
    "gettimestring()",
    "gettimestring(seconds)",
    "getdatetime()",
    // Files, directories and profiles
    "fileexists(path)",
    "filesize(path)",
    "equalfiles(path1,path2)",
    "closedfilereadtext(path)",
    "closedfilereadlines(path)",
    "closedfilereadbinary(path)",
    "closedfilewritebinary(path,buffer)",
    "closedfilewritetext(path,text)",
    "closedfileappendtext(path,text)",
    "fileopen(filename)",
    "fileopen(filename,mode)",
    "openfileclose(file)",
    "openfilepos(file)",
    "openfilesize(file)",
    "openfileseekbegin(file)",
    "openfileseekbegin(file,pos)",
    "openfileseekcurrent(file,pos)",
    "openfileseekend(file)",
    "openfileseekend(file,pos)",
    "openfilechangesize(file,size)",
    "openfilereadbinary(file,size)",
    "openfilereadline(file)",
    "openfilewritebinary(file,data)",
    "openfilewritetext(file,text)",
    "copyfile(destpath, srcpath)",
    "movefile(destpath, srcpath)",
    "createfilebackup(srcpath)",
    "createfilebackup(srcpath, destfolder)",
    "isbackupfilename(srcpath)",
    "deletefile(path)",
    "deletefileforever(path)",
    "gettemporaryfolder(...)",
    "gettemporaryfilename(ext)",
    "gettemporaryfilename(nameprefix,ext)",
    "gettemporaryfoldername(ext)",
    "gettemporaryfoldername(nameprefix,ext)",
    "getpersonalfolder(...)",
    "getmydocumentsfolder(...)",
    "getprogramfolder(...)",
    "getapplicationdatafolder(...)",
    "joinpath(vector)",
    "joinpath(path,...)",
    "getfilename(path)",
    "getdirectory(path)",
    "getfileextension(path)",
    "removefileextension(path)",
    "quotepath(path)",
    "getfullpath(shortpath)",
    "readdirectory(path)",
    "createdirectory(path)",
    "deletedirectory(path)",
    "createdirectories(path)",
    "fileattributes(path)",
    "directoryexists(path)",
    "fileisnewer(path1,path2)",
    "writeprofilestring(inipath,section,key,value)",
    "getprofilestring(inipath,section,key)",
    "getprofilestring(inipath,section,key,defaultvalue)",
    "writeprofilebool(inipath,section,key,value)",
    "getprofilebool(inipath,section,key)",
    "getprofilebool(inipath,section,key,defaultvalue)",
    // Operating-system services
    "sleep(milliseconds)",
    "wait(milliseconds)",
    "allowmessageprocessing()",
    "getenv(varname)",
    "setenv(varname,value)",
    "messagebox(text)",
    "messagebox(text, caption)",
    "messagebox(text, caption, boxtype)",
    "findapplication(appname)",
    "shellexecute(program)",
    "shellexecute(program, params)",
    "runprocess(cmdline)",
    "runprocess(cmdline,&processoutput)",
    "beep()",
    "beep(soundname)",
    "playmidi(events,...)",
    "saytext(text)",
    "saytext(text,options)",
    "getclipboardtext()",
    "setclipboardtext(text)",
    "filechooser(initpath, caption, options, defaultext, filter)",
    // Pictures
    "picturecreate(width,height)",
    "pictureload(filename)",
    "picturedestroy(picture)",
    "picturesave(picture, filename)",
    "picturesave(picture, filename, format)",
    "picturesavebpm(picture, filename)",
    "picturefillrect(picture,x,y,width,height,color)",
    "picturedrawtext(picture,x,y,width,height,text,color)",
    "getcolor24(r,g,b)",
    "getcolor32(alpha,r,g,b)",
    "getred(color)",
    "getgreen(color)",
    "getblue(color)",
    "getalpha(color)",
    // Plug-in libraries
    "uselibrary(libraryname,...)",
    "setlibrarypath(path,...)",
    "getlibrarysummary(libraryname)",
    // Self-tests
    "unittest_clear()",
    "unittest_count()",
    "unittest_results()",
    "unittest_areequal(value, correctvalue, testname)",
    "unittest_areequalvalues(value, correctvalue, testname)",
    "unittest_areequalbool(value, correctvalue, testname)",
    "unittest_arenearvalues(value, correctvalue, maxdistance, testname)",
    "unittest_fileexists(filepath, testname)",
    "unittest_arefilecontentsequal(filepath1, filepath2, testname)",
    "unittest_istrue(value, testname)",
    "unittest_isfalse(value, testname)",
    "unittest_fail(message, testname)",
    // JSON
    "createjson(obj)",
    "parsejson(text)",
};

// Whole-text match where "*" in [pattern] matches any run and every other
// byte itself. Keys hold only "$", "*" and ")" after the name, so this is the
// general wildcard match restricted to what keys contain. Backtracks only to
// the last "*": linear in practice, never recursive.
bool matcheskeypattern(std::string_view text, std::string_view pattern) {
    size_t t = 0, p = 0;
    size_t starpattern = std::string_view::npos, startext = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starpattern = p++;
            startext = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starpattern != std::string_view::npos) {
            p = starpattern + 1;
            t = ++startext;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

std::span<const char* const> systemfunctionprototypes() {
    return prototypetexts;
}

void appendcallkey(std::string& out, std::string_view name, size_t argumentcount) {
    out.reserve(out.size() + name.size() + argumentcount + 2);
    out.append(name);
    out.push_back('(');
    out.append(argumentcount, '$');
    out.push_back(')');
}

std::string callkey(std::string_view name, size_t argumentcount) {
    std::string key;
    appendcallkey(key, name, argumentcount);
    return key;
}

std::string prototypekey(std::string_view prototype) {
    const size_t open = prototype.find('(');
    if (open == std::string_view::npos) {
        return std::string(invalidprototypekey);
    }
    std::string key(prototype.substr(0, open + 1));
    size_t pos = open + 1;
    if (pos < prototype.size() && prototype[pos] == ')') {
        ++pos;
    } else {
        while (true) {
            const size_t end = prototype.find_first_of(",)", pos);
            if (end == std::string_view::npos) {
                return std::string(invalidprototypekey);
            }
            const std::string_view argument = prototype.substr(pos, end - pos);
            if (argument == "...") {
                key.push_back('*');
            } else if (argument.find('.') != std::string_view::npos) {
                return std::string(invalidprototypekey);
            } else {
                key.push_back('$');
            }
            pos = end + 1;
            if (prototype[end] == ')') {
                break;
            }
            while (pos < prototype.size() && prototype[pos] == ' ') {
                ++pos;
            }
        }
    }
    if (pos != prototype.size()) {
        return std::string(invalidprototypekey);
    }
    key.push_back(')');
    return key;
}

VornPrototypeTable::VornPrototypeTable(std::span<const char* const> prototypes)
    : prototypes_(prototypes) {
    keys_.reserve(prototypes.size());
}

const std::string& VornPrototypeTable::key(size_t index) const {
    while (keys_.size() <= index) {
        const size_t next = keys_.size();
        std::string& computed = keys_.emplace_back(prototypekey(prototypes_[next]));
        if (computed.find('*') == std::string::npos) {
            resolved_.emplace(computed, next);
        }
    }
    return keys_[index];
}

std::optional<size_t> VornPrototypeTable::find(std::string_view name, size_t argumentcount) const {
    callkeybuffer_.clear();
    appendcallkey(callkeybuffer_, name, argumentcount);
    if (auto hit = resolved_.find(std::string_view(callkeybuffer_)); hit != resolved_.end()) {
        return hit->second;
    }
    // The call key's name part including "(": a prototype key must start with it.
    const std::string_view nameprefix(callkeybuffer_.data(), name.size() + 1);
    for (size_t index = 0; index < prototypes_.size(); ++index) {
        const std::string& candidate = key(index);
        if (!candidate.starts_with(nameprefix)) {
            continue;
        }
        if (candidate == callkeybuffer_) {
            return index;
        }
        if (candidate.find('*') != std::string::npos &&
            matcheskeypattern(std::string_view(callkeybuffer_).substr(nameprefix.size()),
                              std::string_view(candidate).substr(nameprefix.size()))) {
            resolved_.emplace(callkeybuffer_, index);
            return index;
        }
    }
    return std::nullopt;
}

const VornPrototypeTable& systemprototypetable() {
    static const VornPrototypeTable table(systemfunctionprototypes());
    return table;
}

} // namespace vornscript
