// Arbitrary bytes as a name list, stored under a name that differs from the one asked for in the
// case of its letters, beside files whose names only start alike, so that every run also finds
// the file the way the program does. A list that decodes and holds no double quote always reads;
// a list with any field in it gives entries; an entry that passes the list check reads back
// exactly as it is written; a delete's rewrite and an add's append give every other entry back as
// it was.

#include <algorithm>
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

bool IsControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

// Deletes the first entry and adds it again: the list file is rewritten, then appended to.
void CheckDeleteAndAdd(const std::vector<std::u16string>& entries) {
    const std::u16string first = entries.front();
    std::vector<std::u16string> expected(entries.begin() + 1, entries.end());
    DeleteNameListEntry(fuzzing::ScratchFolder(), kSurnameListFile, first);
    Require(ReadNameList(fuzzing::ScratchFolder(), kSurnameListFile) == expected,
            "a delete changed the other entries");
    AddNameListEntry(fuzzing::ScratchFolder(), kSurnameListFile, first);
    if (std::find(expected.begin(), expected.end(), first) == expected.end()) {
        expected.push_back(first);
    }
    Require(ReadNameList(fuzzing::ScratchFolder(), kSurnameListFile) == expected,
            "an add changed the list");
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
    // Line ends and other control characters inside quotes are left to the reader's own checks.
    const bool plain = std::none_of(entries.begin(), entries.end(), [](const std::u16string& e) {
        return std::any_of(e.begin(), e.end(), IsControl);
    });
    if (!entries.empty() && plain) {
        CheckDeleteAndAdd(entries);
    }
    return 0;
}
