#pragma once

#include <string>
#include <vector>

namespace namori {

struct DetailedReading;

// The detailed reading as an HTML document (UTF-8): a title, one style sheet and the sections in
// order (the name with its diagram, the 総合鑑定, each luck number, the five elements, yin-yang,
// the faces, the closing note).
// The window shows the page, printing lays out one section after another and starts a new page
// where a section would not fit, and namori-judge --html writes the page.
struct ReadingDocument {
    std::string title;  // plain text
    std::string name;   // plain text: the name, as printed pages carry it
    std::string date;   // plain text: the date of the reading, empty when not given
    std::string styleSheet;
    std::vector<std::string> sections;  // HTML of each section's content, without its <div>
};

ReadingDocument ReadingDocumentOf(const DetailedReading& reading);

// One HTML section in a page of its own, with the document's style sheet: how printing lays
// out a single section.
std::string SectionPage(const ReadingDocument& document, std::size_t section);

// The whole reading as one self-contained, well-formed HTML page (no external files).
std::string ReadingPage(const ReadingDocument& document);

}  // namespace namori
