// Arbitrary bytes as a name list, stored under a name that differs from the one asked for in the
// case of its letters, beside files whose names only start alike, so that every run also finds
// the file the way the program does. A list that decodes and holds no double quote always reads;
// a list with any field in it gives entries; an entry that passes the list check reads back
// exactly as it is written.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"
#include "data/NameListFile.h"

namespace {

using namespace namori;
using fuzzing::Require;

constexpr std::string_view kStoredName = "名字.TXT";

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// An entry as a line of a list file, read back with the field syntax.
std::u16string ReadBack(const std::u16string& entry) {
    const std::u16string line = entry + u"\r\n";
    FieldReader reader(line, "entry");
    return reader.ReadText();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::WriteScratchFile("名字.txt.bak", "\x8e\x52\x93\x63\r\n");
    fuzzing::WriteScratchFile("名字.tx", "\x8e\x52\x93\x63\r\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzzing::BytesOf(data, size);
    fuzzing::WriteScratchFile(kStoredName, bytes);

    std::u16string text;
    bool decodes = true;
    try {
        text = DecodeCp932(bytes);
    } catch (const Cp932DecodeError&) {
        decodes = false;
    }
    const bool quoted = text.find(u'"') != std::u16string::npos;

    std::vector<std::u16string> entries;
    try {
        entries = ReadNameList(fuzzing::ScratchFolder(), kSurnameListFile);
    } catch (const DataFileError& error) {
        Require(error.fileName() == kSurnameListFile, "the error names another file");
        Require(error.line() >= 1, "the error names no line");
        Require(!decodes || quoted, "a list without double quotes was refused");
        return 0;
    }
    Require(decodes, "a list that is not code page 932 text was read");
    Require(!entries.empty() || FieldReader(text, "").AtEnd(),
            "a list with fields in it read as empty (the file was not found?)");

    for (const std::u16string& entry : entries) {
        if (!quoted) {
            Require(entry.find_first_of(u",\r\n") == std::u16string::npos,
                    "an unquoted entry holds a separator");
            Require(entry.empty() || (!IsBlank(entry.front()) && !IsBlank(entry.back())),
                    "an unquoted entry keeps surrounding blanks");
        }
        // An empty entry is never added (the entry boxes ignore an empty text); a blank line
        // reads as no entry.
        if (!entry.empty() && !ListEntryProblem(entry)) {
            Require(EncodeCp932(entry).has_value(),
                    "an entry passed as storable cannot be encoded");
            Require(ReadBack(entry) == entry, "an entry passed as storable reads back changed");
        }
    }
    return 0;
}
